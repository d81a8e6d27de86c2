// Colour names: the name fields, Find JavaScript Names, Copy JavaScript Names and Colour
// Properties.

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <string>

#include "core/Classification.h"
#include "core/ColourValue.h"
#include "core/NamedColours.h"
#include "core/modSupport.h"
#include "mainwindow/frmMain.h"
#include "settings/SettingsStore.h"
#include "widgets/QtColour.h"

namespace {

using modSupport::Guarded;

void PutCaretAtEnd(QLineEdit* objField) { objField->setCursorPosition(objField->text().size()); }

}  // namespace

void frmMain::SetNameStale(int intIndex, bool blnStale) {
    arrNameStale.at(intIndex) = blnStale;
    SetBackColour(txtName.at(intIndex), blnStale ? lngStaleNameColour : lngWhite);
}

void frmMain::txtName_Change(int intIndex) {
    Guarded([&] {
        QLineEdit* objField = txtName.at(intIndex);
        objPalette.SetMarkName(intIndex, objField->text().toStdString());
        emit objPaletteEvents.markChanged(intIndex);
        SetNameStale(intIndex, false);
        if (blnFindingNames) return;
        if (objField->text() == QLatin1String(strNotJavaScriptPlaceholder))
            objField->setText(QLatin1String(strNoNamePlaceholder));
        PutCaretAtEnd(objField);
    });
}

void frmMain::txtName_Click(int intIndex) {
    Guarded([&] {
        if (blnSelectNameOnClick) txtName.at(intIndex)->selectAll();
        blnSelectNameOnClick = false;
    });
}

void frmMain::txtName_DblClick(int intIndex) {
    Guarded([&] { txtName.at(intIndex)->selectAll(); });
}

void frmMain::txtName_GotFocus(int intIndex, Qt::FocusReason enmReason) {
    Guarded([&] {
        // Moving in by the keyboard selects the name; a click is left to txtName_Click.
        if (enmReason == Qt::TabFocusReason || enmReason == Qt::BacktabFocusReason)
            txtName.at(intIndex)->selectAll();
    });
}

void frmMain::txtName_LostFocus(int /*intIndex*/, Qt::FocusReason enmReason) {
    Guarded([&] {
        // A context menu or another window takes the focus only for a moment.
        if (enmReason == Qt::PopupFocusReason || enmReason == Qt::ActiveWindowFocusReason) return;
        blnSelectNameOnClick = true;
    });
}

void frmMain::mnuEditFind_Click() {
    Guarded([&] {
        const BusyScope objBusy(*this);
        {
            const modSupport::ScopedFlag objFinding(blnFindingNames, true);
            for (int i = 0; i < intMarkCount; ++i) {
                QLineEdit* objField = txtName.at(i);
                const std::int16_t intFound = FindNamedColour(SampleColour(i));
                if (intFound < 0) {
                    objField->setText(QLatin1String(strNotJavaScriptPlaceholder));
                    continue;
                }
                const QString strName =
                    QString::fromStdString(PreferredColourName(strNamedColour(intFound)));
                if (strName == objField->text()) continue;
                objField->setText(strName);
                PutCaretAtEnd(objField);
            }
            modSupport::DoEvents();
        }
        SetNameBackgroundsWhite();
    });
}

void frmMain::chkJSNamesOnly_Click() {
    Guarded([&] {
        const BusyScope objBusy(*this);
        modSupport::DoEvents();
        ProgramSettings& objSettings = objServices.objSettings;
        if (chkJSNamesOnly->isChecked()) {
            objSettings.blnJavaScriptNamesOnly = true;
            // With no format selected the remembered one stays, so switching back finds one.
            if (lstAutocopy->currentRow() >= 0)
                objSettings.intCurrentFormat = static_cast<std::int16_t>(lstAutocopy->currentRow());
            lstAutocopy->setCurrentRow(-1);
            lstAutocopy->setEnabled(false);
        } else {
            objSettings.blnJavaScriptNamesOnly = false;
            lstAutocopy->setEnabled(true);
            lstAutocopy->setCurrentRow(objSettings.intCurrentFormat);
        }
        RenderThumbsCode();
    });
}

void frmMain::mnuHelpColorProperties_Click() {
    Guarded([&] {
        const int intMark = objPalette.intSelectedMark;
        const std::int32_t lngColour = SampleColour(intMark);
        std::string strWebsafe = "The selected colour is not a websafe colour.";
        std::string strJavaScript = "The selected colour is not a JavaScript colour.";
        std::string strFailsafe = "The selected colour will not look good in failsafe mode.";
        if (IsWebsafe(lngColour)) strWebsafe = "The selected colour is a websafe colour.";
        const std::int16_t intFound = FindNamedColour(lngColour);
        std::string strName;
        if (intFound >= 0) {
            strName = strNamedColour(intFound);
            std::string strShownName = strName;
            if (strName == "aqua" || strName == "cyan") {
                strName = "cyan";
                strShownName = "cyan (also known as aqua)";
            } else if (strName == "fuchsia" || strName == "magenta") {
                strName = "magenta";
                strShownName = "magenta (also known as fuchsia)";
            }
            strJavaScript =
                "The selected colour is a JavaScript colour.\n\nIn JavaScript, the name of the "
                "selected colour is " +
                strShownName + ".";
        }
        if (IsFailsafe(lngColour))
            strFailsafe = "The selected colour will look good in failsafe mode.";
        const std::string strReport = strWebsafe + "\n\n" + strFailsafe + "\n\n" + strJavaScript;

        QLineEdit* objField = txtName.at(intMark);
        if (intFound >= 0 && QString::fromStdString(strName) != objField->text()) {
            const MessageAnswer enmAnswer = objServices.objMessages.Show(
                strReport + "\n\nDo you want to change the name of the selected colour to " +
                    strName + "?",
                "Colour Properties", MessageIcon::Information, MessageButtons::YesNo);
            if (enmAnswer != MessageAnswer::Yes) return;
            objField->setText(QString::fromStdString(strName));
            PutCaretAtEnd(objField);
            return;
        }
        objServices.objMessages.Show(strReport, "Colour Properties", MessageIcon::Information,
                                     MessageButtons::Ok);
    });
}
