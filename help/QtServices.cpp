#include "help/QtServices.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QString>
#include <QUrl>

MessageAnswer QtMessageBox::Show(const std::string& strText, const std::string& strTitle,
                                 MessageIcon enmIcon, MessageButtons enmButtons) {
    QMessageBox::Icon enmQtIcon = QMessageBox::Information;
    switch (enmIcon) {
        case MessageIcon::Information: enmQtIcon = QMessageBox::Information; break;
        case MessageIcon::Warning: enmQtIcon = QMessageBox::Warning; break;
        case MessageIcon::Question: enmQtIcon = QMessageBox::Question; break;
        case MessageIcon::Critical: enmQtIcon = QMessageBox::Critical; break;
    }
    QMessageBox::StandardButtons enmQtButtons = QMessageBox::Ok;
    QMessageBox::StandardButton enmDefault = QMessageBox::Ok;
    switch (enmButtons) {
        case MessageButtons::Ok: break;
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
                       objParent_);
    objBox.setDefaultButton(enmDefault);
    if (enmButtons == MessageButtons::YesNoCancel || enmButtons == MessageButtons::OkCancel)
        objBox.setEscapeButton(QMessageBox::Cancel);
    switch (objBox.exec()) {
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        case QMessageBox::Cancel: return MessageAnswer::Cancel;
        default: break;
    }
    // Escape on a box without Cancel answers with its only button.
    return enmButtons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

bool QtShell::OpenUrl(const std::string& strUrl) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(strUrl)));
}

bool QtShell::OpenInTextEditor(const std::string& strPath) {
    const QString strQtPath = QString::fromStdString(strPath);
    if (!QFileInfo(strQtPath).isFile()) return false;
    // A local-file URL hands the path over as one argument: no shell, no quoting.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(strQtPath));
}

std::string QtFileDialogs::ChooseFile(const FileDialogRequest& objRequest) {
    QFileDialog objDialog(objParent_, QString::fromStdString(objRequest.strTitle),
                          QString::fromStdString(objRequest.strInitialFolder),
                          QString::fromStdString(objRequest.strFilter));
    objDialog.setAcceptMode(objRequest.blnSave ? QFileDialog::AcceptSave
                                               : QFileDialog::AcceptOpen);
    // Neither open dialog requires the file to exist; the command that asked tells the user.
    objDialog.setFileMode(QFileDialog::AnyFile);
    objDialog.setDefaultSuffix(QString::fromStdString(objRequest.strDefaultSuffix));
    if (!objRequest.blnOverwritePrompt)
        objDialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (objDialog.exec() != QDialog::Accepted) return {};
    const QStringList arrFiles = objDialog.selectedFiles();
    if (arrFiles.isEmpty()) return {};
    return QDir::toNativeSeparators(arrFiles.first()).toStdString();
}

std::string QtFileDialogs::ChooseFolder(const std::string& strTitle,
                                        const std::string& strInitialFolder) {
    const QString strFolder = QFileDialog::getExistingDirectory(
        objParent_, QString::fromStdString(strTitle), QString::fromStdString(strInitialFolder));
    return QDir::toNativeSeparators(strFolder).toStdString();
}
