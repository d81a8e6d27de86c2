// The colour editor: colour bar, value fields, Dec/Hex, mark selection and loading a palette.

#include <QFocusEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/ColourValue.h"
#include "tests/mainwindow/frmMainFixture.h"
#include "widgets/ColourCells.h"

namespace {

const char* const strDecimalRefusal =
    "The value is not allowed. Only values from 0 to 255 are allowed.";
const char* const strHexRefusal =
    "The value is not allowed. Only values from 00 to FF are allowed.";

void TypeInto(QLineEdit* objField, const QString& strText) {
    objField->selectAll();
    QTest::keyClick(objField, Qt::Key_Delete);
    QTest::keyClicks(objField, strText);
}

}  // namespace

TEST_F(frmMainTest, ColourBarShiftsTheColourEvenly) {
    OpenActive();
    struct Case {
        std::array<int, 3> arrColour;
        int intCell;
        std::array<int, 3> arrCell;
    };
    const std::vector<Case> arrCase{
        {{0, 0, 0}, 0, {0, 0, 0}},
        {{0, 0, 0}, 77, {77, 77, 77}},
        {{255, 0, 0}, 0, {255, 0, 0}},
        {{255, 0, 0}, 128, {255, 128, 128}},
        {{100, 150, 200}, 0, {0, 50, 100}},
        {{100, 150, 200}, 100, {100, 150, 200}},
        {{100, 150, 200}, 155, {155, 205, 255}},
        {{100, 150, 200}, 200, {200, 250, 255}},
        {{10, 10, 10}, 0, {0, 0, 0}},
        {{10, 10, 10}, 5, {5, 5, 5}},
        {{10, 10, 10}, 10, {10, 10, 10}},
        {{10, 10, 10}, 255, {255, 255, 255}},
        {{255, 255, 255}, 0, {0, 0, 0}},
        {{255, 255, 255}, 254, {254, 254, 254}},
        {{3, 250, 7}, 255, {255, 255, 255}},
    };
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(::testing::Message()
                     << objCase.arrColour[0] << "," << objCase.arrColour[1] << ","
                     << objCase.arrColour[2] << " cell " << objCase.intCell);
        SetColour(objCase.arrColour[0], objCase.arrColour[1], objCase.arrColour[2]);
        EXPECT_EQ(Components(frm->arrColourBar[objCase.intCell]), objCase.arrCell);
        EXPECT_EQ(frm->lblColorBar->CellColour(objCase.intCell),
                  QColor(objCase.arrCell[0], objCase.arrCell[1], objCase.arrCell[2]));
    }
}

TEST_F(frmMainTest, ClickOnColourBarCellTakesItsColour) {
    OpenActive();
    SetColour(100, 150, 200);
    QTest::mouseClick(frm->lblColorBar, Qt::LeftButton, Qt::NoModifier,
                      frm->lblColorBar->CellRect(0).center());
    EXPECT_EQ(Bars(), (std::array<int, 3>{0, 50, 100}));
    EXPECT_EQ(Components(frm->objPalette.arrMarkColour[0]), (std::array<int, 3>{0, 50, 100}));
    EXPECT_EQ(frm->SampleColour(0), PackColour(0, 50, 100));
    EXPECT_EQ(Fields(), (std::array<std::string, 3>{"0", "50", "100"}));
    EXPECT_EQ(frm->lblClipboard->text(), "#003264");
    // The bar is drawn around the new colour.
    EXPECT_EQ(Components(frm->arrColourBar[0]), (std::array<int, 3>{0, 50, 100}));
    EXPECT_EQ(Components(frm->arrColourBar[255]), (std::array<int, 3>{255, 255, 255}));
}

