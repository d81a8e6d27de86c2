#include "platform/QtShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QString>
#include <QUrl>

bool QtShell::OpenUrl(const std::string& strUrl) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(strUrl)));
}

bool QtShell::OpenInTextEditor(const std::string& strPath) {
    const QString strQtPath = QString::fromStdString(strPath);
    if (!QFileInfo(strQtPath).isFile()) return false;
    // A local-file URL hands the path over as one argument: no shell, no quoting.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(strQtPath));
}
