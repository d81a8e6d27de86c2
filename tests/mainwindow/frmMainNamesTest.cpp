// Colour names: the name fields, Find JavaScript Names, Copy JavaScript Names and Colour
// Properties, through the window's controls.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include "tests/mainwindow/frmMainFixture.h"

namespace {

const char* const strNoName = "Type a colour name";
const char* const strNotJavaScript = "Not JavaScript colour";
constexpr std::int32_t lngPlainWhite = 16777215;

}  // namespace

class frmMainNamesTest : public frmMainTest {
protected:
    /// Gives a mark a colour as the user would: select it, then move the bars.
    void ColourMark(int intMark, int intRed, int intGreen, int intBlue) {
        QTest::mouseClick(frm->optColor[intMark], Qt::LeftButton);
        SetColour(intRed, intGreen, intBlue);
    }

    QString Name(int intMark) const { return frm->txtName[intMark]->text(); }

    /// Shows the window and makes it the active one, so that focus changes reach the fields.
    void ShowActive() {
        frm->show();
        frm->activateWindow();
        QApplication::setActiveWindow(frm.get());
    }
};

TEST_F(frmMainNamesTest, FindNamesEveryMarkAfterItsJavaScriptColour) {
    OpenActive();
    const std::array<std::array<int, 3>, 6> arrColour{{{255, 0, 0},
                                                       {0, 255, 255},
                                                       {255, 0, 255},
                                                       {240, 248, 255},
                                                       {255, 204, 0},
                                                       {128, 128, 128}}};
    for (int i = 0; i < intMarkCount; ++i)
        ColourMark(i, arrColour[i][0], arrColour[i][1], arrColour[i][2]);
    // A typed name on a colour without a name, and a name gone stale.
    frm->txtName[4]->setText("sunflower");
    frm->txtName[5]->setText("grey");
    SetColour(128, 128, 129);
    SetColour(128, 128, 128);
    ASSERT_EQ(frm->NameBackColour(5), lngStaleNameColour);

    frm->mnuEditFind->trigger();

    const std::array<const char*, 6> arrExpected{"red",       "cyan",           "magenta",
                                                 "aliceblue", strNotJavaScript, "gray"};
    for (int i = 0; i < intMarkCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Name(i), arrExpected[i]);
        EXPECT_EQ(frm->NameBackColour(i), lngPlainWhite);
    }
    EXPECT_FALSE(frm->blnFindingNames);
    EXPECT_TRUE(frm->objPalette.PaletteChanged(frm->NameTexts()));

    // A colour change on a mark named by Find clears the "no name" verdict everywhere.
    QTest::mouseClick(frm->optColor[0], Qt::LeftButton);
    SetColour(254, 0, 0);
    EXPECT_EQ(Name(4), strNoName);
    EXPECT_EQ(frm->NameBackColour(0), lngStaleNameColour);
}

TEST_F(frmMainNamesTest, FindRenamesOnlyNamesThatDiffer) {
    OpenActive();
    frm->txtName[3]->setText("Cyan");
    frm->txtName[1]->setText("yellow");
    frm->txtName[1]->setCursorPosition(2);

    frm->ToolButton(8)->trigger();

    EXPECT_EQ(Name(3), "cyan");
    EXPECT_EQ(frm->txtName[3]->cursorPosition(), 4);
    EXPECT_EQ(Name(1), "yellow");
    EXPECT_EQ(frm->txtName[1]->cursorPosition(), 2);
}

TEST_F(frmMainNamesTest, TypedPlaceholderIsReplacedButAnEditedOneStands) {
    OpenActive();
    QLineEdit* objField = frm->txtName[2];
    objField->clear();
    QTest::keyClicks(objField, strNotJavaScript);
    EXPECT_EQ(objField->text(), strNoName);
    EXPECT_EQ(objField->cursorPosition(), objField->text().size());

    ColourMark(2, 255, 204, 0);
    frm->mnuEditFind_Click();
    ASSERT_EQ(objField->text(), strNotJavaScript);
    objField->setCursorPosition(3);
    QTest::keyClick(objField, Qt::Key_Backspace);
    EXPECT_EQ(objField->text(), "No JavaScript colour");
    // Every change puts the caret after the last character.
    EXPECT_EQ(objField->cursorPosition(), objField->text().size());
}

TEST_F(frmMainNamesTest, KeyboardAndFirstClickSelectTheWholeName) {
    OpenActive();
    ShowActive();
    QLineEdit* objFirst = frm->txtName[0];
    QLineEdit* objSecond = frm->txtName[1];
    objFirst->setText("crimson");
    objSecond->setText("gold");
    const QPoint objInside(8, objFirst->height() / 2);

    objFirst->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(objFirst->selectedText(), "crimson");

    // Leaving for another field re-arms the first click there.
    QTest::mouseClick(objSecond, Qt::LeftButton, {}, objInside);
    EXPECT_EQ(objSecond->selectedText(), "gold");
    QTest::mouseClick(objSecond, Qt::LeftButton, {}, objInside);
    EXPECT_FALSE(objSecond->hasSelectedText());
    // A context menu takes the focus only for a moment: the next click is no first click.
    frm->txtName_LostFocus(1, Qt::PopupFocusReason);
    QTest::mouseClick(objSecond, Qt::LeftButton, {}, objInside);
    EXPECT_FALSE(objSecond->hasSelectedText());
    frm->txtName_LostFocus(1, Qt::MouseFocusReason);
    QTest::mouseClick(objSecond, Qt::LeftButton, {}, objInside);
    EXPECT_EQ(objSecond->selectedText(), "gold");
    QTest::mouseClick(objSecond, Qt::LeftButton, {}, objInside);
    ASSERT_FALSE(objSecond->hasSelectedText());
    // A double click selects the whole name, not just the word under the mouse.
    objSecond->setText("dark gold");
    QTest::mouseDClick(objSecond, Qt::LeftButton, {}, objInside);
    EXPECT_EQ(objSecond->selectedText(), "dark gold");
}

