// The colour update path and the colour editor: scroll bars, value fields and the colour bar.

#include <QCoreApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>
#include <string>

#include "core/ColourValue.h"
#include "core/modSupport.h"
#include "mainwindow/frmMain.h"
#include "widgets/ColourCells.h"
#include "widgets/QtColour.h"

namespace {

using modSupport::Guarded;

std::int32_t ClampComponent(std::int32_t lngValue) { return std::clamp(lngValue, 0, 255); }

}  // namespace

void frmMain::ApplyColour(std::int16_t intRed, std::int16_t intGreen, std::int16_t intBlue) {
    Guarded([&] {
        const BusyScope objBusy(*this);
        const std::uint32_t lngThisRun = ++lngApplyRuns;
        const std::int16_t intMark = objPalette.intSelectedMark;
        SetBackColour(picSample.at(intMark), PackColour(intRed, intGreen, intBlue));
        objPalette.SetMarkColour(
            intMark, typColour{.lngRed = intRed, .lngBlue = intBlue, .lngGreen = intGreen});
        emit objPaletteEvents.markChanged(intMark);

        blnValueEvents = false;
        ShowValueFields(intRed, intGreen, intBlue);
        modSupport::DoEvents();
        blnValueEvents = true;
        // A colour that arrived meanwhile has been through the whole path; this one is stale.
        if (lngApplyRuns != lngThisRun) return;

        cmdSetColor->setEnabled(false);
        RefreshColourBar(intRed, intGreen, intBlue);
        RenderColourCode(intRed, intGreen, intBlue);

        // A proper name may no longer fit the new colour.
        const int intSelected = objPalette.intSelectedMark;
        const QString strName = txtName.at(intSelected)->text();
        if (strName != QLatin1String(strNoNamePlaceholder) && !arrNameStale.at(intSelected) &&
            blnNameCheck) {
            if (strName != QLatin1String(strNotJavaScriptPlaceholder))
                SetNameStale(intSelected, true);
            for (QLineEdit* objOther : txtName)
                if (objOther->text() == QLatin1String(strNotJavaScriptPlaceholder))
                    objOther->setText(QLatin1String(strNoNamePlaceholder));
        }
    });
}

void frmMain::ShowValueFields(std::int16_t intRed, std::int16_t intGreen, std::int16_t intBlue) {
    Guarded([&] {
        const bool blnDecimal = optSetDec->isChecked();
        auto show = [blnDecimal](QLineEdit* objField, std::int16_t intValue) {
            objField->setText(
                QString::fromStdString(blnDecimal ? DecimalText(intValue) : strHexPair(intValue)));
        };
        show(txtSetRed, intRed);
        show(txtSetGreen, intGreen);
        show(txtSetBlue, intBlue);
    });
}

void frmMain::RefreshColourBar(std::int16_t intRed, std::int16_t intGreen, std::int16_t intBlue) {
    Guarded([&] {
        const std::int32_t lngLowest = std::min({intRed, intGreen, intBlue});
        for (int i = 0; i < static_cast<int>(arrColourBar.size()); ++i) {
            const std::int32_t lngShift = i - lngLowest;
            typColour& typCell = arrColourBar[i];
            typCell.lngRed = ClampComponent(intRed + lngShift);
            typCell.lngGreen = ClampComponent(intGreen + lngShift);
            typCell.lngBlue = ClampComponent(intBlue + lngShift);
            lblColorBar->SetCellColour(i,
                                       QColor(typCell.lngRed, typCell.lngGreen, typCell.lngBlue));
        }
    });
}

void frmMain::lblColorBar_Click(int intIndex) {
    Guarded([&] { SetScrollBars(arrColourBar.at(intIndex)); });
}

void frmMain::SetScrollBars(const typColour& typValue, ColourBarsTurn enmTurn) {
    // Passed as a copy: the bars' change events may rewrite the record being read.
    SetColourScrollBars({hsbRed, hsbGreen, hsbBlue}, typColour(typValue), enmTurn);
}