TEST_F(frmMainTest, ValueFieldsRefuseBadValuesAndKeepTheColour) {
    OpenActive();
    frm->show();
    struct Case {
        bool blnHex;
        std::array<const char*, 3> arrText;
        int intRefused;  // -1: accepted
        std::array<int, 3> arrColour;
    };
    const std::vector<Case> arrCase{
        {false, {"255", "0", "256"}, 2, {255, 0, 0}},
        {false, {"", "0", "0"}, 0, {255, 0, 0}},
        {false, {"12", "-1", "0"}, 1, {255, 0, 0}},
        {false, {"1e2", "0", "0"}, 0, {255, 0, 0}},
        {false, {" 12", "007", "0"}, -1, {12, 7, 0}},
        {true, {"F", "00", "00"}, 0, {255, 0, 0}},
        {true, {"FF", "CG", "00"}, 1, {255, 0, 0}},
        {true, {"ff", "0a", "80"}, -1, {255, 10, 128}},
    };
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(::testing::Message() << objCase.arrText[0] << "|" << objCase.arrText[1] << "|"
                                          << objCase.arrText[2]);
        SetColour(255, 0, 0);
        (objCase.blnHex ? frm->optSetHex : frm->optSetDec)->setChecked(true);
        objMessages.arrShown.clear();
        const std::array<QLineEdit*, 3> arrField{frm->txtSetRed, frm->txtSetGreen, frm->txtSetBlue};
        for (int i = 0; i < 3; ++i) arrField[i]->setText(QLatin1String(objCase.arrText[i]));
        EXPECT_TRUE(frm->cmdSetColor->isEnabled());
        EXPECT_FALSE(frm->optSetDec->isEnabled());

        QTest::mouseClick(frm->cmdSetColor, Qt::LeftButton);

        EXPECT_EQ(Bars(), objCase.arrColour);
        EXPECT_FALSE(frm->cmdSetColor->isEnabled());
        EXPECT_TRUE(frm->optSetDec->isEnabled());
        EXPECT_TRUE(frm->optSetHex->isEnabled());
        if (objCase.intRefused < 0) {
            EXPECT_TRUE(objMessages.arrShown.empty());
            continue;
        }
        ASSERT_EQ(objMessages.arrShown.size(), 1U);
        EXPECT_EQ(objMessages.arrShown[0].strText,
                  objCase.blnHex ? strHexRefusal : strDecimalRefusal);
        EXPECT_EQ(objMessages.arrShown[0].strTitle, "Huevra");
        EXPECT_EQ(objMessages.arrShown[0].enmIcon, MessageIcon::Warning);
        QLineEdit* objRefused = arrField[objCase.intRefused];
        EXPECT_EQ(frm->focusWidget(), objRefused);
        EXPECT_EQ(objRefused->text(), QLatin1String(objCase.arrText[objCase.intRefused]));
        EXPECT_EQ(objRefused->selectedText(), objRefused->text());
    }
}

TEST_F(frmMainTest, EnterInAFieldAppliesAllFieldsAndSelectsThatField) {
    OpenActive();
    frm->show();
    TypeInto(frm->txtSetGreen, "204");
    EXPECT_TRUE(frm->cmdSetColor->isEnabled());
    QTest::keyClick(frm->txtSetGreen, Qt::Key_Return);
    EXPECT_EQ(Bars(), (std::array<int, 3>{255, 204, 0}));
    EXPECT_EQ(frm->lblClipboard->text(), "#FFCC00");
    EXPECT_EQ(frm->txtSetGreen->selectedText(), "204");
    EXPECT_FALSE(frm->cmdSetColor->isEnabled());

    // Values equal to the colour change nothing, and the fields keep what was typed.
    TypeInto(frm->txtSetBlue, "000");
    QTest::keyClick(frm->txtSetBlue, Qt::Key_Enter);
    EXPECT_EQ(Fields(), (std::array<std::string, 3>{"255", "204", "000"}));
    EXPECT_TRUE(objMessages.arrShown.empty());
}

TEST_F(frmMainTest, TypedLettersBecomeUpperCaseAndTabSelectsTheField) {
    OpenActive();
    frm->optSetHex->setChecked(true);
    TypeInto(frm->txtSetRed, "c0");
    EXPECT_EQ(frm->txtSetRed->text(), "C0");

    for (auto [enmReason, blnSelected] :
         {std::pair{Qt::TabFocusReason, true}, std::pair{Qt::BacktabFocusReason, true},
          std::pair{Qt::MouseFocusReason, false}, std::pair{Qt::OtherFocusReason, false}}) {
        SCOPED_TRACE(enmReason);
        frm->txtSetGreen->deselect();
        QFocusEvent objFocus(QEvent::FocusIn, enmReason);
        QCoreApplication::sendEvent(frm->txtSetGreen, &objFocus);
        EXPECT_EQ(frm->txtSetGreen->hasSelectedText(), blnSelected);
    }
}

