// The Qt file dialogs, driven on the offscreen platform while their modal loop runs.

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/QtFileDialogs.h"

namespace {

// Runs fnStep on the modal loop every few milliseconds until it returns true, then closes the
// modal window; after 20 s it closes it anyway, which only keeps a broken dialog from hanging
// the run. The timer lives as long as the returned pointer.
std::unique_ptr<QTimer> WhileModal(std::function<bool()> fnStep) {
    auto objTimer = std::make_unique<QTimer>();
    QObject::connect(objTimer.get(), &QTimer::timeout, objTimer.get(),
                     [fnStep, objTimer = objTimer.get(), objDeadline = QDeadlineTimer(20000)] {
                         if (fnStep() || objDeadline.hasExpired()) {
                             objTimer->stop();
                             if (QWidget* objModal = QApplication::activeModalWidget())
                                 objModal->close();
                         }
                     });
    objTimer->start(5);
    return objTimer;
}

QFileDialog* OpenDialog() { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }

void WriteFile(const QString& strPath, const QByteArray& arrText) {
    QFile objFile(strPath);
    ASSERT_TRUE(objFile.open(QIODevice::WriteOnly));
    objFile.write(arrText);
}

FileDialogRequest SaveRequest(const QString& strFolder) {
    FileDialogRequest objRequest;
    objRequest.strTitle = "Save Palette As";
    objRequest.strFilter = "Text Files (*.txt)";
    objRequest.strDefaultSuffix = "txt";
    objRequest.strInitialFolder = QDir::toNativeSeparators(strFolder).toStdString();
    objRequest.blnSave = true;
    objRequest.blnOverwritePrompt = true;
    return objRequest;
}

}  // namespace

// A special file such as /proc/kmsg blocks whoever reads it, so listing a folder must never open
// a file. inotify tells whether anyone opened the listed files.
TEST(QtFileDialogs, FileListNeverOpensTheListedFiles) {
    QTemporaryDir objFolder;
    ASSERT_TRUE(objFolder.isValid());
    const std::vector<QString> arrNames = {"kmsg", "colours.txt", "picture.png", "noext.data"};
    for (const QString& strName : arrNames) {
        WriteFile(objFolder.filePath(strName), "#!/bin/sh\n<?xml version=\"1.0\"?>\n\x89PNG\r\n");
    }
    const int intWatch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(intWatch, 0);
    ASSERT_GE(inotify_add_watch(intWatch, QFile::encodeName(objFolder.path()).constData(),
                                IN_OPEN | IN_ACCESS),
              0);

    QtFileDialogs objDialogs;
    bool blnListed = false;
    const auto objDriver = WhileModal([&] {
        QFileDialog* objDialog = OpenDialog();
        if (!objDialog) return false;
        objDialog->setViewMode(QFileDialog::Detail);
        auto* objModel = objDialog->findChild<QFileSystemModel*>();
        if (!objModel) return false;
        const QModelIndex objRoot = objModel->index(objFolder.path());
        if (objModel->rowCount(objRoot) != static_cast<int>(arrNames.size())) return false;
        // Icons and type names come from the same worker; once every type is known, so is
        // every icon.
        for (int i = 0; i < objModel->rowCount(objRoot); ++i) {
            objModel->index(i, 0, objRoot).data(Qt::DecorationRole);
            if (objModel->index(i, 2, objRoot).data().toString().isEmpty()) return false;
        }
        blnListed = true;
        return true;
    });
    // Without a filter every file is shown, so that the wait below sees each one listed.
    FileDialogRequest objRequest = SaveRequest(objFolder.path());
    objRequest.strFilter.clear();
    EXPECT_EQ(objDialogs.ChooseFile(objRequest), "");
    EXPECT_TRUE(blnListed);

    std::vector<std::string> arrOpened;
    alignas(inotify_event) char arrBuffer[4096];
    for (;;) {
        const ssize_t intRead = read(intWatch, arrBuffer, sizeof arrBuffer);
        if (intRead <= 0) break;
        for (ssize_t i = 0; i < intRead;) {
            const auto* objEvent = reinterpret_cast<const inotify_event*>(arrBuffer + i);
            // An event without a name is the folder itself being listed.
            if (objEvent->len > 0) arrOpened.emplace_back(objEvent->name);
            i += static_cast<ssize_t>(sizeof(inotify_event) + objEvent->len);
        }
    }
    close(intWatch);
    EXPECT_TRUE(arrOpened.empty()) << "opened: " << testing::PrintToString(arrOpened);
}

