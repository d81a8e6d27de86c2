#pragma once

// A main window on fake services, with the settings reset and the clipboard ticks driven by hand.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/CodeFormats.h"
#include "core/NamedColours.h"
#include "core/modSupport.h"
#include "mainwindow/MainServices.h"
#include "mainwindow/frmMain.h"
#include "palette/PaletteModel.h"
#include "settings/SettingsStore.h"
#include "tests/support/Fakes.h"

/// A clipboard that also records the order of its calls.
class OrderedClipboard : public FakeClipboard {
public:
    std::vector<std::string> arrCalls;
    void Clear() override {
        FakeClipboard::Clear();
        arrCalls.push_back("clear");
    }
    void SetText(const std::string& strText) override {
        FakeClipboard::SetText(strText);
        arrCalls.push_back("set " + strText);
    }
};

class frmMainTest : public ::testing::Test {
protected:
    OrderedClipboard objClipboard;
    FakeMessageBox objMessages;
    FakeScreen objScreen;
    FakeRegistry objRegistry;
    FakeFileDialogs objFileDialogs;
    FakeShell objShell;
    FakeHelpViewer objHelpViewer;
    ProgramSettings objSettings;
    QTemporaryDir objFolder;
    std::unique_ptr<frmMain> frm;

    void SetUp() override {
        objSettings = ProgramSettings{};
        // An existing standard folder keeps the settings usable without a desktop folder.
        StoreSetting("StandardFolder", objFolder.path().toStdString());
    }

    void TearDown() override {
        // What a user sees must agree with the palette after every test, whatever it did.
        if (frm && !frm->blnClosingAfterError) ExpectWindowInStep();
        frm.reset();
        modSupport::SetFatalErrorHandler({});
        modSupport::SetEventPump({});
        objSettings = ProgramSettings{};
    }

    /// Once pending events have run: exactly one mark shows selected, the one the palette has
    /// selected; its sample, the scroll bars and the palette hold one colour; the preview shows
    /// that colour in the current format.
    void ExpectWindowInStep() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        const int intSelected = frm->objPalette.intSelectedMark;
        for (int i = 0; i < intMarkCount; ++i) {
            SCOPED_TRACE("mark " + std::to_string(i));
            EXPECT_EQ(frm->optColor[i]->isChecked(), i == intSelected);
        }
        const typColour typMark = frm->objPalette.arrMarkColour.at(intSelected);
        // A thumb being dragged shows its position before its value follows.
        EXPECT_EQ(Components(typMark), (std::array<int, 3>{frm->hsbRed->sliderPosition(),
                                                           frm->hsbGreen->sliderPosition(),
                                                           frm->hsbBlue->sliderPosition()}));
        EXPECT_EQ(frm->SampleColour(intSelected), PackColour(typMark));
        const auto intRed = static_cast<std::int16_t>(typMark.lngRed);
        const auto intGreen = static_cast<std::int16_t>(typMark.lngGreen);
        const auto intBlue = static_cast<std::int16_t>(typMark.lngBlue);
        const int intFormat = frm->lstAutocopy->currentRow();
        // The format shown highlighted is the current one, unless the user cleared it.
        for (const QListWidgetItem* objItem : frm->lstAutocopy->selectedItems())
            EXPECT_EQ(frm->lstAutocopy->row(objItem), intFormat);
        std::string strExpected;
        if (objSettings.blnJavaScriptNamesOnly)
            strExpected = JavaScriptNameOfHex(strHexPair(intRed) + strHexPair(intGreen) +
                                              strHexPair(intBlue));
        else if (intFormat >= 0 && intFormat < intCodeFormatCount)
            strExpected =
                ColourCodeText(intFormat, intRed, intGreen, intBlue, objSettings.strCustomFormat);
        else
            return;
        EXPECT_EQ(frm->strPreviewText, strExpected);
        EXPECT_EQ(frm->lblClipboard->text().toStdString(), VisibleText(strExpected));
    }

    void StoreSetting(const std::string& strName, const std::string& strValue) {
        objRegistry.mapValue[{strSettingsKey, strName}] = strValue;
    }

    /// Creates the window; its timer is stopped so that the tests give the ticks.
    void Open() {
        frm = std::make_unique<frmMain>(MainServices{objClipboard, objMessages, objScreen,
                                                     objRegistry, objFileDialogs, objShell,
                                                     objHelpViewer, objSettings});
        frm->StopClipboardTimer();
    }

    /// Opens the window and lets it become active as at its first showing.
    void OpenActive() {
        Open();
        frm->Form_Activate();
    }

    void Tick(int intCount = 1) {
        for (int i = 0; i < intCount; ++i) frm->tmrClip_Timer();
    }

    /// Sets the colour as the other colour sources do: through the three scroll bars.
    void SetColour(int intRed, int intGreen, int intBlue) {
        frm->hsbRed->setValue(intRed);
        frm->hsbGreen->setValue(intGreen);
        frm->hsbBlue->setValue(intBlue);
    }

    std::array<int, 3> Bars() const {
        return {frm->hsbRed->value(), frm->hsbGreen->value(), frm->hsbBlue->value()};
    }

    std::array<std::string, 3> Fields() const {
        return {frm->txtSetRed->text().toStdString(), frm->txtSetGreen->text().toStdString(),
                frm->txtSetBlue->text().toStdString()};
    }

    static std::array<int, 3> Components(const typColour& typValue) {
        return {typValue.lngRed, typValue.lngGreen, typValue.lngBlue};
    }
};
