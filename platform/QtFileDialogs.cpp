#include "platform/QtFileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QString>
#include <QStringList>

std::string QtFileDialogs::ChooseFile(const FileDialogRequest& objRequest) {
    QFileDialog objDialog(objParent_, QString::fromStdString(objRequest.strTitle),
                          QString::fromStdString(objRequest.strInitialFolder),
                          QString::fromStdString(objRequest.strFilter));
    objDialog.setAcceptMode(objRequest.blnSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
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
