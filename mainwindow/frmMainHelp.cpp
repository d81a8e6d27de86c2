// The Help menu of the main window: the manual, the home page and the About window.

#include "core/modSupport.h"
#include "help/HelpSupport.h"
#include "help/frmAbout.h"
#include "mainwindow/frmMain.h"

namespace {
using modSupport::Guarded;
}  // namespace

void frmMain::mnuHelpHelp_Click() {
    Guarded([&] { OpenHelpTopic(objHTMLHelp, objServices.objMessages, strMainWindowTopic); });
}

void frmMain::mnuHomePage_Click() {
    Guarded(
        [&] { OpenWebPage(objServices.objShell, objServices.objMessages, strHomePageAddress); });
}

void frmMain::mnuHelpAboutHuevra_Click() {
    Guarded([&] {
        frmAbout frm(objServices.objShell, objServices.objMessages, this);
        frm.exec();
    });
}

void frmMain::CloseHelpViewer() {
    try {
        objHTMLHelp.HelpClose();
    } catch (...) {
        // A viewer that cannot be closed goes with the program; the window closes regardless.
    }
}
