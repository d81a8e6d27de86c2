#pragma once

// The Failsafe window: the 16 failsafe colours in one row of slightly overlapping cells.

#include <QRect>
#include <vector>

#include "palettewindows/PaletteWindow.h"

class PaletteCells;

class frmFailsafe : public PaletteWindow {
    Q_OBJECT
public:
    explicit frmFailsafe(const ColourScrollBars& objScrollBars);

    PaletteCells* lblFailsafeColor = nullptr;

    /// A left button hands the colour of cell intIndex to the main window; others do nothing.
    void lblFailsafeColor_MouseDown(int intIndex, Qt::MouseButton enmButton);

    /// Cell i: left edge at 708 i twips, 48 x 47 pixels; a later cell covers an earlier one.
    static std::vector<QRect> FailsafeCells();

private:
    void Form_Load();
};
