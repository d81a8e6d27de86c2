// Selecting a colour mark: by mouse or keys, at once or, while another routine is half done,
// once it has finished.

#include <QButtonGroup>
#include <QFrame>
#include <QRadioButton>
#include <QTimer>
#include <utility>

#include "core/modSupport.h"
#include "mainwindow/frmMain.h"

namespace {

using modSupport::Guarded;

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