TEST(QtFileDialogs, TypedNameWithADoubleQuoteIsRefusedAndNeverSavedElsewhere) {
    QTemporaryDir objFolder;
    ASSERT_TRUE(objFolder.isValid());
    QtFileDialogs objDialogs;
    std::vector<std::string> arrWarnings;
    int intStep = 0;
    const auto objDriver = WhileModal([&] {
        QWidget* objModal = QApplication::activeModalWidget();
        if (auto* objBox = qobject_cast<QMessageBox*>(objModal)) {
            arrWarnings.push_back(objBox->windowTitle().toStdString() + ": " +
                                  objBox->text().toStdString());
            EXPECT_EQ(objBox->icon(), QMessageBox::Warning);
            objBox->accept();
            return false;
        }
        QFileDialog* objDialog = OpenDialog();
        auto* objName = objDialog ? objDialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
        if (!objName) return false;
        if (intStep == 0) {
            objName->setText("a\"b.txt");
            ++intStep;
            QMetaObject::invokeMethod(objDialog, "accept", Qt::QueuedConnection);
            return false;
        }
        if (intStep == 1) {
            // The dialog stays open after the warning; a plain name goes through.
            if (arrWarnings.empty()) return false;
            objName->setText("plain name");
            ++intStep;
            QMetaObject::invokeMethod(objDialog, "accept", Qt::QueuedConnection);
        }
        return false;
    });
    const std::string strChosen = objDialogs.ChooseFile(SaveRequest(objFolder.path()));
    EXPECT_EQ(strChosen,
              QDir::toNativeSeparators(objFolder.filePath("plain name.txt")).toStdString());
    ASSERT_EQ(arrWarnings.size(), 1u);
    EXPECT_EQ(arrWarnings[0],
              "Huevra: A file name with a double quote (\") cannot be used here. Please type "
              "another name.");
    EXPECT_FALSE(QFile::exists(objFolder.filePath("b.txt")));
}

// With several filters the dialog reports the chosen one, and a name typed without an
// extension gets the chosen filter's.
TEST(QtFileDialogs, SeveralFiltersReportTheChosenOneAndLendItsExtension) {
    QTemporaryDir objFolder;
    ASSERT_TRUE(objFolder.isValid());
    QtFileDialogs objDialogs;
    FileDialogRequest objRequest = SaveRequest(objFolder.path());
    objRequest.strTitle = "Export Palette";
    objRequest.arrFilters = {"GIMP palette (*.gpl)", "CSS custom properties (*.css)",
                             "SCSS variables (*.scss)"};
    objRequest.strDefaultSuffix = "gpl";
    std::string strChosenFilter;
    objRequest.pstrChosenFilter = &strChosenFilter;
    bool blnAccepted = false;
    const auto objDriver = WhileModal([&] {
        QFileDialog* objDialog = OpenDialog();
        auto* objName = objDialog ? objDialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
        if (!objName || blnAccepted) return false;
        EXPECT_EQ(objDialog->nameFilters().size(), 3);
        EXPECT_EQ(objDialog->selectedNameFilter(), "GIMP palette (*.gpl)");
        auto* objTypes = objDialog->findChild<QComboBox*>("fileTypeCombo");
        EXPECT_NE(objTypes, nullptr);
        if (objTypes) objTypes->setCurrentIndex(1);
        objName->setText("export");
        blnAccepted = true;
        QMetaObject::invokeMethod(objDialog, "accept", Qt::QueuedConnection);
        return false;
    });
    const std::string strChosen = objDialogs.ChooseFile(objRequest);
    EXPECT_EQ(strChosen, QDir::toNativeSeparators(objFolder.filePath("export.css")).toStdString());
    EXPECT_EQ(strChosenFilter, "CSS custom properties (*.css)");
}
