#pragma once

// A row of coloured cells painted by one widget, each clickable like a label of its own.

#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

class QMouseEvent;
class QPaintEvent;

class ColourCells : public QWidget {
    Q_OBJECT
public:
    /// Cells at the given rectangles (widget coordinates); a later cell covers an earlier one.
    explicit ColourCells(std::vector<QRect> arrRect, QWidget* parent = nullptr);

    /// The colour bar: 256 cells of 3 x 20 pixels in 734 pixels, one-pixel overlaps after
    /// cells 4, 12, 19, 27, ... (alternately every 8th and 7th cell).
    static std::vector<QRect> ColourBarCells();

    int CellCount() const { return static_cast<int>(arrCellRect.size()); }
    /// Each throws std::out_of_range for an index outside the cells.
    QRect CellRect(int intIndex) const { return arrCellRect.at(intIndex); }
    QColor CellColour(int intIndex) const { return arrCellColour.at(intIndex); }
    void SetCellColour(int intIndex, const QColor& objColour);
    /// The name a screen reader announces for a cell; an empty name (the default) announces the
    /// cell's colour as "Red 255, green 204, blue 0".
    void SetCellName(int intIndex, const QString& strName);
    QString CellName(int intIndex) const;
    /// Clicks a cell as the mouse does; the way assistive technology presses a cell.
    void ClickCell(int intIndex);
    /// Returns the topmost cell at a point, or -1.
    int CellAt(const QPoint& objPoint) const;

    QSize sizeHint() const override;

signals:
    void CellClicked(int intIndex);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::vector<QRect> arrCellRect;
    std::vector<QColor> arrCellColour;
    std::vector<QString> arrCellName;
    int intPressedCell = -1;
};
