#include "mainwindow/NameField.h"

#include <QFocusEvent>
#include <QMouseEvent>

void NameField::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
}

void NameField::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

void NameField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    emit FocusEntered(event->reason());
}

void NameField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit FocusLeft(event->reason());
}
