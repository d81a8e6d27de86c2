// The openers of the Websafe, Failsafe and JavaScript windows.

#include <QPointer>
#include <QScrollBar>

#include "core/modSupport.h"
#include "mainwindow/frmMain.h"
#include "palettewindows/frmFailsafe.h"
#include "palettewindows/frmJavaScript.h"
#include "palettewindows/frmWebsafe.h"
#include "settings/SettingsStore.h"

namespace {

using modSupport::Guarded;

// Creates the window on first use; an open one is shown again and brought forward.
template <class Window, class... Extra>
void ShowPaletteWindow(QPointer<Window>& objWindow, const ColourScrollBars& objScrollBars,
                       Extra... objExtra) {
    if (!objWindow) objWindow = new Window(objScrollBars, objExtra...);
    objWindow->showNormal();
    objWindow->raise();
    objWindow->activateWindow();
}

}  // namespace

void frmMain::cmdWebsafe_Click() {
    Guarded([&] { ShowPaletteWindow(objWebsafe, {hsbRed, hsbGreen, hsbBlue}); });
}

void frmMain::cmdFailsafe_Click() {
    Guarded([&] { ShowPaletteWindow(objFailsafe, {hsbRed, hsbGreen, hsbBlue}); });
}

void frmMain::cmdJavaScript_Click() {
    Guarded([&] {
        ShowPaletteWindow(objJavaScript, {hsbRed, hsbGreen, hsbBlue},
                          objServices.objSettings.intSortIndex);
    });
}
