// Huevra starts here: it takes no arguments and shows the main window.

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>

#include "core/modSupport.h"
#include "help/LazyHelpViewer.h"
#include "mainwindow/MainServices.h"
#include "mainwindow/frmMain.h"
#include "platform/QtClipboard.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtMessageBox.h"
#include "platform/QtScreen.h"
#include "platform/QtShell.h"
#include "settings/RegistryStringHandler.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // One application ID names the desktop entry, the metainfo and the icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.pellmark.Huevra"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/com.pellmark.Huevra.svg")));
    modSupport::SetEventPump([] { QCoreApplication::processEvents(); });

    QtClipboard objClipboard;
    QtScreen objScreen;
    RegistryStringHandler objRegistry;
    QtMessageBox objMessages;
    QtFileDialogs objFileDialogs;
    QtShell objShell;
    // The viewer and the libraries it needs are loaded only when help is first asked for.
    LazyHelpViewer objHelpViewer;
    // The settings of this run; every window is given them.
    ProgramSettings objSettings;
    const MainServices objServices{objClipboard,   objMessages, objScreen,     objRegistry,
                                   objFileDialogs, objShell,    objHelpViewer, objSettings};

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
