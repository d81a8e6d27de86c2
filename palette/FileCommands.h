#pragma once

// The window side that the File commands act on. The main window implements it.

#include <array>
#include <string>

#include "palette/PaletteModel.h"

class IPaletteView {
public:
    virtual ~IPaletteView() = default;
    /// The texts of the six name fields.
    virtual std::array<std::string, intMarkCount> NameTexts() = 0;
    /// Moves the load buffer into the marks and refreshes the window with this title; releases
    /// frozen drawing once the marks are shown.
    virtual void ApplyLoadedPalette(const std::string& strTitle) = 0;
    virtual void SetWindowTitle(const std::string& strTitle) = 0;
    /// Every name field's background becomes white.
    virtual void SetNameBackgroundsWhite() = 0;
    /// Freezes the window's drawing until ApplyLoadedPalette releases it.
    virtual void LockRedraw() = 0;
};
