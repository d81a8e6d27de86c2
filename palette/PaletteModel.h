#pragma once

// The palette document: six colour marks, their saved state and the load buffer.

#include <array>
#include <cstdint>
#include <string>

#include "core/ColourValue.h"

inline constexpr int intMarkCount = 6;

/// The name of a mark without a name.
inline constexpr const char* strNoNamePlaceholder = "Type a colour name";
/// The name Find gives a colour that has no JavaScript name.
inline constexpr const char* strNotJavaScriptPlaceholder = "Not JavaScript colour";

/// Returns "Huevra - New palette" for an empty path, else "Huevra - " and the file name.
std::string PaletteTitle(const std::string& strPalettePath);

class Palette {
public:
    std::int16_t intSelectedMark = 0;
    std::array<typColour, intMarkCount> arrMarkColour{};
    std::array<typColour, intMarkCount> arrSavedColour{};
    std::array<std::string, intMarkCount> arrSavedName{};
    std::array<typColour, intMarkCount> arrLoadColour{};
    std::array<std::string, intMarkCount> arrLoadName{};
    std::string strPalettePath;

    /// Fills the load buffer with the six default colours and the no-name placeholder.
    void SetDefaultPalette();

    /// True when a mark's colour, or its current name (the name fields' texts), differs
    /// from the saved state; the two placeholders count as the same name.
    bool PaletteChanged(const std::array<std::string, intMarkCount>& arrCurrentName) const;
};
