// Precise Pick (Tools, F7): the frozen screens with a magnifier on X11, the desktop's own pick
// where the desktop picks. The colour taken reaches the selected mark through the three bars.

#include <QAction>
#include <QPointer>
#include <string>

#include "core/ColourValue.h"
#include "core/modSupport.h"
#include "help/HelpSupport.h"
#include "mainwindow/frmMain.h"
#include "precisepick/PrecisePick.h"

namespace {

using modSupport::Guarded;

}  // namespace

void frmMain::ConnectPrecisePick() {
    connect(mnuToolsPrecisePick, &QAction::triggered, this,
            [this] { mnuToolsPrecisePick_Click(); });
}

void frmMain::mnuToolsPrecisePick_Click() {
    Guarded([&] {
        if (objPick.blnPicking) return;
        if (objServices.objScreen.PicksThroughDesktop()) {
            // The desktop's picker has its own magnifier; one pick at a time.
            if (objPrecise.blnDesktopPickPending || objPick.blnDesktopPickPending) return;
            objPrecise.blnDesktopPickPending = true;
            const std::uint32_t lngPick = ++objPrecise.lngDesktopPick;
            const int intMark = objPalette.intSelectedMark;
            const QPointer<frmMain> objWindow(this);
            objServices.objScreen.StartDesktopPick(
                [objWindow, lngPick, intMark](DesktopPickResult enmResult, std::int32_t lngColour) {
                    if (objWindow)
                        objWindow->PreciseDesktopPickEnded(lngPick, intMark, enmResult, lngColour);
                });
            return;
        }
        if (objPrecisePick && objPrecisePick->IsRunning()) return;
        if (!objPrecisePick) {
            objPrecisePick = new PrecisePick(objServices.objScreen, this);
            objPrecisePick->SetHelpOpener(
                HelpTopicOpener(objHTMLHelp, objServices.objMessages, strPrecisePickTopic));
            connect(objPrecisePick, &PrecisePick::taken, this,
                    [this](std::int32_t lngColour, int, int) { PrecisePickTaken(lngColour); });
        }
        objPrecise.intMark = objPalette.intSelectedMark;
        std::string strError;
        if (!objPrecisePick->Start(strError))
            objServices.objMessages.Show(strError, strProgramTitle, MessageIcon::Warning,
                                         MessageButtons::Ok);
    });
}

void frmMain::PrecisePickTaken(std::int32_t lngColour) {
    Guarded([&] {
        // The colour belongs to the mark it was picked for.
        if (objPrecise.intMark != objPalette.intSelectedMark) return;
        objPick.udtPickedColour = UnpackColour(lngColour);
        SetScrollBars(objPick.udtPickedColour);
    });
}

void frmMain::PreciseDesktopPickEnded(std::uint32_t lngPick, int intMark,
                                      DesktopPickResult enmResult, std::int32_t lngColour) {
    Guarded([&] {
        if (!objPrecise.blnDesktopPickPending || lngPick != objPrecise.lngDesktopPick) return;
        objPrecise.blnDesktopPickPending = false;
        if (enmResult == DesktopPickResult::Picked) {
            objPrecise.intMark = intMark;
            PrecisePickTaken(lngColour);
            return;
        }
        // Told as the drag pick tells it; while a drag's desktop pick is awaited, its answer
        // speaks for the desktop.
        if (!objPick.blnDesktopPickPending) TellDesktopPickProblem(enmResult);
    });
}
