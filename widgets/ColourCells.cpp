#include "widgets/ColourCells.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <utility>

#include "widgets/Twips.h"

ColourCells::ColourCells(std::vector<QRect> arrCellRect, QWidget* parent)
    : QWidget(parent),
      arrCellRect_(std::move(arrCellRect)),
      arrCellColour_(arrCellRect_.size(), QColor(Qt::white)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

std::vector<QRect> ColourCells::ColourBarCells() {
    constexpr int intCells = 256;
    constexpr int intOverlaps = 34;
    std::vector<QRect> arrRect;
    arrRect.reserve(intCells);
    int intX = 0;
    int intNextOverlap = 4;
    int intOverlapsDone = 0;
    bool blnStepOfEight = true;
    for (int i = 0; i < intCells; ++i) {
        arrRect.emplace_back(intX, 0, Twips(45), Twips(300));
        intX += Twips(45);
        if (i == intNextOverlap && intOverlapsDone < intOverlaps) {
            intX -= Twips(15);
            ++intOverlapsDone;
            intNextOverlap += blnStepOfEight ? 8 : 7;
            blnStepOfEight = !blnStepOfEight;
        }
    }
    return arrRect;
}

void ColourCells::SetCellColour(int intIndex, const QColor& objColour) {
    QColor& objCell = arrCellColour_.at(intIndex);
    if (objCell == objColour) return;
    objCell = objColour;
    update();
}

int ColourCells::CellAt(const QPoint& objPoint) const {
    for (int i = CellCount() - 1; i >= 0; --i)
        if (arrCellRect_[i].contains(objPoint)) return i;
    return -1;
}

QSize ColourCells::sizeHint() const {
    QRect objBounds;
    for (const QRect& objRect : arrCellRect_) objBounds |= objRect;
    return objBounds.size();
}

void ColourCells::paintEvent(QPaintEvent* event) {
    QPainter objPainter(this);
    objPainter.fillRect(event->rect(), palette().color(backgroundRole()));
    for (int i = 0; i < CellCount(); ++i)
        if (arrCellRect_[i].intersects(event->rect()))
            objPainter.fillRect(arrCellRect_[i], arrCellColour_[i]);
}

void ColourCells::mousePressEvent(QMouseEvent* event) {
    intPressedCell_ = event->button() == Qt::LeftButton ? CellAt(event->position().toPoint()) : -1;
}

void ColourCells::mouseReleaseEvent(QMouseEvent* event) {
    const int intCell = CellAt(event->position().toPoint());
    // A click is a press and a release on the same cell.
    if (event->button() == Qt::LeftButton && intCell >= 0 && intCell == intPressedCell_)
        emit CellClicked(intCell);
    intPressedCell_ = -1;
}
