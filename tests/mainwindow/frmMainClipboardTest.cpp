// The code text, the clipboard monitor, Copy / Paste Colour and events that arrive while the
// window lets pending events run.

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <functional>

#include "core/ColourValue.h"
#include "tests/mainwindow/frmMainFixture.h"
#include "tests/support/Burst.h"

TEST_F(frmMainTest, ClipboardIsWrittenOnceOnTheThirdTickAfterTheLastScroll) {
    OpenActive();
    Tick(2);
    EXPECT_TRUE(objClipboard.arrCalls.empty());

    // The user drags the red thumb and holds it still.
    frm->hsbRed->setSliderDown(true);
    frm->hsbRed->setSliderPosition(200);
    Tick(2);
    frm->hsbRed->setSliderPosition(204);
    Tick(2);
    EXPECT_TRUE(objClipboard.arrCalls.empty());
    EXPECT_EQ(frm->lblClipboard->text(), "#CC0000");
    Tick(1);
    EXPECT_EQ(objClipboard.arrCalls, (std::vector<std::string>{"clear", "set #CC0000"}));
    Tick(20);
    EXPECT_EQ(objClipboard.arrCalls.size(), 2U);

    // Becoming active again renders, and the clipboard follows three ticks later.
    frm->Form_Deactivate();
    frm->Form_Activate();
    Tick(2);
    EXPECT_EQ(objClipboard.arrCalls.size(), 2U);
    Tick(1);
    EXPECT_EQ(objClipboard.arrCalls,
              (std::vector<std::string>{"clear", "set #CC0000", "clear", "set #CC0000"}));
}

// The real timer: it runs only while there is something to count, so an idle window never wakes.
TEST_F(frmMainTest, ClipboardTimerRunsOnlyUntilTheSettledColourIsWritten) {
    frm = std::make_unique<frmMain>(MainServices{objClipboard, objMessages, objScreen, objRegistry,
                                                 objFileDialogs, objShell, objHelpViewer,
                                                 objSettings});
    frm->Form_Activate();
    const auto Written = [&](std::size_t intCalls) {
        return QTest::qWaitFor([&] { return objClipboard.arrCalls.size() >= intCalls; }, 5000);
    };
    ASSERT_TRUE(Written(2));
    EXPECT_EQ(objClipboard.arrCalls.back(), "set #FF0000");
    EXPECT_FALSE(frm->tmrClip->isActive());

    // Each source of a reset starts it again: a colour, a format, a re-activation.
    const std::vector<std::pair<const char*, std::function<void()>>> arrReset{
        {"scroll bar", [&] { frm->hsbBlue->setValue(51); }},
        {"format", [&] { frm->lstAutocopy->setCurrentRow(3); }},
        {"activation", [&] { frm->Form_Activate(); }},
    };
    for (const auto& [strName, fnReset] : arrReset) {
        SCOPED_TRACE(strName);
        const std::size_t intCalls = objClipboard.arrCalls.size();
        fnReset();
        EXPECT_TRUE(frm->tmrClip->isActive());
        ASSERT_TRUE(Written(intCalls + 2));
        EXPECT_EQ(objClipboard.arrCalls.back(), "set " + frm->strPreviewText);
        EXPECT_FALSE(frm->tmrClip->isActive());
    }
    EXPECT_EQ(objClipboard.arrCalls.size(), 8U);
}

TEST_F(frmMainTest, ThirdTickAlsoRefreshesTheClassLetters) {
    OpenActive();
    frm->hsbGreen->setValue(204);
    // Letters follow the monitor, not every colour change.
    EXPECT_EQ(frm->lblColorProp[0]->text(), "WFJ");
    Tick(3);
    EXPECT_EQ(frm->lblColorProp[0]->text(), "W");
    frm->hsbGreen->setValue(205);
    Tick(3);
    EXPECT_EQ(frm->lblColorProp[0]->text(), "");
}

TEST_F(frmMainTest, TickCounterWrapsAfterOneThousandMillion) {
    OpenActive();
    frm->lngClipboardTicks = 1000000000;
    Tick(1);
    EXPECT_EQ(frm->lngClipboardTicks, 0);
    Tick(3);
    EXPECT_EQ(objClipboard.arrTexts, (std::vector<std::string>{"#FF0000"}));
}

