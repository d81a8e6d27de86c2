#include "palettewindows/PaletteWindow.h"

#include <utility>

#include "core/ColourValue.h"
#include "palettewindows/PaletteCells.h"

PaletteWindow::PaletteWindow(const ColourScrollBars& objScrollBars, const char* strName,
                             const QString& strCaption, QSize objClientSize)
    : QWidget(nullptr), objScrollBars(objScrollBars) {
    setObjectName(QLatin1String(strName));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    // The cells' tips tell the colours while the user works in the main window beside.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setWindowTitle(strCaption);
    setFixedSize(objClientSize);
    // The window serves one main window and must not keep the program running without it.
    if (objScrollBars.hsbRed)
        connect(objScrollBars.hsbRed, &QObject::destroyed, this, &QWidget::close);
}

PaletteCells* PaletteWindow::AddCells(std::vector<QRect> arrCellRect, const char* strName,
                                      const QString& strAccessibleName, int intTop,
                                      std::function<void(int, Qt::MouseButton)> fnMouseDown) {
    auto* objCells = new PaletteCells(std::move(arrCellRect), this);
    objCells->setObjectName(QLatin1String(strName));
    objCells->setAccessibleName(strAccessibleName);
    objCells->setGeometry(0, intTop, width(), height() - intTop);
    connect(objCells, &PaletteCells::CellMouseDown, this, std::move(fnMouseDown));
    return objCells;
}

void PaletteWindow::HandOverColour(std::int32_t lngColour) {
    SetColourScrollBars(objScrollBars, UnpackColour(lngColour));
}
