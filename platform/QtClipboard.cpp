#include "platform/QtClipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QString>
#include <stdexcept>

namespace {
QClipboard& SystemClipboard() {
    QClipboard* objClipboard = QGuiApplication::clipboard();
    if (objClipboard == nullptr) throw std::runtime_error("no clipboard");
    return *objClipboard;
}

bool RunsOnWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// Input from the desktop that gives the program a serial Qt then offers the clipboard with. The
// keyboard's arrival does not count: Qt keeps no serial from it.
bool IsFirstInput(const QEvent* event) {
    if (!event->spontaneous()) return false;
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::Enter:
        case QEvent::TouchBegin:
        case QEvent::TabletPress:
            return true;
        default:
            return false;
    }
}
}  // namespace

QtClipboard::QtClipboard() : QtClipboard(RunsOnWayland()) {}

QtClipboard::QtClipboard(bool blnOfferAgainAtFirstInput)
    : blnWaitingForInput(blnOfferAgainAtFirstInput) {
    if (blnWaitingForInput && QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->installEventFilter(this);
}

void QtClipboard::Clear() {
    blnTextPending = false;
    strPendingText.clear();
    SystemClipboard().clear(QClipboard::Clipboard);
}

void QtClipboard::SetText(const std::string& strText) {
    if (blnWaitingForInput) {
        blnTextPending = true;
        strPendingText = strText;
    }
    SystemClipboard().setText(QString::fromStdString(strText), QClipboard::Clipboard);
}

bool QtClipboard::eventFilter(QObject* objWatched, QEvent* event) {
    if (blnWaitingForInput && IsFirstInput(event)) {
        blnWaitingForInput = false;
        QCoreApplication::instance()->removeEventFilter(this);
        if (blnTextPending) {
            blnTextPending = false;
            try {
                SystemClipboard().setText(QString::fromStdString(strPendingText),
                                          QClipboard::Clipboard);
            } catch (...) {
                // No clipboard: the next settled colour tries again.
            }
            strPendingText.clear();
        }
    }
    return QObject::eventFilter(objWatched, event);
}
