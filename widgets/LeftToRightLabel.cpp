#include "widgets/LeftToRightLabel.h"

#include <QPainter>
#include <QStyle>

LeftToRightLabel::LeftToRightLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void LeftToRightLabel::paintEvent(QPaintEvent* event) {
    // The frame as any label draws it, then the text on one line from the left.
    QFrame::paintEvent(event);
    QPainter objPainter(this);
    QRect objText = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    // A label with a frame and no indent of its own indents by half an "x", as QLabel does.
    const int intIndent = indent() >= 0
                              ? indent()
                              : (frameWidth() > 0 ? fontMetrics().horizontalAdvance(u'x') / 2 : 0);
    objText.setLeft(objText.left() + intIndent);
    const int intFlags = Qt::AlignLeft | Qt::AlignAbsolute |
                         (alignment() & Qt::AlignVertical_Mask) | Qt::TextForceLeftToRight |
                         Qt::TextSingleLine;
    style()->drawItemText(&objPainter, objText, intFlags, palette(), isEnabled(), text(),
                          foregroundRole());
}
