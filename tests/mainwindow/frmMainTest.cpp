// Start-up, layout texts, activation, the fatal error path and the toolbar of the main window.

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "core/ColourValue.h"
#include "tests/mainwindow/frmMainFixture.h"
#include "widgets/ColourCells.h"
#include "widgets/QtColour.h"

namespace {

const char* const strFatalText = "Huevra encountered an unexpected error and must close.";

}  // namespace

TEST_F(frmMainTest, StartsOnMarkZeroWithTheDefaultPalette) {
    OpenActive();

    EXPECT_TRUE(objMessages.arrShown.empty());
    EXPECT_EQ(frm->objPalette.intSelectedMark, 0);
    EXPECT_TRUE(frm->optColor[0]->isChecked());
    EXPECT_EQ(Bars(), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(Fields(), (std::array<std::string, 3>{"255", "0", "0"}));
    EXPECT_TRUE(frm->optSetDec->isChecked());
    EXPECT_TRUE(frm->optSetDec->isEnabled());
    EXPECT_TRUE(frm->optSetHex->isEnabled());
    EXPECT_FALSE(frm->cmdSetColor->isEnabled());
    EXPECT_EQ(frm->windowTitle(), "Huevra - New palette");
    EXPECT_EQ(frm->lstAutocopy->count(), 12);
    EXPECT_EQ(frm->lstAutocopy->currentRow(), 0);
    EXPECT_EQ(frm->lblClipboard->text(), "#FF0000");
    EXPECT_EQ(frm->lngClipboardTicks, 0);

    EXPECT_FALSE(frm->mnuEditPasteColor->isEnabled());
    EXPECT_FALSE(frm->ToolButton(7)->isEnabled());
    EXPECT_EQ(frm->ToolButton(7)->toolTip(), "Use the Copy button to enable");

    const std::array<std::int32_t, 6> arrDefault{PackColour(255, 0, 0), PackColour(255, 255, 0),
                                                 PackColour(0, 255, 0), PackColour(0, 255, 255),
                                                 PackColour(0, 0, 255), PackColour(255, 0, 255)};
    for (int i = 0; i < intMarkCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(frm->SampleColour(i), arrDefault[i]);
        EXPECT_EQ(PackColour(frm->objPalette.arrMarkColour[i]), arrDefault[i]);
        EXPECT_EQ(frm->txtName[i]->text(), "Type a colour name");
        EXPECT_EQ(frm->NameBackColour(i), PackColour(255, 255, 255));
        EXPECT_EQ(frm->lblColorProp[i]->text(), "WFJ");
        EXPECT_EQ(frm->picSample[i]->isEnabledTo(frm->picSampleContainer), i == 0);
        EXPECT_EQ(frm->picSample[i]->toolTip().isEmpty(), i != 0);
    }
    EXPECT_FALSE(frm->picSampleContainer->isEnabled());
    EXPECT_FALSE(frm->objPalette.PaletteChanged(frm->NameTexts()));
    EXPECT_TRUE(frm->blnScrollEvents);
    EXPECT_TRUE(frm->blnNameCheck);
    EXPECT_TRUE(frm->blnErrorGuard);
    EXPECT_FALSE(frm->blnClosingAfterError);
    EXPECT_FALSE(frm->picPick->isVisibleTo(frm.get()));
}

TEST_F(frmMainTest, WindowHasItsFixedSizeColoursAndTimer) {
    Open();
    frm->show();
    EXPECT_EQ(frm->minimumSize(), frm->maximumSize());
    EXPECT_EQ(frm->width(), 756);
    EXPECT_EQ(frm->height() - frm->menuBar()->height(), 342);
    EXPECT_TRUE(frm->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(frm->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(BackColour(frm.get()), PackColour(245, 245, 245));
    EXPECT_EQ(BackColour(frm->lblClipboard), PackColour(255, 255, 255));
    EXPECT_EQ(BackColour(frm->picSampleContainer), PackColour(192, 192, 192));
    // Check boxes, option buttons, frames and labels show the window's background.
    for (QWidget* objControl : std::initializer_list<QWidget*>{
             frm->chkColorPick, frm->chkJSNamesOnly, frm->frmSet, frm->optSetDec, frm->optColor[4],
             frm->lblColorProp[5], frm->lblClipboardInfo}) {
        SCOPED_TRACE(objControl->objectName().toStdString());
        EXPECT_FALSE(objControl->autoFillBackground());
        EXPECT_EQ(PackedOfQColour(objControl->palette().color(QPalette::Window)),
                  PackColour(245, 245, 245));
    }
    EXPECT_EQ(frm->lblColorBar->geometry(), QRect(11, frm->lblColorBar->y(), 734, 20));
    for (QLineEdit* objField : {frm->txtSetRed, frm->txtSetGreen, frm->txtSetBlue})
        EXPECT_EQ(objField->maxLength(), 3);
    for (QLineEdit* objName : frm->txtName) {
        EXPECT_EQ(objName->maxLength(), 21);
        EXPECT_EQ(objName->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    }
    for (QScrollBar* objBar : {frm->hsbRed, frm->hsbGreen, frm->hsbBlue}) {
        EXPECT_EQ(objBar->minimum(), 0);
        EXPECT_EQ(objBar->maximum(), 255);
        EXPECT_EQ(objBar->singleStep(), 1);
        EXPECT_EQ(objBar->pageStep(), 1);
    }
    // Ticks are given by hand in these tests; the real timer ran from creation.
    EXPECT_EQ(frm->tmrClip->interval(), 200);
}

TEST_F(frmMainTest, CaptionsToolTipsAndShortcutsAreExact) {
    Open();
    struct Expected {
        const char* strName;
        const char* strCaption;
        const char* strToolTip;
        const char* strShortcut;
        bool blnEnabled;
    };
    const std::vector<Expected> arrExpected{
        {"chkColorPick", "Colour Pick Mode", "Uncheck this check box to open palettes", "", true},
        {"chkJSNamesOnly", "Copy JavaScript Names",
         "Check this check box if you want to copy the JavaScript name instead of the RGB colour "
         "code",
         "", true},
        {"optSetDec", "Dec", "Click here for decimal colour values", "", true},
        {"optSetHex", "Hex", "Click here for hexadecimal colour values", "", true},
        {"cmdSetColor", "Set",
         "Click here to change the selected colour according to the values to the left", "", false},
        {"txtSetRed", nullptr, "Type the red value", "", true},
        {"txtSetGreen", nullptr, "Type the green value", "", true},
        {"txtSetBlue", nullptr, "Type the blue value", "", true},
        {"lstAutocopy", nullptr, "Select the format you want to copy to the clipboard", "", true},
        {"cmdFailsafe", "Failsafe Palette", "Click here to open the Failsafe Palette", "", true},
        {"cmdWebsafe", "Websafe Palette", "Click here to open the Websafe Palette", "", true},
        {"cmdJavaScript", "JavaScript Palette", "Click here to open the JavaScript Palette", "",
         true},
        {"optColor3", nullptr, "Click here to select this colour mark", "", true},
        {"txtName5", nullptr, "Click and type a colour name", "", true},
        {"lblClipboard", nullptr,
         "This is what you get if you paste right now in another application", "", true},
        {"lblClipboardInfo", "On the clipboard", "", "", true},
        {"mnuFile", "&File", nullptr, "", true},
        {"mnuFileNew", "&New Palette", nullptr, "Ctrl+N", true},
        {"mnuFileOpen", "&Open Palette In Huevra...", nullptr, "Ctrl+O", true},
        {"mnuFileOpenInNotepad", "Open Palette &In Notepad...", nullptr, "Ctrl+I", true},
        {"mnuFileSave", "&Save Palette", nullptr, "Ctrl+S", true},
        {"mnuFileSaveAs", "Save Palette &As...", nullptr, "F12", true},
        {"mnuFileExit", "&Exit", nullptr, "Ctrl+W", true},
        {"mnuEdit", "&Edit", nullptr, "", true},
        {"mnuEditCopyColor", "&Copy Colour From Selected Colour Mark", nullptr, "F2", true},
        {"mnuEditPasteColor", "&Paste Colour To Selected Colour Mark", nullptr, "F3", false},
        {"mnuEditFind", "&Find JavaScript Names", nullptr, "F5", true},
        {"mnuTools", "&Tools", nullptr, "", true},
        {"mnuToolsCustomFormat", "&Custom Format...", nullptr, "F8", true},
        {"mnuToolsOptions", "&Options...", nullptr, "F9", true},
        {"mnuHelp", "&Help", nullptr, "", true},
        {"mnuHelpHelp", "&Help", nullptr, "F1", true},
        {"mnuHomePage", "&Visit Huevra Home Page", nullptr, "", true},
        {"mnuHelpColorProperties", "&Colour Properties...", nullptr, "F4", true},
        {"mnuHelpAboutHuevra", "&About Huevra...", nullptr, "", true},
        {"btnNew", nullptr, "New Palette (Ctrl+N)", "", true},
        {"btnOpen", nullptr, "Open Palette In Huevra (Ctrl+O)", "", true},
        {"btnOpenInNotepad", nullptr, "Open Palette In Notepad (Ctrl+I)", "", true},
        {"btnSave", nullptr, "Save Palette (Ctrl+S)", "", true},
        {"btnCopyColor", nullptr, "Copy Colour From Selected Colour Mark (F2)", "", true},
        {"btnPasteColor", nullptr, "Use the Copy button to enable", "", false},
        {"btnFind", nullptr, "Find JavaScript Names (F5)", "", true},
        {"btnCustomFormat", nullptr, "Custom Format (F8)", "", true},
        {"btnOptions", nullptr, "Options (F9)", "", true},
        {"btnHelp", nullptr, "Help (F1)", "", true},
        {"btnColorProperties", nullptr, "Colour Properties (F4)", "", true},
    };
    for (const Expected& objExpected : arrExpected) {
        SCOPED_TRACE(objExpected.strName);
        const QString strName = QLatin1String(objExpected.strName);
        if (auto* objMenu = frm->findChild<QMenu*>(strName)) {
            EXPECT_EQ(objMenu->title(), QLatin1String(objExpected.strCaption));
        } else if (auto* objAction = frm->findChild<QAction*>(strName)) {
            if (objExpected.strCaption != nullptr) {
                EXPECT_EQ(objAction->text(), QLatin1String(objExpected.strCaption));
            }
            if (objExpected.strToolTip != nullptr) {
                EXPECT_EQ(objAction->toolTip(), QLatin1String(objExpected.strToolTip));
            }
            EXPECT_EQ(objAction->shortcut(), QKeySequence(QLatin1String(objExpected.strShortcut)));
            EXPECT_EQ(objAction->isEnabled(), objExpected.blnEnabled);
        } else if (auto* objWidget = frm->findChild<QWidget*>(strName)) {
            if (auto* objButton = qobject_cast<QAbstractButton*>(objWidget)) {
                EXPECT_EQ(objButton->text(), QLatin1String(objExpected.strCaption));
            }
            if (auto* objLabel = qobject_cast<QLabel*>(objWidget);
                objLabel != nullptr && objExpected.strCaption != nullptr) {
                EXPECT_EQ(objLabel->text(), QLatin1String(objExpected.strCaption));
            }
            EXPECT_EQ(objWidget->toolTip(), QLatin1String(objExpected.strToolTip));
            EXPECT_EQ(objWidget->isEnabled(), objExpected.blnEnabled);
        } else {
            ADD_FAILURE() << "no control of this name";
        }
    }

    const std::vector<const char*> arrKey{
        "btnNew",       "btnOpen",       "btnOpenInNotepad", "btnSave",           "tbrSeparator1",
        "btnCopyColor", "btnPasteColor", "btnFind",          "btnSeparator2",     "btnCustomFormat",
        "btnOptions",   "btnSeparator3", "btnHelp",          "btnColorProperties"};
    for (int i = 1; i <= 14; ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(frm->ToolButton(i), nullptr);
        EXPECT_EQ(frm->ToolButton(i)->objectName(), QLatin1String(arrKey[i - 1]));
        EXPECT_EQ(frm->ToolButton(i)->isSeparator(), i == 5 || i == 9 || i == 12);
    }
    EXPECT_EQ(frm->tbrTools->actions().size(), 14);

    const std::vector<const char*> arrFormat{
        "HTML Hex", "Lower Case HTML Hex", "VB Hex",   "VB",         "C++ Hex", "Delphi Hex",
        "Access",   ".NET HTML",           ".NET OLE", ".NET Win32", "Java",    "Custom"};
    ASSERT_EQ(frm->lstAutocopy->count(), 12);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(frm->lstAutocopy->item(i)->text(), arrFormat[i]);
}

TEST_F(frmMainTest, StoredFormatIndexChoosesTheCodeText) {
    StoreSetting("FormatIndex", "3");
    OpenActive();
    EXPECT_EQ(frm->lstAutocopy->currentRow(), 3);
    EXPECT_EQ(frm->lblClipboard->text(), "RGB(255, 0, 0)");
}

TEST_F(frmMainTest, ActivationRestoresTheFormatAndRendersAgain) {
    OpenActive();
    frm->lstAutocopy->setCurrentRow(11);
    frm->Form_Deactivate();
    EXPECT_EQ(objSettings.intCurrentFormat, 11);

    // A dialog reloads the settings while it is up and the template changes.
    objSettings.intCurrentFormat = 0;
    frm->Form_Deactivate();
    objSettings.strCustomFormat = "%DR%-%DG%-%DB%";
    Tick(2);
    frm->Form_Activate();
    EXPECT_EQ(frm->lstAutocopy->currentRow(), 11);
    EXPECT_EQ(frm->lblClipboard->text(), "255-0-0");
    EXPECT_EQ(frm->lngClipboardTicks, 0);
}

TEST_F(frmMainTest, ColourDepthBelowTwentyFourBitsIsToldOnce) {
    struct Case {
        int intBits;
        bool blnThrow;
        bool blnMessage;
    };
    for (const Case& objCase : {Case{16, false, true}, Case{8, false, true}, Case{24, false, false},
                                Case{32, false, false}, Case{16, true, false}}) {
        SCOPED_TRACE(objCase.intBits);
        objMessages.arrShown.clear();
        objScreen.intBitsPerPixel = objCase.intBits;
        objScreen.blnThrow = objCase.blnThrow;
        Open();
        ASSERT_EQ(objMessages.arrShown.size(), objCase.blnMessage ? 1U : 0U);
        if (objCase.blnMessage) {
            const FakeMessageBox::Shown& objShown = objMessages.arrShown[0];
            EXPECT_EQ(objShown.strText,
                      "The color depth of your monitor has a low value.\r\n\r\nHuevra will look "
                      "better if you select a higher value in the Control Panel in Windows.");
            EXPECT_EQ(objShown.strTitle, "Huevra");
            EXPECT_EQ(objShown.enmIcon, MessageIcon::Information);
        }
        // Start-up goes on either way.
        EXPECT_EQ(frm->windowTitle(), "Huevra - New palette");
        EXPECT_FALSE(frm->blnClosingAfterError);
        frm.reset();
    }
}

TEST_F(frmMainTest, TwoFailuresShowOneMessageAndCloseWithoutQuestion) {
    Open();
    frm->show();
    ASSERT_TRUE(frm->isVisible());

    // A selected mark outside the palette makes every colour routine fail.
    frm->objPalette.intSelectedMark = 9;
    frm->hsbGreen->setValue(100);
    frm->mnuEditCopyColor_Click();

    ASSERT_EQ(objMessages.arrShown.size(), 1U);
    EXPECT_EQ(objMessages.arrShown[0].strText, strFatalText);
    EXPECT_EQ(objMessages.arrShown[0].strTitle, "Huevra");
    EXPECT_EQ(objMessages.arrShown[0].enmIcon, MessageIcon::Critical);
    EXPECT_TRUE(frm->blnClosingAfterError);
    EXPECT_TRUE(frm->blnErrorShown);
    EXPECT_FALSE(frm->isVisible());
}

TEST_F(frmMainTest, FailureWhileTheMessageIsUpIsNotToldAgain) {
    // The user's answer to the message lets another failing handler run first.
    struct FailingAgain : FakeMessageBox {
        frmMain* frm = nullptr;
        MessageAnswer Show(const std::string& strText, const std::string& strTitle,
                           MessageIcon enmIcon, MessageButtons enmButtons) override {
            const MessageAnswer enmAnswer =
                FakeMessageBox::Show(strText, strTitle, enmIcon, enmButtons);
            if (arrShown.size() == 1) frm->mnuEditCopyColor_Click();
            return enmAnswer;
        }
    } objFailingMessages;
    frmMain frmOwn(MainServices{objClipboard, objFailingMessages, objScreen, objRegistry,
                                objFileDialogs, objShell, objHelpViewer, objSettings});
    objFailingMessages.frm = &frmOwn;
    frmOwn.objPalette.intSelectedMark = 9;
    frmOwn.mnuEditCopyColor_Click();
    EXPECT_EQ(objFailingMessages.arrShown.size(), 1U);
}

TEST_F(frmMainTest, ExitClosesTheWindow) {
    Open();
    frm->show();
    frm->mnuFileExit->trigger();
    EXPECT_FALSE(frm->isVisible());
    EXPECT_TRUE(objMessages.arrShown.empty());
}

TEST_F(frmMainTest, ToolbarRunsTheCommandOfItsIndexAndSeparatorsNothing) {
    OpenActive();
    frm->show();
    for (int intIndex : {5, 9, 12, 0, 15, -1}) {
        SCOPED_TRACE(intIndex);
        frm->tbrTools_ButtonClick(intIndex);
    }
    EXPECT_FALSE(frm->mnuEditPasteColor->isEnabled());
    EXPECT_TRUE(objMessages.arrShown.empty());
    EXPECT_FALSE(frm->blnClosingAfterError);

    // A disabled command does nothing either: Paste would set mark 0 to the empty buffer.
    frm->tbrTools_ButtonClick(7);
    EXPECT_EQ(Bars(), (std::array<int, 3>{255, 0, 0}));

    QWidget* objCopyButton = frm->tbrTools->widgetForAction(frm->ToolButton(6));
    ASSERT_NE(objCopyButton, nullptr);
    QTest::mouseClick(objCopyButton, Qt::LeftButton);
    EXPECT_TRUE(frm->mnuEditPasteColor->isEnabled());
    EXPECT_TRUE(frm->ToolButton(7)->isEnabled());
}
