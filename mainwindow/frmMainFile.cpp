// The File menu of the main window and its close request.

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "core/modSupport.h"
#include "mainwindow/frmMain.h"

namespace {
using modSupport::Guarded;
}  // namespace

void frmMain::mnuFileNew_Click() {
    Guarded([&] { objFileCommands.New(); });
}

void frmMain::mnuFileOpen_Click() {
    Guarded([&] { objFileCommands.Open(); });
}

void frmMain::mnuFileOpenInNotepad_Click() {
    Guarded([&] { objFileCommands.OpenInNotepad(); });
}

void frmMain::mnuFileSave_Click() {
    Guarded([&] { objFileCommands.Save(); });
}

void frmMain::mnuFileSaveAs_Click() {
    Guarded([&] { objFileCommands.SaveAs(); });
}

void frmMain::mnuFileExit_Click() {
    Guarded([&] { close(); });
}

void frmMain::closeEvent(QCloseEvent* event) {
    Guarded([&] {
        // After an unexpected failure the window closes without any question.
        if (blnClosingAfterError) {
            event->accept();
            return;
        }
        // A cancelled prompt, or a save that was asked for and did not happen, keeps the
        // program and all its windows open.
        if (!objFileCommands.QueryClose(blnClosingAfterError)) {
            event->ignore();
            return;
        }
        CloseOtherWindows();
        CloseHelpViewer();
        event->accept();
    });
    // A failure during the request leaves the event accepted, so the window goes with the others.
}

void frmMain::CloseOtherWindows() {
    // Gathered first: closing one window may delete another.
    std::vector<QPointer<QWidget>> arrWindow;
    for (QWidget* objWindow : QApplication::topLevelWidgets())
        if (objWindow != this) arrWindow.emplace_back(objWindow);
    for (const QPointer<QWidget>& objWindow : arrWindow)
        if (objWindow) objWindow->close();
}
