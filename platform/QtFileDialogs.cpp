#include "platform/QtFileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QString>
#include <QStringList>

namespace {

/// The message shown when a typed file name holds a double quote.
constexpr const char* strQuoteInNameText =
    "A file name with a double quote (\") cannot be used here. Please type another name.";

// The dialog's file list asks for an icon and a type name for every entry. Qt's own provider
// finds them by reading each file's first bytes, and reading some special files (/proc/kmsg, a
// file on a stalled network share) never returns, which freezes the dialog. This one uses only
// what the directory listing tells.
class ListingIconProvider : public QFileIconProvider {
public:
    using QFileIconProvider::icon;

    QIcon icon(const QFileInfo& objInfo) const override {
        if (objInfo.isRoot()) return icon(Drive);
        if (objInfo.isDir()) return icon(Folder);
        return icon(File);
    }

    QString type(const QFileInfo& objInfo) const override {
        if (objInfo.isRoot()) return QFileDialog::tr("Drive");
        if (objInfo.isDir()) return QFileDialog::tr("Folder");
        if (objInfo.isFile()) {
            const QString strSuffix = objInfo.suffix();
            return strSuffix.isEmpty() ? QFileDialog::tr("File")
                                       : strSuffix + QLatin1Char(' ') + QFileDialog::tr("File");
        }
        if (objInfo.isSymLink()) return QFileDialog::tr("Alias");
        return QFileDialog::tr("Unknown");
    }
};

/// Returns the extension of a filter's first pattern ("gpl" of "GIMP palette (*.gpl)"), or the
/// empty text when the pattern is no plain "*.ext".
QString FilterSuffix(const QString& strFilter) {
    const qsizetype intOpen = strFilter.lastIndexOf(QLatin1Char('('));
    const qsizetype intClose = strFilter.lastIndexOf(QLatin1Char(')'));
    if (intOpen < 0 || intClose <= intOpen) return {};
    const QStringList arrPatterns = strFilter.mid(intOpen + 1, intClose - intOpen - 1)
                                        .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (arrPatterns.isEmpty()) return {};
    const QString& strPattern = arrPatterns.first();
    if (!strPattern.startsWith(QLatin1String("*.")) || strPattern.size() < 3) return {};
    const QString strSuffix = strPattern.mid(2);
    if (strSuffix.contains(QLatin1Char('*')) || strSuffix.contains(QLatin1Char('?'))) return {};
    return strSuffix;
}

// Qt's dialog reads a typed name with double quotes as a list of quoted names and returns one of
// them ("a\"b.txt" gives "b.txt"), so such a name is refused and the dialog stays open.
class ExactNameDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    /// Set when a name typed without an extension gets the chosen filter's.
    bool blnSuffixOfFilter = false;

    void accept() override {
        const auto* objName = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (objName && objName->text().contains(QLatin1Char('"'))) {
            QMessageBox::warning(this, QString::fromUtf8(strProgramTitle),
                                 QString::fromUtf8(strQuoteInNameText));
            return;
        }
        // Set here rather than on a filter change, so that the overwrite question and the
        // returned name both see the extension of the filter chosen last.
        if (blnSuffixOfFilter) setDefaultSuffix(FilterSuffix(selectedNameFilter()));
        QFileDialog::accept();
    }
};

// A chooser opened from a modal dialog belongs to that dialog, so that the window manager keeps
// it with the dialog; any other to the window the service was given.
QWidget* Owner(QWidget* objParent) {
    if (QWidget* objModal = QApplication::activeModalWidget()) return objModal;
    return objParent;
}

}  // namespace

std::string QtFileDialogs::ChooseFile(const FileDialogRequest& objRequest) {
    ExactNameDialog objDialog(Owner(objParent), QString::fromStdString(objRequest.strTitle),
                              QString::fromStdString(objRequest.strInitialFolder),
                              QString::fromStdString(objRequest.strFilter));
    ListingIconProvider objIcons;
    objDialog.setIconProvider(&objIcons);
    objDialog.setAcceptMode(objRequest.blnSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Neither open dialog requires the file to exist; the command that asked tells the user.
    objDialog.setFileMode(QFileDialog::AnyFile);
    objDialog.setDefaultSuffix(QString::fromStdString(objRequest.strDefaultSuffix));
    if (!objRequest.arrFilters.empty()) {
        QStringList arrFilters;
        for (const std::string& strFilter : objRequest.arrFilters)
            arrFilters << QString::fromStdString(strFilter);
        objDialog.setNameFilters(arrFilters);
        objDialog.selectNameFilter(arrFilters.first());
        objDialog.blnSuffixOfFilter = true;
    }
    if (!objRequest.blnOverwritePrompt)
        objDialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (objDialog.exec() != QDialog::Accepted) return {};
    const QStringList arrFiles = objDialog.selectedFiles();
    if (arrFiles.size() != 1) return {};
    if (objRequest.pstrChosenFilter)
        *objRequest.pstrChosenFilter = objDialog.selectedNameFilter().toStdString();
    return QDir::toNativeSeparators(arrFiles.first()).toStdString();
}

std::string QtFileDialogs::ChooseFolder(const std::string& strTitle,
                                        const std::string& strInitialFolder) {
    ExactNameDialog objDialog(Owner(objParent), QString::fromStdString(strTitle),
                              QString::fromStdString(strInitialFolder));
    ListingIconProvider objIcons;
    objDialog.setIconProvider(&objIcons);
    objDialog.setFileMode(QFileDialog::Directory);
    objDialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (objDialog.exec() != QDialog::Accepted) return {};
    const QStringList arrFolders = objDialog.selectedFiles();
    if (arrFolders.size() != 1) return {};
    return QDir::toNativeSeparators(arrFolders.first()).toStdString();
}