TEST_F(frmMainTest, FormatChangeRendersAtOnceAndCopiesLater) {
    OpenActive();
    frm->txtName[0]->setText("red");
    QTest::mouseClick(frm->lstAutocopy->viewport(), Qt::LeftButton, Qt::NoModifier,
                      frm->lstAutocopy->visualItemRect(frm->lstAutocopy->item(3)).center());
    EXPECT_EQ(frm->lstAutocopy->currentRow(), 3);
    EXPECT_EQ(frm->lblClipboard->text(), "RGB(255, 0, 0)");
    EXPECT_EQ(frm->NameBackColour(0), PackColour(255, 255, 255));
    EXPECT_TRUE(frm->blnNameCheck);
    Tick(3);
    EXPECT_EQ(objClipboard.arrTexts, (std::vector<std::string>{"RGB(255, 0, 0)"}));
}

TEST_F(frmMainTest, RenderingFollowsNamesOnlyModeAndAMissingSelection) {
    OpenActive();
    objSettings.blnJavaScriptNamesOnly = true;
    struct Case {
        std::int16_t intRed, intGreen, intBlue;
        const char* strText;
    };
    for (const Case& objCase : {Case{0, 255, 255, "cyan"}, Case{255, 0, 255, "magenta"},
                                Case{240, 248, 255, "aliceblue"}, Case{255, 204, 0, ""}}) {
        SCOPED_TRACE(objCase.strText);
        frm->lngClipboardTicks = 2;
        frm->RenderColourCode(objCase.intRed, objCase.intGreen, objCase.intBlue);
        EXPECT_EQ(frm->lblClipboard->text(), objCase.strText);
        EXPECT_EQ(frm->lngClipboardTicks, 0);
    }

    objSettings.blnJavaScriptNamesOnly = false;
    frm->lblClipboard->setText("before");
    frm->lstAutocopy->setCurrentRow(-1);
    frm->lngClipboardTicks = 2;
    frm->RenderColourCode(1, 2, 3);
    EXPECT_EQ(frm->lblClipboard->text(), "before");
    EXPECT_EQ(frm->lngClipboardTicks, 0);
}

TEST_F(frmMainTest, BusyClipboardIsIgnored) {
    OpenActive();
    objClipboard.blnThrow = true;
    Tick(3);
    EXPECT_TRUE(objMessages.arrShown.empty());
    EXPECT_FALSE(frm->blnClosingAfterError);

    objClipboard.blnThrow = false;
    frm->hsbBlue->setValue(255);
    Tick(3);
    EXPECT_EQ(objClipboard.arrTexts, (std::vector<std::string>{"#FF00FF"}));
}

TEST_F(frmMainTest, CopyAndPasteCarryAColourBetweenMarks) {
    OpenActive();
    frm->show();
    EXPECT_FALSE(frm->mnuEditPasteColor->isEnabled());
    // A disabled Paste does nothing.
    frm->mnuEditPasteColor->trigger();
    EXPECT_EQ(Bars(), (std::array<int, 3>{255, 0, 0}));

    QTest::mouseClick(frm->optColor[2], Qt::LeftButton);
    frm->mnuEditCopyColor->trigger();
    EXPECT_TRUE(frm->mnuEditPasteColor->isEnabled());
    EXPECT_TRUE(frm->ToolButton(7)->isEnabled());
    EXPECT_EQ(frm->ToolButton(7)->toolTip(), "Paste Colour To Selected Colour Mark (F3)");

    QTest::mouseClick(frm->optColor[4], Qt::LeftButton);
    EXPECT_EQ(Bars(), (std::array<int, 3>{0, 0, 255}));
    frm->tbrTools_ButtonClick(7);
    EXPECT_EQ(Bars(), (std::array<int, 3>{0, 255, 0}));
    EXPECT_EQ(frm->SampleColour(4), PackColour(0, 255, 0));
    EXPECT_EQ(frm->SampleColour(2), PackColour(0, 255, 0));
    EXPECT_EQ(Components(frm->objPalette.arrMarkColour[4]), (std::array<int, 3>{0, 255, 0}));
    // The system clipboard is not involved.
    EXPECT_TRUE(objClipboard.arrCalls.empty());

    // The copied colour stays when the copied mark changes afterwards.
    QTest::mouseClick(frm->optColor[2], Qt::LeftButton);
    frm->hsbRed->setValue(77);
    QTest::mouseClick(frm->optColor[5], Qt::LeftButton);
    frm->mnuEditPasteColor->trigger();
    EXPECT_EQ(Bars(), (std::array<int, 3>{0, 255, 0}));
}

