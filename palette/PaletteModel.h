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

/// The six marks, the selected one, the names, the saved state and the load buffer. The main
/// window is its one writer; every change goes through these operations.
class Palette {
public:
    std::int16_t intSelectedMark = 0;
    std::array<typColour, intMarkCount> arrMarkColour{};
    /// The marks' current names, as their name fields show them.
    std::array<std::string, intMarkCount> arrMarkName{};
    std::array<typColour, intMarkCount> arrSavedColour{};
    std::array<std::string, intMarkCount> arrSavedName{};
    std::array<typColour, intMarkCount> arrLoadColour{};
    std::array<std::string, intMarkCount> arrLoadName{};
    std::string strPalettePath;
    /// True while nothing has been saved of the marks (after an import): the palette counts as
    /// changed until it is saved or replaced by a load.
    bool blnNothingSaved = false;

    /// Fills the load buffer with the six default colours and the no-name placeholder.
    void SetDefaultPalette();

    /// The load buffer becomes the marks, their names and the saved state; mark 0 is selected.
    void CommitLoad();
    /// The marks stop counting as saved: PaletteChanged is true until MarkSaved or CommitLoad.
    void ForgetSavedState() { blnNothingSaved = true; }

    /// Sets one mark's colour or name. Both throw std::out_of_range outside 0..5.
    void SetMarkColour(int intMark, const typColour& typValue);
    void SetMarkName(int intMark, const std::string& strName);

    /// The marks' colours and these names become the saved state ("Not JavaScript colour" is
    /// saved as "Type a colour name", as the file holds it).
    void MarkSaved(const std::array<std::string, intMarkCount>& arrName);

    /// True when a mark's colour, or its current name, differs from the saved state; the two
    /// placeholders count as the same name.
    bool PaletteChanged() const { return PaletteChanged(arrMarkName); }
    bool PaletteChanged(const std::array<std::string, intMarkCount>& arrCurrentName) const;
};