void frmMain::ApplyScrollBarColour() {
    const ThumbColour typThumbs = ColourAtThumbs(hsbRed, hsbGreen, hsbBlue);
    ApplyColour(typThumbs.intRed, typThumbs.intGreen, typThumbs.intBlue);
}

void frmMain::RenderThumbsCode() {
    const ThumbColour typThumbs = ColourAtThumbs(hsbRed, hsbGreen, hsbBlue);
    RenderColourCode(typThumbs.intRed, typThumbs.intGreen, typThumbs.intBlue);
}

void frmMain::ScrollBarEvent() {
    Guarded([&] {
        ResetClipboardTicks();
        if (blnScrollEvents) ApplyScrollBarColour();
    });
}

void frmMain::hsbRed_Scroll() { ScrollBarEvent(); }
void frmMain::hsbGreen_Scroll() { ScrollBarEvent(); }
void frmMain::hsbBlue_Scroll() { ScrollBarEvent(); }
void frmMain::hsbRed_Change() { ScrollBarEvent(); }
void frmMain::hsbGreen_Change() { ScrollBarEvent(); }
void frmMain::hsbBlue_Change() { ScrollBarEvent(); }

void frmMain::ValueFieldChange() {
    Guarded([&] {
        if (!blnValueEvents) return;
        cmdSetColor->setEnabled(true);
        optSetDec->setEnabled(false);
        optSetHex->setEnabled(false);
    });
}

void frmMain::txtSetRed_Change() { ValueFieldChange(); }
void frmMain::txtSetGreen_Change() { ValueFieldChange(); }
void frmMain::txtSetBlue_Change() { ValueFieldChange(); }

void frmMain::ValueFieldKeyPress(QString& strKeyText) {
    Guarded([&] { strKeyText = strKeyText.toUpper(); });
}

void frmMain::txtSetRed_KeyPress(QString& strKeyText) { ValueFieldKeyPress(strKeyText); }
void frmMain::txtSetGreen_KeyPress(QString& strKeyText) { ValueFieldKeyPress(strKeyText); }
void frmMain::txtSetBlue_KeyPress(QString& strKeyText) { ValueFieldKeyPress(strKeyText); }

void frmMain::ValueFieldKeyDown(QLineEdit* objField, int& intKeyCode) {
    Guarded([&] {
        if (intKeyCode != Qt::Key_Return && intKeyCode != Qt::Key_Enter) return;
        intKeyCode = 0;
        cmdSetColor_Click();
        objField->selectAll();
    });
}

void frmMain::txtSetRed_KeyDown(int& intKeyCode) { ValueFieldKeyDown(txtSetRed, intKeyCode); }
void frmMain::txtSetGreen_KeyDown(int& intKeyCode) { ValueFieldKeyDown(txtSetGreen, intKeyCode); }
void frmMain::txtSetBlue_KeyDown(int& intKeyCode) { ValueFieldKeyDown(txtSetBlue, intKeyCode); }

void frmMain::ValueFieldGotFocus(QLineEdit* objField, Qt::FocusReason enmReason) {
    Guarded([&] {
        // Moving in by Tab selects the value; a click leaves the caret where it landed.
        if (enmReason == Qt::TabFocusReason || enmReason == Qt::BacktabFocusReason)
            objField->selectAll();
    });
}

void frmMain::txtSetRed_GotFocus(Qt::FocusReason enmReason) {
    ValueFieldGotFocus(txtSetRed, enmReason);
}
void frmMain::txtSetGreen_GotFocus(Qt::FocusReason enmReason) {
    ValueFieldGotFocus(txtSetGreen, enmReason);
}
void frmMain::txtSetBlue_GotFocus(Qt::FocusReason enmReason) {
    ValueFieldGotFocus(txtSetBlue, enmReason);
}

bool frmMain::eventFilter(QObject* objWatched, QEvent* event) {
    if (PickerEvent(objWatched, event)) return true;
    if (MarkKeyEvent(objWatched, event)) return true;
    if (SampleTipEvent(objWatched, event)) return true;
    if (ValueFieldEvent(objWatched, event)) return true;
    return QMainWindow::eventFilter(objWatched, event);
}

