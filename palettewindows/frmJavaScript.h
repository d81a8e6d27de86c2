#pragma once

// The JavaScript window: the 140 named colours in seven columns, alphabetically or in the
// .NET palette order, chosen on its toolbar.

#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

#include "palettewindows/PaletteWindow.h"

class PaletteCells;
class QAction;
class QActionGroup;
class QToolBar;

class frmJavaScript : public PaletteWindow {
    Q_OBJECT
public:
    /// Starts in the .NET order for sort index 1 and alphabetically for any other.
    explicit frmJavaScript(const ColourScrollBars& objScrollBars, std::int16_t intSortIndex = 0);

    // Controls, in creation order.
    QToolBar* tbrSortTools = nullptr;
    QAction* btnAlphabetically = nullptr;  // key "Alphabetically"
    QAction* btnDotNet = nullptr;          // key "DotNet"
    PaletteCells* lblJavaScriptColor = nullptr;

    /// Paints the cells and tips in alphabetical order.
    void ShowAlphabetically();
    /// Paints the cells and tips in the .NET palette order.
    void ShowDotNet();
    /// "Alphabetically" and "DotNet" repaint in that order; any other key does nothing.
    void tbrSortTools_ButtonClick(const QString& strKey);
    /// A left button hands the colour of cell intIndex, in the order the pressed toolbar button
    /// shows, to the main window; others do nothing.
    void lblJavaScriptColor_MouseDown(int intIndex, Qt::MouseButton enmButton);

    /// Cell i in column i mod 7 and row i div 7 of the area below the toolbar; the edges fall on
    /// the nearest pixel, so cells are 16 or 17 pixels wide and high and leave no gaps.
    static std::vector<QRect> JavaScriptCells();

private:
    void Form_Load(std::int16_t intSortIndex);

    QActionGroup* objSortGroup = nullptr;
};
