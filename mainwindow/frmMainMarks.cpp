// Selecting a colour mark: by mouse or keys, at once or, while another routine is half done,
// once it has finished.

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "core/modSupport.h"
#include "mainwindow/frmMain.h"

namespace {

using modSupport::Guarded;

// The mark an arrow key moves to, relative to the focused one.
int MarkStep(int intKey) {
    switch (intKey) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            return -1;
        case Qt::Key_Right:
        case Qt::Key_Down:
            return 1;
        default:
            return 0;
    }
}

}  // namespace

void frmMain::optColor_Toggled(int intIndex) {
    Guarded([&] {
        // A mark chosen while another routine is half done waits until it has finished, so
        // that the marks, the editor and the palette never disagree.
        // Only the toggle that the program's own selection causes is the program's.
        const bool blnByProgram = std::exchange(blnSelectingMark, false);
        if (intBusyDepth > 0 && !blnByProgram) {
            blnMarkPending = true;
            return;
        }
        optColor_Click(intIndex);
    });
}

void frmMain::SelectPendingMark() {
    Guarded([&] {
        if (!blnMarkPending || intBusyDepth > 0) return;
        blnMarkPending = false;
        const int intChecked = grpColor->checkedId();
        if (intChecked >= 0 && intChecked != objPalette.intSelectedMark) optColor_Click(intChecked);
    });
}

frmMain::BusyScope::BusyScope(frmMain& frm) : frm(frm) { ++frm.intBusyDepth; }

frmMain::BusyScope::~BusyScope() {
    if (--frm.intBusyDepth > 0 || !frm.blnMarkPending) return;
    QTimer::singleShot(0, &frm, [objWindow = &frm] { objWindow->SelectPendingMark(); });
}

void frmMain::optColor_Click(int intIndex) {
    Guarded([&] {
        const BusyScope objBusy(*this);
        blnNameCheck = false;
        blnScrollEvents = false;
        objPalette.intSelectedMark = static_cast<std::int16_t>(intIndex);
        emit objPaletteEvents.selectedMarkChanged(intIndex);
        SetScrollBars(objPalette.arrMarkColour.at(intIndex), ColourBarsTurn::Now);
        EnableOnlySelectedSample();
        modSupport::DoEvents();
        blnScrollEvents = true;
        ApplyScrollBarColour();
        blnNameCheck = true;
    });
}

void frmMain::EnableOnlySelectedSample() {
    for (int i = 0; i < intMarkCount; ++i) {
        const bool blnSelected = i == objPalette.intSelectedMark;
        picSample.at(i)->setToolTip(blnSelected ? QLatin1String(strPickTip) : QString());
        picSample.at(i)->setEnabled(blnSelected);
    }
}

bool frmMain::MarkKeyEvent(QObject* objWatched, QEvent* event) {
    // An arrow key on a mark moves the focus before it selects the next mark, so that keys
    // arriving while that selection runs start from the mark they will see selected.
    if (event->type() != QEvent::KeyPress) return false;
    const auto itMark = std::find(optColor.begin(), optColor.end(), objWatched);
    if (itMark == optColor.end()) return false;
    const int intStep = MarkStep(static_cast<QKeyEvent*>(event)->key());
    if (intStep == 0) return false;
    const auto intNext = static_cast<int>(itMark - optColor.begin()) + intStep;
    if (intNext >= 0 && intNext < intMarkCount) {
        optColor.at(intNext)->setFocus(intStep < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        optColor.at(intNext)->setChecked(true);
    }
    return true;
}