TEST_F(frmMainTest, DecHexSwitchRewritesTheFields) {
    OpenActive();
    SetColour(255, 204, 0);
    QTest::mouseClick(frm->optSetHex, Qt::LeftButton);
    EXPECT_TRUE(frm->optSetHex->isChecked());
    EXPECT_EQ(Fields(), (std::array<std::string, 3>{"FF", "CC", "00"}));
    QTest::mouseClick(frm->optSetDec, Qt::LeftButton);
    EXPECT_EQ(Fields(), (std::array<std::string, 3>{"255", "204", "0"}));
    EXPECT_EQ(Bars(), (std::array<int, 3>{255, 204, 0}));

    // An abandoned edit keeps the switch locked until the fields are read again.
    frm->txtSetRed->setText("1");
    frm->hsbBlue->setValue(9);
    EXPECT_FALSE(frm->cmdSetColor->isEnabled());
    EXPECT_FALSE(frm->optSetDec->isEnabled());
    EXPECT_FALSE(frm->optSetHex->isEnabled());
    EXPECT_EQ(Fields(), (std::array<std::string, 3>{"255", "204", "9"}));
}

TEST_F(frmMainTest, ScrollEventsApplyOnlyWhileAllowed) {
    OpenActive();
    frm->blnScrollEvents = false;
    frm->lngClipboardTicks = 2;
    frm->hsbRed->setValue(10);
    EXPECT_EQ(frm->lngClipboardTicks, 0);
    EXPECT_EQ(frm->objPalette.arrMarkColour[0].lngRed, 255);

    frm->blnScrollEvents = true;
    // A drag applies the thumb's position at every move, before the value follows.
    frm->hsbGreen->setSliderDown(true);
    frm->hsbGreen->setSliderPosition(40);
    EXPECT_EQ(frm->hsbGreen->value(), 0);
    EXPECT_EQ(Components(frm->objPalette.arrMarkColour[0]), (std::array<int, 3>{10, 40, 0}));
    EXPECT_EQ(frm->lblClipboard->text(), "#0A2800");
    frm->hsbGreen->setSliderDown(false);
    EXPECT_EQ(frm->hsbGreen->value(), 40);
}

TEST_F(frmMainTest, ArrowKeysMoveAScrollBarTheWayTheyPoint) {
    OpenActive();
    const struct {
        Qt::Key enmKey;
        int intGreen;
    } arrCase[] = {{Qt::Key_Right, 11}, {Qt::Key_Left, 9}, {Qt::Key_Up, 11}, {Qt::Key_Down, 9}};
    for (const auto& objCase : arrCase) {
        SCOPED_TRACE(objCase.enmKey);
        frm->hsbGreen->setValue(10);
        QTest::keyClick(frm->hsbGreen, objCase.enmKey);
        EXPECT_EQ(frm->hsbGreen->value(), objCase.intGreen);
        EXPECT_EQ(frm->objPalette.arrMarkColour[0].lngGreen, objCase.intGreen);
    }
    EXPECT_NE(frm->hsbGreen->focusPolicy() & Qt::TabFocus, 0);
}

TEST_F(frmMainTest, ColourChangeFlagsAProperNameButNotAFormatChangeOrSelection) {
    OpenActive();
    frm->txtName[0]->setText("crimson");
    frm->txtName[1]->setText("olive");
    frm->txtName[3]->setText("Not JavaScript colour");

    frm->lstAutocopy->setCurrentRow(2);
    EXPECT_EQ(frm->lblClipboard->text(), "&H000000FF&");
    EXPECT_EQ(frm->NameBackColour(0), PackColour(255, 255, 255));

    frm->hsbGreen->setValue(10);
    EXPECT_EQ(frm->NameBackColour(0), lngStaleNameColour);
    EXPECT_EQ(frm->txtName[3]->text(), "Type a colour name");
    EXPECT_EQ(frm->txtName[1]->text(), "olive");

    QTest::mouseClick(frm->optColor[1], Qt::LeftButton);
    EXPECT_EQ(frm->objPalette.intSelectedMark, 1);
    EXPECT_EQ(frm->NameBackColour(1), PackColour(255, 255, 255));

    // The Dec/Hex switch runs the whole path and so flags the selected name.
    frm->optSetHex->setChecked(true);
    EXPECT_EQ(frm->NameBackColour(1), lngStaleNameColour);
}

