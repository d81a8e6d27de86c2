#pragma once

// The Websafe window: the 216 websafe colours in six rows of 36 cells.

#include <QRect>
#include <vector>

#include "palettewindows/PaletteWindow.h"

class PaletteCells;

class frmWebsafe : public PaletteWindow {
    Q_OBJECT
public:
    explicit frmWebsafe(const ColourScrollBars& objScrollBars);

    PaletteCells* lblWebsafeColor = nullptr;

    /// A left button hands the colour of cell intIndex to the main window; others do nothing.
    void lblWebsafeColor_MouseDown(int intIndex, Qt::MouseButton enmButton);

    /// Cell i = 36r + 6g + b stands in column 6g + r and row 5 - b, 21 pixels square.
    static std::vector<QRect> WebsafeCells();

private:
    void Form_Load();
};
