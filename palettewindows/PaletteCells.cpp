#include "palettewindows/PaletteCells.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <utility>

PaletteCells::PaletteCells(std::vector<QRect> arrRect, QWidget* parent)
    : ColourCells(std::move(arrRect), parent), arrCellTip(CellCount()) {}

void PaletteCells::SetCellToolTip(int intIndex, const QString& strTip) {
    arrCellTip.at(intIndex) = strTip;
    // A screen reader names the cell as its tip does: by the colour's name or code.
    SetCellName(intIndex, strTip);
}

bool PaletteCells::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return ColourCells::event(event);
    auto* objHelp = static_cast<QHelpEvent*>(event);
    const int intCell = CellAt(objHelp->pos());
    if (intCell < 0 || arrCellTip[intCell].isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    // The tip stays while the pointer is over the same cell and follows it to the next one.
    QToolTip::showText(objHelp->globalPos(), arrCellTip[intCell], this, CellRect(intCell));
    return true;
}

void PaletteCells::mousePressEvent(QMouseEvent* event) {
    ColourCells::mousePressEvent(event);
    const int intCell = CellAt(event->position().toPoint());
    // The handler may let pending events run, which can delete these cells: it comes last.
    if (intCell >= 0) emit CellMouseDown(intCell, event->button());
}
