#pragma once

// What the three palette windows share: a fixed window of their own that hands a colour to the
// main window through its red, green and blue scroll bars.

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "widgets/ColourScrollBars.h"  // the only part of the main window a palette window knows

class PaletteCells;

class PaletteWindow : public QWidget {
    Q_OBJECT
public:
    PaletteWindow(const PaletteWindow&) = delete;
    PaletteWindow& operator=(const PaletteWindow&) = delete;

protected:
    /// A top-level window without owner that is deleted when closed; it closes by itself when
    /// the scroll bars go.
    PaletteWindow(const ColourScrollBars& objScrollBars, const char* strName,
                  const QString& strCaption, QSize objClientSize);

    /// Creates the window's cells from intTop down to its bottom edge, under a name for the code
    /// and one for screen readers; fnMouseDown is told of each button that goes down on a cell.
    PaletteCells* AddCells(std::vector<QRect> arrCellRect, const char* strName,
                           const QString& strAccessibleName, int intTop,
                           std::function<void(int, Qt::MouseButton)> fnMouseDown);

    /// Sets the scroll bars to a packed colour. A colour that comes while another is still
    /// being set waits until that one is done. The bars' changes let pending events run, which
    /// may close and delete this window: a caller touches nothing of it afterwards.
    void HandOverColour(std::int32_t lngColour);

private:
    ColourScrollBars objScrollBars;
};
