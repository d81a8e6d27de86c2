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

/// The most UTF-16 code units a name field holds; a longer name is cut before it is shown.
inline constexpr int intNameFieldLength = 21;

/// Returns the text with control characters shown as visible stand-ins: C0 controls and DEL as
/// their control pictures ("\n" as U+240A), the invisible and direction-changing characters as
/// "<U+202E>"; bytes that are not UTF-8 become U+FFFD.
std::string VisibleText(const std::string& strText);

/// Returns "Huevra - New palette" for an empty path, else "Huevra - " and the file name, its
/// control characters made visible.
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
