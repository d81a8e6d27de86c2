// Huevra starts here: it takes no arguments and shows the main window.

#include <QApplication>
#include <QCoreApplication>

#include "core/modSupport.h"
#include "mainwindow/MainServices.h"
#include "mainwindow/frmMain.h"
#include "platform/QtClipboard.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtMessageBox.h"
#include "platform/QtScreen.h"
#include "platform/QtShell.h"
#include "settings/RegistryStringHandler.h"

namespace {

// Stands in until the help viewer is connected: every topic reports that help cannot be shown.
class NoHelpViewer : public IHelpViewer {
public:
    bool ShowTopic(const std::string&) override { return false; }
    void Close() override {}
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    modSupport::SetEventPump([] { QCoreApplication::processEvents(); });

    QtClipboard objClipboard;
    QtScreen objScreen;
    RegistryStringHandler objRegistry;
    QtMessageBox objMessages;
    QtFileDialogs objFileDialogs;
    QtShell objShell;
    NoHelpViewer objHelp;
    const MainServices objServices{objClipboard,   objMessages, objScreen, objRegistry,
                                   objFileDialogs, objShell,    objHelp};

    frmMain frm(objServices);
    // A failure while the window loaded has already told the user and ends the run.
    if (frm.blnClosingAfterError) return 1;
    objMessages.SetParent(&frm);
    objFileDialogs.SetParent(&frm);
    frm.show();
    // A window that is shown also becomes the active one, with or without a window manager.
    frm.activateWindow();
    const int intResult = app.exec();
    modSupport::SetEventPump({});
    return intResult;
}
