#include "platform/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>
#include <stdexcept>

namespace {
QClipboard& SystemClipboard() {
    QClipboard* objClipboard = QGuiApplication::clipboard();
    if (objClipboard == nullptr) throw std::runtime_error("no clipboard");
    return *objClipboard;
}
}  // namespace

void QtClipboard::Clear() { SystemClipboard().clear(QClipboard::Clipboard); }

void QtClipboard::SetText(const std::string& strText) {
    SystemClipboard().setText(QString::fromStdString(strText), QClipboard::Clipboard);
}
