#include "platform/QtMessageBox.h"

#include <QMessageBox>
#include <QString>

MessageAnswer QtMessageBox::Show(const std::string& strText, const std::string& strTitle,
                                 MessageIcon enmIcon, MessageButtons enmButtons) {
    QMessageBox::Icon enmQtIcon = QMessageBox::Information;
    switch (enmIcon) {
        case MessageIcon::Information:
            enmQtIcon = QMessageBox::Information;
            break;
        case MessageIcon::Warning:
            enmQtIcon = QMessageBox::Warning;
            break;
        case MessageIcon::Question:
            enmQtIcon = QMessageBox::Question;
            break;
        case MessageIcon::Critical:
            enmQtIcon = QMessageBox::Critical;
            break;
    }
    QMessageBox::StandardButtons enmQtButtons = QMessageBox::Ok;
    QMessageBox::StandardButton enmDefault = QMessageBox::Ok;
    switch (enmButtons) {
        case MessageButtons::Ok:
            break;
        case MessageButtons::OkCancel:
            enmQtButtons = QMessageBox::Ok | QMessageBox::Cancel;
            break;
        case MessageButtons::YesNo:
            enmQtButtons = QMessageBox::Yes | QMessageBox::No;
            enmDefault = QMessageBox::Yes;
            break;
        case MessageButtons::YesNoCancel:
            enmQtButtons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            enmDefault = QMessageBox::Yes;
            break;
    }
    // Line breaks are stored as CR LF; Qt wants a bare LF.
    QString strQtText = QString::fromStdString(strText);
    strQtText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox objBox(enmQtIcon, QString::fromStdString(strTitle), strQtText, enmQtButtons,
                       objParent);
    objBox.setDefaultButton(enmDefault);
    if (enmButtons == MessageButtons::YesNoCancel || enmButtons == MessageButtons::OkCancel)
        objBox.setEscapeButton(QMessageBox::Cancel);
    switch (objBox.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        default:
            break;
    }
    // Escape on a box without Cancel answers with its only button.
    return enmButtons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}
