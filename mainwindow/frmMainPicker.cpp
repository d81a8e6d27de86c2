// The screen colour picker: Colour Pick Mode, a drag from the selected sample box across the
// screen, and the desktop's own pick where the screen cannot be read.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>

#include "core/ColourValue.h"
#include "core/modSupport.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmMainToolbar.h"
#include "widgets/QtColour.h"

namespace {

using modSupport::Guarded;

const char* const strOpenDisabledTip = "Uncheck the check box Colour Pick Mode to enable";
const char* const strNoDesktopPicker =
    "Colours cannot be picked from the screen here: the desktop offers no colour picker.\r\n\r\n"
    "Install the desktop portal (xdg-desktop-portal) with the backend of your desktop to pick "
    "colours.";
const char* const strInvalidDesktopColour =
    "No colour was picked: the desktop's colour picker returned an invalid colour.";
const char* const strNoDesktopAnswer =
    "No colour was picked: the desktop's colour picker gave no answer.";

// The mouse buttons of an event as a bit set: 1 left, 2 right, 4 middle.
int ButtonBits(Qt::MouseButtons enmButtons) {
    return (enmButtons & Qt::LeftButton ? 1 : 0) | (enmButtons & Qt::RightButton ? 2 : 0) |
           (enmButtons & Qt::MiddleButton ? 4 : 0);
}

// The modifier keys of an event as a bit set: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftBits(Qt::KeyboardModifiers enmModifiers) {
    return (enmModifiers & Qt::ShiftModifier ? 1 : 0) |
           (enmModifiers & Qt::ControlModifier ? 2 : 0) | (enmModifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace

void frmMain::chkColorPick_Click() {
    Guarded([&] {
        const BusyScope objBusy(*this);
        modSupport::DoEvents();
        // Read after the pending events, which may have changed the box again.
        const bool blnOn = chkColorPick->isChecked();
        if (!blnOn) {
            EndPick(false);
            // A desktop pick still awaited ends with the mode; its answer is dropped.
            objPick.blnDesktopPickPending = false;
            ++objPick.lngDesktopPick;
        }
        picSampleContainer->setEnabled(blnOn);
        // Palette files cannot be opened in the mode; the palette windows still can.
        mnuFileOpen->setEnabled(!blnOn);
        mnuFileOpenInNotepad->setEnabled(!blnOn);
        ToolButton(intToolOpen)->setEnabled(!blnOn);
        ToolButton(intToolOpenInNotepad)->setEnabled(!blnOn);
        ToolButton(intToolOpen)
            ->setToolTip(blnOn ? QLatin1String(strOpenDisabledTip) : ToolButtonTip(intToolOpen));
        ToolButton(intToolOpenInNotepad)
            ->setToolTip(blnOn ? QLatin1String(strOpenDisabledTip)
                               : ToolButtonTip(intToolOpenInNotepad));
    });
}

void frmMain::picSample_MouseDown(int intIndex, int intButton, int, int, int) {
    Guarded([&] {
        if ((intButton & 1) == 0) return;
        // Only the selected mark's box takes a pick, and only in Colour Pick Mode.
        QFrame* objSample = picSample.at(intIndex);
        if (intIndex != objPalette.intSelectedMark || !objSample->isEnabled() ||
            !chkColorPick->isChecked())
            return;
        // A press while a pick is still under way means its release was lost.
        EndPick(false);
        if (objServices.objScreen.PicksThroughDesktop()) {
            StartDesktopPick();
            return;
        }
        objPick.blnPicking = true;
        objPick.blnPickRead = false;
        objPick.intPickSample = intIndex;
        // Precise Pick waits until the drag pick has ended.
        mnuToolsPrecisePick->setEnabled(false);
        QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
        // The mouse follows the box through the press's implicit grab. The box takes the keys
        // for Escape, without a grab, so that the desktop can still switch windows.
        objPick.objFocusBeforePick = QApplication::focusWidget();
        objSample->setFocus(Qt::MouseFocusReason);
        // Moves without a button then reach the box too, telling that the release was lost.
        objSample->setMouseTracking(true);
        hsbRed->hide();
        hsbGreen->hide();
        hsbBlue->hide();
        picPick->show();
        // A press without a move still reads the pixel it was made on.
        ReadPickedPixel();
    });
}

void frmMain::picSample_MouseMove(int intIndex, int intButton, int, int, int) {
    Guarded([&] {
        if (!objPick.blnPicking || intIndex != objPick.intPickSample) return;
        // Moves without the left button mean that its release went elsewhere.
        if ((intButton & 1) == 0) {
            EndPick(false);
            return;
        }
        if (intButton != 1) return;
        ReadPickedPixel();
    });
}

void frmMain::picSample_MouseUp(int intIndex, int intButton, int, int, int) {
    Guarded([&] {
        if ((intButton & 1) == 0 || !objPick.blnPicking || intIndex != objPick.intPickSample)
            return;
        EndPick(true);
    });
}

bool frmMain::ReadPickedPixel() {
    try {
        const std::int32_t lngValue = objServices.objScreen.PixelUnderCursor();
        objPick.udtPickedColour.lngRed = lngValue & 255;
        objPick.udtPickedColour.lngGreen = (lngValue / 256) & 255;
        objPick.udtPickedColour.lngBlue = (lngValue / 65536) & 255;
    } catch (...) {
        // A pixel that cannot be read is skipped; the drag goes on.
        return false;
    }
    objPick.blnPickRead = true;
    SetBackColour(picPick, PackColour(objPick.udtPickedColour));
    return true;
}

void frmMain::EndPick(bool blnApply) {
    Guarded([&] {
        if (!objPick.blnPicking) return;
        // Everything of the pick is undone first, so that events run by the update path see
        // no pick under way.
        const bool blnTake = blnApply && objPick.blnPickRead;
        QFrame* objSample = picSample.at(objPick.intPickSample);
        objPick.blnPicking = false;
        objPick.blnPickRead = false;
        objPick.intPickSample = -1;
        mnuToolsPrecisePick->setEnabled(true);
        picPick->hide();
        hsbRed->show();
        hsbGreen->show();
        hsbBlue->show();
        QGuiApplication::restoreOverrideCursor();
        objSample->setMouseTracking(false);
        if (objSample->hasFocus() && objPick.objFocusBeforePick)
            objPick.objFocusBeforePick->setFocus();
        objPick.objFocusBeforePick = nullptr;
        if (blnTake) SetScrollBars(objPick.udtPickedColour);
    });
}

void frmMain::StartDesktopPick() {
    if (objPick.blnDesktopPickPending) return;
    objPick.blnDesktopPickPending = true;
    const std::uint32_t lngPick = ++objPick.lngDesktopPick;
    const int intMark = objPalette.intSelectedMark;
    // The answer may come after the window has gone.
    const QPointer<frmMain> objWindow(this);
    objServices.objScreen.StartDesktopPick(
        [objWindow, lngPick, intMark](DesktopPickResult enmResult, std::int32_t lngColour) {
            if (objWindow) objWindow->DesktopPickEnded(lngPick, intMark, enmResult, lngColour);
        });
}

void frmMain::DesktopPickEnded(std::uint32_t lngPick, int intMark, DesktopPickResult enmResult,
                               std::int32_t lngColour) {
    Guarded([&] {
        // Only the pick awaited answers, and only once.
        if (!objPick.blnDesktopPickPending || lngPick != objPick.lngDesktopPick) return;
        objPick.blnDesktopPickPending = false;
        TellDesktopPickProblem(enmResult);
        if (enmResult != DesktopPickResult::Picked) return;
        // The colour belongs to the mark it was picked for, while the mode lasts.
        if (intMark != objPalette.intSelectedMark || !chkColorPick->isChecked()) return;
        objPick.udtPickedColour = UnpackColour(lngColour);
        SetScrollBars(objPick.udtPickedColour);
    });
}

void frmMain::TellDesktopPickProblem(DesktopPickResult enmResult) {
    const char* strProblem = nullptr;
    switch (enmResult) {
        case DesktopPickResult::Picked:
        case DesktopPickResult::Cancelled:
            break;
        case DesktopPickResult::Unavailable:
            // Said once a run: the desktop will not grow a picker while the program runs.
            if (objPick.blnDesktopPickUnavailableShown) return;
            objPick.blnDesktopPickUnavailableShown = true;
            strProblem = strNoDesktopPicker;
            break;
        case DesktopPickResult::InvalidColour:
            strProblem = strInvalidDesktopColour;
            break;
        case DesktopPickResult::NoAnswer:
            strProblem = strNoDesktopAnswer;
            break;
    }
    if (strProblem != nullptr)
        objServices.objMessages.Show(strProblem, strProgramTitle, MessageIcon::Warning,
                                     MessageButtons::Ok);
}

bool frmMain::PickerEvent(QObject* objWatched, QEvent* event) {
    return Guarded([&] {
        const auto itSample = std::find(picSample.begin(), picSample.end(), objWatched);
        if (itSample == picSample.end()) return false;
        const auto intIndex = static_cast<int>(itSample - picSample.begin());
        const bool blnThisPick = objPick.blnPicking && intIndex == objPick.intPickSample;
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::MouseButtonRelease: {
                const auto* objMouse = static_cast<QMouseEvent*>(event);
                const QPoint objPos = objMouse->position().toPoint();
                const int intShift = ShiftBits(objMouse->modifiers());
                if (event->type() == QEvent::MouseMove)
                    picSample_MouseMove(intIndex, ButtonBits(objMouse->buttons()), intShift,
                                        objPos.x(), objPos.y());
                else if (event->type() == QEvent::MouseButtonRelease)
                    picSample_MouseUp(intIndex, ButtonBits(objMouse->button()), intShift,
                                      objPos.x(), objPos.y());
                else
                    picSample_MouseDown(intIndex, ButtonBits(objMouse->button()), intShift,
                                        objPos.x(), objPos.y());
                return true;
            }
            case QEvent::KeyPress:
                if (!blnThisPick) return false;
                if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) EndPick(false);
                // Keys do nothing else while a pick holds the keyboard.
                return true;
            case QEvent::WindowDeactivate:
            case QEvent::Hide:
                // The window has lost the user to another window or dialog.
                if (blnThisPick) EndPick(false);
                return false;
            case QEvent::EnabledChange:
                if (blnThisPick && !picSample.at(intIndex)->isEnabled()) EndPick(false);
                return false;
            default:
                return false;
        }
    });
}

bool frmMain::SampleTipEvent(QObject* objWatched, QEvent* event) {
    // Qt shows tool tips on disabled widgets too; a sample's pick tip only helps while it works.
    if (event->type() != QEvent::ToolTip) return false;
    for (const QFrame* objSample : picSample)
        if (objWatched == objSample && !objSample->isEnabled()) return true;
    return false;
}