TEST_F(frmMainNamesTest, NamesOnlyModeCopiesTheNameAndKeepsTheFormat) {
    StoreSetting("FormatIndex", "3");
    OpenActive();
    ASSERT_EQ(frm->lstAutocopy->currentRow(), 3);

    frm->chkJSNamesOnly->setChecked(true);
    EXPECT_TRUE(objSettings.blnJavaScriptNamesOnly);
    EXPECT_FALSE(frm->lstAutocopy->isEnabled());
    EXPECT_EQ(frm->lstAutocopy->currentRow(), -1);
    EXPECT_EQ(frm->lblClipboard->text(), "red");
    QTest::mouseClick(frm->optColor[3], Qt::LeftButton);
    EXPECT_EQ(frm->lblClipboard->text(), "cyan");
    SetColour(255, 204, 0);
    EXPECT_EQ(frm->lblClipboard->text(), "");
    Tick(3);
    EXPECT_EQ(objClipboard.arrTexts.back(), "");
    // Becoming active again leaves the list alone while the mode is on.
    frm->Form_Deactivate();
    frm->Form_Activate();
    EXPECT_EQ(frm->lstAutocopy->currentRow(), -1);

    frm->chkJSNamesOnly->setChecked(false);
    EXPECT_TRUE(frm->lstAutocopy->isEnabled());
    EXPECT_EQ(frm->lstAutocopy->currentRow(), 3);
    EXPECT_EQ(frm->lblClipboard->text(), "RGB(255, 204, 0)");

    // Switched on with no format selected, the remembered one is kept.
    frm->lstAutocopy->setCurrentRow(-1);
    frm->chkJSNamesOnly->setChecked(true);
    frm->chkJSNamesOnly->setChecked(false);
    EXPECT_EQ(frm->lstAutocopy->currentRow(), 3);
}

TEST_F(frmMainNamesTest, ColourPropertiesReportsAndOffersTheName) {
    struct Case {
        std::array<int, 3> arrColour;
        const char* strName;
        std::vector<std::string> arrLines;  // parts of the report, in order
        bool blnAsks;
        MessageAnswer enmAnswer;
        const char* strNameAfter;
    };
    const std::vector<Case> arrCase{
        {{255, 204, 0},
         strNoName,
         {"The selected colour is a websafe colour.\n\nThe selected colour will not look good in "
          "failsafe mode.\n\nThe selected colour is not a JavaScript colour."},
         false,
         MessageAnswer::Ok,
         strNoName},
        {{128, 128, 128},
         "gray",
         {"The selected colour is not a websafe colour.\n\nThe selected colour will look good in "
          "failsafe mode.\n\nThe selected colour is a JavaScript colour.\n\nIn JavaScript, the "
          "name of the selected colour is gray."},
         false,
         MessageAnswer::Ok,
         "gray"},
        {{0, 255, 255},
         "aqua",
         {"is cyan (also known as aqua).",
          "\n\nDo you want to change the name of the selected colour to cyan?"},
         true,
         MessageAnswer::Yes,
         "cyan"},
        {{255, 0, 255},
         "magenta",
         {"is magenta (also known as fuchsia)."},
         false,
         MessageAnswer::Ok,
         "magenta"},
        {{128, 128, 128},
         "Gray",
         {"Do you want to change the name of the selected colour to gray?"},
         true,
         MessageAnswer::No,
         "Gray"},
    };
    OpenActive();
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(objCase.strName);
        ColourMark(2, objCase.arrColour[0], objCase.arrColour[1], objCase.arrColour[2]);
        frm->txtName[2]->setText(objCase.strName);
        objMessages.arrShown.clear();
        objMessages.arrAnswers = {objCase.enmAnswer};

        frm->ToolButton(14)->trigger();

        ASSERT_EQ(objMessages.arrShown.size(), 1U);
        const FakeMessageBox::Shown& objShown = objMessages.arrShown[0];
        EXPECT_EQ(objShown.strTitle, "Colour Properties");
        EXPECT_EQ(objShown.enmIcon, MessageIcon::Information);
        EXPECT_EQ(objShown.enmButtons,
                  objCase.blnAsks ? MessageButtons::YesNo : MessageButtons::Ok);
        // A whole report is given whole; otherwise its parts are looked for in order.
        if (objCase.arrLines[0].rfind("The selected colour is", 0) == 0) {
            EXPECT_EQ(objShown.strText, objCase.arrLines[0]);
        }
        std::size_t intFrom = 0;
        for (const std::string& strLine : objCase.arrLines) {
            const std::size_t intAt = objShown.strText.find(strLine, intFrom);
            EXPECT_NE(intAt, std::string::npos) << objShown.strText;
            if (intAt != std::string::npos) intFrom = intAt + strLine.size();
        }
        if (!objCase.blnAsks) {
            EXPECT_EQ(objShown.strText.find('?'), std::string::npos);
        }
        EXPECT_EQ(Name(2), objCase.strNameAfter);
        EXPECT_EQ(frm->NameBackColour(2), lngPlainWhite);
    }
}
