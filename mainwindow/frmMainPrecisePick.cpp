// Precise Pick (Tools, F7): the frozen screens with a magnifier on X11, the desktop's own pick
// where the desktop picks. The colour taken reaches the selected mark through the three bars.

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QPointer>
#include <functional>
#include <string>

#include "core/ColourValue.h"
#include "core/modSupport.h"
#include "help/HelpSupport.h"
#include "mainwindow/frmMain.h"
#include "precisepick/PrecisePick.h"

namespace {

using modSupport::Guarded;

/// The manual's page of Precise Pick, which F1 opens during the pick.
const char* const strPrecisePickTopic = "huevra12.htm";

/// Calls a routine when the widget it watches is shown or hidden.
class ShowWatcher : public QObject {
public:
    ShowWatcher(QObject* objParent, std::function<void(bool)> fnShown)
        : QObject(objParent), fnShown(std::move(fnShown)) {}

protected:
    bool eventFilter(QObject* objWatched, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            fnShown(event->type() == QEvent::Show);
        return QObject::eventFilter(objWatched, event);
    }

private:
    std::function<void(bool)> fnShown;
};

}  // namespace

void frmMain::ConnectPrecisePick() {
    connect(mnuToolsPrecisePick, &QAction::triggered, this,
            [this] { mnuToolsPrecisePick_Click(); });
    // The picked colour's box shows exactly while a drag pick runs; the item waits for its end.
    picPick->installEventFilter(new ShowWatcher(
        picPick, [this](bool blnShown) { mnuToolsPrecisePick->setEnabled(!blnShown); }));
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
        if (enmResult == DesktopPickResult::Cancelled || objPick.blnDesktopPickPending) return;
        // A desktop that cannot pick is told as the drag pick tells it, once a run.
        objPick.blnDesktopPickPending = true;
        DesktopPickEnded(objPick.lngDesktopPick, intMark, enmResult, lngColour);
        objPick.blnDesktopPickPending = false;
    });
}
