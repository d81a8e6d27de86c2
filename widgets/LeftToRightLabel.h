#pragma once

// A one-line plain-text label that lays its text out left to right, as code is written.

#include <QLabel>

class QPaintEvent;

/// A plain-text label whose text starts at its left edge and runs left to right whatever its
/// first letter and the window's layout direction; a text that begins with a right-to-left
/// letter would otherwise be right-aligned and read from the right.
class LeftToRightLabel : public QLabel {
    Q_OBJECT
public:
    explicit LeftToRightLabel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