TEST_F(frmMainTest, FieldWrittenWhileTheFieldsAreShownIsNoEdit) {
    OpenActive();
    bool blnFired = false;
    // The first pending event, inside the colour update, is a write to a value field.
    modSupport::SetEventPump([&] {
        if (blnFired) return;
        blnFired = true;
        frm->txtSetRed->setText("12");
    });
    frm->hsbGreen->setValue(30);
    EXPECT_TRUE(blnFired);
    EXPECT_FALSE(frm->cmdSetColor->isEnabled());
    EXPECT_TRUE(frm->optSetDec->isEnabled());
    EXPECT_TRUE(frm->optSetHex->isEnabled());
}

TEST_F(frmMainTest, ColourChangedWhileCopyingIsCopiedAndCopiedAgainLater) {
    OpenActive();
    bool blnArmed = false;
    modSupport::SetEventPump([&] {
        if (!blnArmed) return;
        blnArmed = false;
        frm->hsbBlue->setValue(255);
    });
    Tick(2);
    blnArmed = true;
    Tick(1);
    EXPECT_EQ(objClipboard.arrTexts, (std::vector<std::string>{"#FF00FF"}));
    EXPECT_EQ(frm->lngClipboardTicks, 0);
    Tick(3);
    EXPECT_EQ(objClipboard.arrTexts, (std::vector<std::string>{"#FF00FF", "#FF00FF"}));
}

TEST_F(frmMainTest, FormatsChosenInOneBurstEndWithOneFormatShownCopiedAndKept) {
    // The user's actions in one burst, then the format they end on.
    using Action = std::function<void()>;
    const auto key = [this](Qt::Key enmKey) -> Action {
        return [this, enmKey] { QTest::keyClick(frm->lstAutocopy, enmKey); };
    };
    const auto click = [this](int intRow) -> Action {
        return [this, intRow] {
            QListWidget* lst = frm->lstAutocopy;
            QTest::mouseClick(lst->viewport(), Qt::LeftButton, Qt::NoModifier,
                              lst->visualItemRect(lst->item(intRow)).center());
        };
    };
    struct Case {
        const char* strName;
        std::vector<Action> arrAction;
        int intRow;
    };
    const std::vector<Case> arrCase{
        {"click VB, End", {click(3), key(Qt::Key_End)}, 11},
        {"Down Down", {key(Qt::Key_Down), key(Qt::Key_Down)}, 2},
        {"Down Down Down", {key(Qt::Key_Down), key(Qt::Key_Down), key(Qt::Key_Down)}, 3},
        {"click VB, click C++ Hex", {click(3), click(4)}, 4},
        {"End, Up", {key(Qt::Key_End), key(Qt::Key_Up)}, 10},
    };
    // The first pump of a format change runs while the value fields are shown, the second
    // while the code text is shown.
    for (const int intPumpToSkip : {0, 1}) {
        for (const Case& objCase : arrCase) {
            SCOPED_TRACE(std::string(objCase.strName) + ", after pump " +
                         std::to_string(intPumpToSkip));
            Open();
            frm->show();
            frm->activateWindow();
            QApplication::setActiveWindow(frm.get());
            QCoreApplication::processEvents();
            objSettings.strCustomFormat = "rgb(%DR%, %DG%, %DB%)";
            frm->txtName[0]->setText("red");
            frm->lstAutocopy->setFocus();
            frm->lstAutocopy->scrollToTop();
            objClipboard.arrTexts.clear();

            EXPECT_EQ(RunBurst(objCase.arrAction, intPumpToSkip), objCase.arrAction.size());
            QCoreApplication::processEvents();

            // The highlighted format, the preview, the clipboard and the format kept across a
            // dialog agree; a change of format never flags the name.
            const std::string strText =
                ColourCodeText(objCase.intRow, 255, 0, 0, objSettings.strCustomFormat);
            EXPECT_EQ(frm->lstAutocopy->currentRow(), objCase.intRow);
            EXPECT_EQ(frm->lstAutocopy->selectedItems().size(), 1);
            ExpectWindowInStep();
            EXPECT_EQ(frm->NameBackColour(0), PackColour(255, 255, 255));
            Tick(3);
            ASSERT_FALSE(objClipboard.arrTexts.empty());
            EXPECT_EQ(objClipboard.arrTexts.back(), strText);
            frm->Form_Deactivate();
            EXPECT_EQ(objSettings.intCurrentFormat, objCase.intRow);
            frm->Form_Activate();
            EXPECT_EQ(frm->lblClipboard->text().toStdString(), strText);
            frm.reset();
        }
    }
}

