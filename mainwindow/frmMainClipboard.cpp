// The code text, the code format list, the clipboard monitor and Copy / Paste Colour.

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTimer>
#include <string>

#include "core/CodeFormats.h"
#include "core/ColourValue.h"
#include "core/NamedColours.h"
#include "core/modSupport.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmMainToolbar.h"
#include "palette/PaletteModel.h"
#include "settings/SettingsStore.h"

namespace {
using modSupport::Guarded;
constexpr std::int32_t lngTickLimit = 1000000000;
}  // namespace

void frmMain::RenderColourCode(std::int16_t intRed, std::int16_t intGreen, std::int16_t intBlue) {
    Guarded([&] {
        const ProgramSettings& objSettings = objServices.objSettings;
        if (objSettings.blnJavaScriptNamesOnly) {
            ShowPreview(JavaScriptNameOfHex(strHexPair(intRed) + strHexPair(intGreen) +
                                            strHexPair(intBlue)));
            ResetClipboardTicks();
            return;
        }
        const int intFormat = lstAutocopy->currentRow();
        if (intFormat >= 0 && intFormat < intCodeFormatCount)
            ShowPreview(
                ColourCodeText(intFormat, intRed, intGreen, intBlue, objSettings.strCustomFormat));
        modSupport::DoEvents();
        ResetClipboardTicks();
    });
}

void frmMain::ShowPreview(const std::string& strText) {
    // A template may hold control characters and direction marks, which would hide or reorder
    // what the clipboard gets; the preview shows them as the window title does.
    strPreviewText = strText;
    lblClipboard->setText(QString::fromStdString(VisibleText(strText)));
}

void frmMain::lstAutocopy_Click() {
    Guarded([&] {
        // A format chosen while pending events run is left to the run under way, which applies
        // formats until the list stays on one: the list, preview and clipboard end in step.
        if (blnApplyingFormat) return;
        const modSupport::ScopedFlag objApplying(blnApplyingFormat, true);
        int intFormat = 0;
        do {
            intFormat = lstAutocopy->currentRow();
            // A change of format never flags a name.
            blnNameCheck = false;
            ApplyScrollBarColour();
            blnNameCheck = true;
        } while (lstAutocopy->currentRow() != intFormat);
    });
}

void frmMain::ResetClipboardTicks() {
    lngClipboardTicks = 0;
    if (!blnClipboardTimerOn || tmrClip->isActive()) return;
    // An idle window's timer is stopped. Starting it counts as the first tick, so that the
    // clipboard is written 400 ms from now, within the 400 to 600 ms a running timer takes.
    lngClipboardTicks = 1;
    tmrClip->start();
}

void frmMain::StopClipboardTimer() {
    blnClipboardTimerOn = false;
    tmrClip->stop();
}

void frmMain::tmrClip_Timer() {
    Guarded([&] {
        ++lngClipboardTicks;
        if (lngClipboardTicks == 3) {
            ShowMarkClasses();
            modSupport::DoEvents();
            CopyPreviewToClipboard();
            // Nothing is left to count until the next reset, which starts the timer again; a
            // reset during the copy keeps it running.
            if (lngClipboardTicks >= 3) tmrClip->stop();
        }
        if (lngClipboardTicks > lngTickLimit) lngClipboardTicks = 0;
    });
}

void frmMain::CopyPreviewToClipboard() {
    Guarded([&] {
        try {
            objServices.objClipboard.Clear();
            objServices.objClipboard.SetText(strPreviewText);
        } catch (...) {
            // A clipboard held by another program: the next settled colour tries again.
        }
    });
}

void frmMain::mnuEditCopyColor_Click() {
    Guarded([&] {
        udtCopiedColour = objPalette.arrMarkColour.at(objPalette.intSelectedMark);
        mnuEditPasteColor->setEnabled(true);
        ToolButton(intToolPasteColour)->setEnabled(true);
        ToolButton(intToolPasteColour)->setToolTip(ToolButtonTip(intToolPasteColour));
    });
}

void frmMain::mnuEditPasteColor_Click() {
    Guarded([&] { SetScrollBars(udtCopiedColour); });
}