bool frmMain::ValueFieldEvent(QObject* objWatched, QEvent* event) {
    const int intField = objWatched == txtSetRed     ? 0
                         : objWatched == txtSetGreen ? 1
                         : objWatched == txtSetBlue  ? 2
                                                     : -1;
    if (intField < 0) return false;
    auto* objField = static_cast<QLineEdit*>(objWatched);
    if (event->type() == QEvent::FocusIn) {
        // Qt's own focus handling keeps a selection made here.
        const Qt::FocusReason enmReason = static_cast<QFocusEvent*>(event)->reason();
        switch (intField) {
            case 0:
                txtSetRed_GotFocus(enmReason);
                break;
            case 1:
                txtSetGreen_GotFocus(enmReason);
                break;
            default:
                txtSetBlue_GotFocus(enmReason);
                break;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;

    auto* objKey = static_cast<QKeyEvent*>(event);
    int intKeyCode = objKey->key();
    switch (intField) {
        case 0:
            txtSetRed_KeyDown(intKeyCode);
            break;
        case 1:
            txtSetGreen_KeyDown(intKeyCode);
            break;
        default:
            txtSetBlue_KeyDown(intKeyCode);
            break;
    }
    if (intKeyCode == 0) return true;

    const QString strTyped = objKey->text();
    if (strTyped.isEmpty()) return false;
    QString strKeyText = strTyped;
    switch (intField) {
        case 0:
            txtSetRed_KeyPress(strKeyText);
            break;
        case 1:
            txtSetGreen_KeyPress(strKeyText);
            break;
        default:
            txtSetBlue_KeyPress(strKeyText);
            break;
    }
    if (strKeyText == strTyped) return false;
    // The field receives the replaced character instead of the typed one.
    QKeyEvent objReplaced(QEvent::KeyPress, objKey->key(), objKey->modifiers(), strKeyText,
                          objKey->isAutoRepeat(), objKey->count());
    QCoreApplication::sendEvent(objField, &objReplaced);
    return true;
}

void frmMain::cmdSetColor_Click() {
    Guarded([&] { ReadValueFields(optSetDec->isChecked()); });
}

void frmMain::ReadValueFields(bool blnDecimal) {
    Guarded([&] {
        const BusyScope objBusy(*this);
        const std::array<QLineEdit*, 3> arrField{txtSetRed, txtSetGreen, txtSetBlue};
        std::array<std::int32_t, 3> arrValue{};
        for (std::size_t i = 0; i < arrField.size(); ++i) {
            const std::string strText = arrField[i]->text().toStdString();
            std::int32_t lngValue = -1;
            if (blnDecimal) {
                lngValue = ParseDecimalComponent(strText);
            } else {
                const std::string strDigits = ValidateHexComponent(strText);
                if (strDigits != "-1") lngValue = std::stoi(strDigits, nullptr, 16);
            }
            if (lngValue < 0) {
                objServices.objMessages.Show(
                    blnDecimal ? "The value is not allowed. Only values from 0 to 255 are allowed."
                               : "The value is not allowed. Only values from 00 to FF are allowed.",
                    strProgramTitle, MessageIcon::Warning, MessageButtons::Ok);
                modSupport::DoEvents();
                arrField[i]->setFocus(Qt::OtherFocusReason);
                arrField[i]->selectAll();
                cmdSetColor->setEnabled(false);
                optSetDec->setEnabled(true);
                optSetHex->setEnabled(true);
                return;
            }
            arrValue[i] = lngValue;
        }
        if (blnDecimal) modSupport::DoEvents();
        typColour typValue;
        typValue.lngRed = arrValue[0];
        typValue.lngGreen = arrValue[1];
        typValue.lngBlue = arrValue[2];
        SetScrollBars(typValue);
        cmdSetColor->setEnabled(false);
        optSetDec->setEnabled(true);
        optSetHex->setEnabled(true);
    });
}

void frmMain::optSetDec_Click() {
    Guarded([&] { ApplyScrollBarColour(); });
}

void frmMain::optSetHex_Click() {
    Guarded([&] { ApplyScrollBarColour(); });
}
