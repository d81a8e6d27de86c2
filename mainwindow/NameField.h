#pragma once

// A colour name field that reports clicks, double clicks and focus changes after its own
// handling of them, so that a selection made in answer is the one that stays.

#include <QLineEdit>

class NameField : public QLineEdit {
    Q_OBJECT
public:
    explicit NameField(QWidget* parent = nullptr) : QLineEdit(parent) {}

signals:
    void Clicked();
    void DoubleClicked();
    void FocusEntered(Qt::FocusReason enmReason);
    void FocusLeft(Qt::FocusReason enmReason);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