TEST_F(frmMainTest, SelectingAMarkShowsItsColourAndEnablesOnlyItsSample) {
    OpenActive();
    frm->show();
    QTest::mouseClick(frm->optColor[3], Qt::LeftButton);
    EXPECT_EQ(frm->objPalette.intSelectedMark, 3);
    EXPECT_EQ(Bars(), (std::array<int, 3>{0, 255, 255}));
    EXPECT_EQ(Fields(), (std::array<std::string, 3>{"0", "255", "255"}));
    EXPECT_EQ(frm->lblClipboard->text(), "#00FFFF");
    for (int i = 0; i < intMarkCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(frm->picSample[i]->isEnabledTo(frm->picSampleContainer), i == 3);
        EXPECT_EQ(frm->picSample[i]->toolTip(),
                  i == 3 ? "Drag and drop from here to pick a colour anywhere on the screen" : "");
    }
    EXPECT_TRUE(frm->blnScrollEvents);
    EXPECT_TRUE(frm->blnNameCheck);

    // Mark 0 keeps the colour it had; only the selected mark follows the bars.
    frm->hsbRed->setValue(128);
    EXPECT_EQ(frm->SampleColour(3), PackColour(128, 255, 255));
    EXPECT_EQ(frm->SampleColour(0), PackColour(255, 0, 0));
    EXPECT_TRUE(frm->objPalette.PaletteChanged(frm->NameTexts()));
    frm->hsbRed->setValue(0);
    EXPECT_FALSE(frm->objPalette.PaletteChanged(frm->NameTexts()));
}

TEST_F(frmMainTest, LoadedPaletteReplacesMarksTitleAndSavedState) {
    OpenActive();
    QTest::mouseClick(frm->optColor[2], Qt::LeftButton);
    frm->optSetHex->setChecked(true);
    frm->txtName[4]->setText("gold");
    frm->hsbRed->setValue(9);

    Palette& objPalette = frm->objPalette;
    for (int i = 0; i < intMarkCount; ++i) {
        objPalette.arrLoadColour[i] = UnpackColour(PackColour(10 * i, 20 * i, 30 * i));
        objPalette.arrLoadName[i] = "name " + std::to_string(i);
    }
    objPalette.arrLoadName[5] = "a name of twenty-five abc";
    frm->LockRedraw();
    frm->ApplyLoadedPalette("Huevra - colours.txt");

    EXPECT_TRUE(frm->updatesEnabled());
    EXPECT_EQ(frm->windowTitle(), "Huevra - colours.txt");
    EXPECT_EQ(objPalette.intSelectedMark, 0);
    EXPECT_TRUE(frm->optColor[0]->isChecked());
    EXPECT_TRUE(frm->optSetDec->isChecked());
    EXPECT_EQ(Fields(), (std::array<std::string, 3>{"0", "0", "0"}));
    for (int i = 0; i < intMarkCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(frm->SampleColour(i), PackColour(10 * i, 20 * i, 30 * i));
        EXPECT_EQ(objPalette.arrSavedColour[i], objPalette.arrLoadColour[i]);
        EXPECT_EQ(objPalette.arrSavedName[i], objPalette.arrLoadName[i]);
        EXPECT_EQ(frm->NameBackColour(i), PackColour(255, 255, 255));
        EXPECT_EQ(frm->picSample[i]->isEnabledTo(frm->picSampleContainer), i == 0);
    }
    EXPECT_EQ(frm->txtName[5]->text(), "a name of twenty-five");
    // The cut name differs from the saved one, so the palette counts as changed at once.
    EXPECT_TRUE(objPalette.PaletteChanged(frm->NameTexts()));
    EXPECT_EQ(frm->lngClipboardTicks, 0);
    EXPECT_TRUE(frm->blnScrollEvents);
    EXPECT_TRUE(frm->blnNameCheck);
}
