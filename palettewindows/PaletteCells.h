#pragma once

// The cells of a palette window: coloured cells with a tool tip each, which report the mouse
// button that goes down on them.

#include <QString>
#include <vector>

#include "widgets/ColourCells.h"

class QEvent;
class QMouseEvent;

class PaletteCells : public ColourCells {
    Q_OBJECT
public:
    explicit PaletteCells(std::vector<QRect> arrRect, QWidget* parent = nullptr);

    /// Each throws std::out_of_range for an index outside the cells.
    void SetCellToolTip(int intIndex, const QString& strTip);
    QString CellToolTip(int intIndex) const { return arrCellTip.at(intIndex); }

signals:
    /// A mouse button went down on the topmost cell at the pointer.
    void CellMouseDown(int intIndex, Qt::MouseButton enmButton);

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::vector<QString> arrCellTip;
};