namespace {

// The characters that are invisible or reorder the text around them, with the stand-in the
// preview shows for each: C0 controls as their control pictures (U+2400 + code), DEL as
// U+2421, the others as "<U+" and four hex digits ">".
std::vector<std::pair<char32_t, std::u32string>> HiddenCharacters() {
    std::vector<std::pair<char32_t, std::u32string>> arrHidden;
    const auto named = [](char32_t lngCode) {
        constexpr char32_t strDigits[] = U"0123456789ABCDEF";
        std::u32string strName = U"<U+";
        for (int intShift = 12; intShift >= 0; intShift -= 4)
            strName += strDigits[(lngCode >> intShift) & 0xF];
        return strName + U">";
    };
    for (char32_t c = 0x01; c < 0x20; ++c) arrHidden.emplace_back(c, std::u32string(1, 0x2400 + c));
    arrHidden.emplace_back(0x7F, U"\u2421");
    for (char32_t c = 0x80; c <= 0x9F; ++c) arrHidden.emplace_back(c, named(c));
    for (const char32_t c : {0x202A, 0x202B, 0x202C, 0x202D, 0x202E, 0x2066, 0x2067, 0x2068, 0x2069,
                             0x200E, 0x200F, 0x061C})
        arrHidden.emplace_back(c, named(c));
    return arrHidden;
}

std::string Utf8(const std::u32string& strText) {
    return QString::fromUcs4(strText.data(), static_cast<qsizetype>(strText.size())).toStdString();
}

// The left edge of the first dark pixel inside a label's frame; -1 when there is none.
int FirstInkColumn(QLabel* lbl) {
    const QImage objImage = lbl->grab().toImage();
    const QRect objInside = lbl->contentsRect();
    for (int x = objInside.left(); x <= objInside.right(); ++x)
        for (int y = objInside.top(); y <= objInside.bottom(); ++y)
            if (qGray(objImage.pixel(x, y)) < 128) return x;
    return -1;
}

}  // namespace

TEST_F(frmMainTest, PreviewShowsHiddenCharactersAndTheClipboardGetsTheExactText) {
    StoreSetting("FormatIndex", "11");
    OpenActive();
    for (const auto& [lngHidden, strShown] : HiddenCharacters()) {
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<int>(lngHidden));
        // The character before, between and after the codes, as a template could hold it.
        const std::u32string strTemplate = std::u32string(1, lngHidden) + U"%UR%%UG%%UB%" +
                                           std::u32string(1, lngHidden) + U" tail";
        objSettings.strCustomFormat = Utf8(strTemplate);
        frm->Form_Activate();
        EXPECT_EQ(frm->lblClipboard->text().toStdString(),
                  Utf8(strShown + U"FF0000" + strShown + U" tail"));
        objClipboard.arrTexts.clear();
        Tick(3);
        EXPECT_EQ(objClipboard.arrTexts,
                  (std::vector<std::string>{Utf8(std::u32string(1, lngHidden) + U"FF0000" +
                                                 std::u32string(1, lngHidden) + U" tail")}));
    }
}

TEST_F(frmMainTest, PreviewLaysOutLeftToRightWhateverItsFirstLetter) {
    StoreSetting("FormatIndex", "11");
    OpenActive();
    frm->show();
    objSettings.strCustomFormat = "%UR%%UG%%UB%";
    frm->Form_Activate();
    const int intLeftEdge = FirstInkColumn(frm->lblClipboard);
    ASSERT_GE(intLeftEdge, 0);
    // Hebrew and Arabic letters, and a right-to-left override, before the codes.
    for (const char* strTemplate :
         {"\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D %UR%", "\xD8\xB3\xD9\x84\xD8\xA7\xD9\x85 %UR%",
          "\xE2\x80\xAE%UR%%UG%%UB% tail"}) {
        SCOPED_TRACE(strTemplate);
        objSettings.strCustomFormat = strTemplate;
        frm->Form_Activate();
        EXPECT_LE(std::abs(FirstInkColumn(frm->lblClipboard) - intLeftEdge), 2);
    }
    frm->setLayoutDirection(Qt::RightToLeft);
    objSettings.strCustomFormat = "%UR%%UG%%UB%";
    frm->Form_Activate();
    EXPECT_LE(std::abs(FirstInkColumn(frm->lblClipboard) - intLeftEdge), 2);
    frm->setLayoutDirection(Qt::LeftToRight);
}
