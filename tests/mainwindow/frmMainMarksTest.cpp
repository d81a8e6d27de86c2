// Selecting marks by mouse and by fast keyboard input, the pick tip and the window's layout.

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <QWindow>
#include <utility>

#include "tests/mainwindow/frmMainFixture.h"
#include "widgets/ColourCells.h"

namespace {

int CheckedMarkCount(const frmMain& frm) {
    int intCount = 0;
    for (const QRadioButton* objMark : frm.optColor) intCount += objMark->isChecked() ? 1 : 0;
    return intCount;
}

}  // namespace

TEST_F(frmMainTest, OneClickSelectsAMarkAndClearsEveryOther) {
    OpenActive();
    // Back and forth, over the mark selected at start, and again after New.
    for (const int intMark : {2, 0, 5, 3, 3, 1, 0, 4}) {
        SCOPED_TRACE(intMark);
        QTest::mouseClick(frm->optColor[intMark], Qt::LeftButton);
        EXPECT_EQ(frm->objPalette.intSelectedMark, intMark);
        EXPECT_EQ(CheckedMarkCount(*frm), 1);
        EXPECT_TRUE(frm->optSetDec->isChecked());
        ExpectWindowInStep();
    }
    frm->mnuFileNew_Click();
    EXPECT_EQ(frm->objPalette.intSelectedMark, 0);
    EXPECT_EQ(CheckedMarkCount(*frm), 1);
    QTest::mouseClick(frm->optColor[2], Qt::LeftButton);
    EXPECT_EQ(frm->objPalette.intSelectedMark, 2);
}

TEST_F(frmMainTest, DecHexAndTheMarksAreSeparateChoices) {
    OpenActive();
    QTest::mouseClick(frm->optSetHex, Qt::LeftButton);
    QTest::mouseClick(frm->optColor[3], Qt::LeftButton);
    EXPECT_TRUE(frm->optSetHex->isChecked());
    EXPECT_EQ(Fields(), (std::array<std::string, 3>{"00", "FF", "FF"}));
    QTest::mouseClick(frm->optSetDec, Qt::LeftButton);
    EXPECT_TRUE(frm->optColor[3]->isChecked());
    EXPECT_EQ(CheckedMarkCount(*frm), 1);
}

TEST_F(frmMainTest, ArrowKeysInOneBurstLeaveTheWindowInStepWithThePalette) {
    // Keys that arrive back to back run inside the event pump of the selection before them.
    modSupport::SetEventPump([] { QCoreApplication::processEvents(); });
    Open();
    frm->show();
    frm->activateWindow();
    QApplication::setActiveWindow(frm.get());
    frm->Form_Activate();
    frm->optColor[0]->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), frm->optColor[0]);

    QWindow* objWindow = frm->windowHandle();
    auto post = [objWindow](Qt::Key enmKey) {
        QCoreApplication::postEvent(objWindow, new QKeyEvent(QEvent::KeyPress, enmKey, {}));
        QCoreApplication::postEvent(objWindow, new QKeyEvent(QEvent::KeyRelease, enmKey, {}));
    };
    for (int i = 0; i < 100; ++i)
        for (const Qt::Key enmKey : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_Left})
            post(enmKey);
    post(Qt::Key_Right);
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();

    // Every key took effect in order: the marks went 0 1 2 1 0 a hundred times, then to 1.
    EXPECT_EQ(frm->objPalette.intSelectedMark, 1);
    EXPECT_EQ(QApplication::focusWidget(), frm->optColor[1]);
    EXPECT_EQ(CheckedMarkCount(*frm), 1);
    EXPECT_TRUE(frm->optSetDec->isChecked());
    ExpectWindowInStep();

    // The next edit changes the mark shown selected, and only it.
    const int intShown = frm->objPalette.intSelectedMark;
    const auto arrBefore = frm->objPalette.arrMarkColour;
    SetColour(12, 34, 56);
    for (int i = 0; i < intMarkCount; ++i) {
        SCOPED_TRACE(i);
        const typColour typExpected = i == intShown ? typColour{12, 56, 34} : arrBefore[i];
        EXPECT_EQ(Components(frm->objPalette.arrMarkColour[i]), Components(typExpected));
        EXPECT_EQ(frm->SampleColour(i), PackColour(typExpected));
    }
}

TEST_F(frmMainTest, PickTipShowsOnlyWhileTheSamplesTakeTheMouse) {
    OpenActive();
    frm->show();
    QWidget* objSample = frm->picSample[0];
    auto tipShown = [objSample] {
        QToolTip::hideText();
        QHelpEvent objHelp(QEvent::ToolTip, QPoint(5, 5), objSample->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(objSample, &objHelp);
        return QToolTip::isVisible() && QToolTip::text() == objSample->toolTip();
    };
    ASSERT_FALSE(frm->picSampleContainer->isEnabled());
    EXPECT_FALSE(objSample->toolTip().isEmpty());
    EXPECT_FALSE(tipShown());
    frm->picSampleContainer->setEnabled(true);
    EXPECT_TRUE(tipShown());
    frm->picSampleContainer->setEnabled(false);
    QToolTip::hideText();
}

TEST_F(frmMainTest, CaptionsAreWholeAndTheFormatListShowsWholeRows) {
    // A larger font stands in for a screen of 120 dots per inch.
    const QFont objDefault = QApplication::font();
    for (const double dblScale : {1.0, 1.25}) {
        SCOPED_TRACE(dblScale);
        QFont objFont = objDefault;
        objFont.setPointSizeF(objDefault.pointSizeF() * dblScale);
        QApplication::setFont(objFont);
        Open();
        for (QWidget* objControl : std::initializer_list<QWidget*>{
                 frm->cmdWebsafe, frm->cmdFailsafe, frm->cmdJavaScript, frm->chkColorPick,
                 frm->chkJSNamesOnly, frm->lblClipboardInfo, frm->cmdSetColor, frm->optSetDec,
                 frm->optSetHex}) {
            SCOPED_TRACE(objControl->objectName().toStdString());
            EXPECT_GE(objControl->width(), objControl->sizeHint().width());
        }
        const QListWidget* objList = frm->lstAutocopy;
        const int intRow = objList->sizeHintForRow(0);
        const int intInside = objList->height() - 2 * objList->frameWidth();
        EXPECT_EQ(intInside % intRow, 0) << intInside << " / " << intRow;
        EXPECT_GE(intInside / intRow, 4);
        // The value fields sit left of Set, inside the frame.
        for (const QLineEdit* objField : {frm->txtSetRed, frm->txtSetGreen, frm->txtSetBlue})
            EXPECT_LT(objField->geometry().right(), frm->cmdSetColor->geometry().left());
        EXPECT_LE(frm->cmdSetColor->geometry().right(), frm->frmSet->contentsRect().right());
        frm.reset();
    }
    QApplication::setFont(objDefault);
}

TEST_F(frmMainTest, ColourArrivingInsideTheUpdatePathIsTheOneShown) {
    OpenActive();
    // The user moves the red bar while the green bar's change is half done.
    bool blnFired = false;
    modSupport::SetEventPump([&] {
        if (std::exchange(blnFired, true)) return;
        frm->hsbRed->setValue(77);
    });
    frm->hsbGreen->setValue(10);
    EXPECT_EQ(Bars(), (std::array<int, 3>{77, 10, 0}));
    EXPECT_EQ(frm->lblClipboard->text(), "#4D0A00");
    EXPECT_EQ(frm->lblColorBar->CellColour(255), QColor(255, 255, 255));
    EXPECT_EQ(frm->lblColorBar->CellColour(0), QColor(77, 10, 0));
}

TEST_F(frmMainTest, MarkChosenWhileAPaletteLoadsIsSelectedAfterIt) {
    OpenActive();
    QTest::mouseClick(frm->optColor[1], Qt::LeftButton);
    bool blnFired = false;
    modSupport::SetEventPump([&] {
        if (frm->objPalette.intSelectedMark != 0 || std::exchange(blnFired, true)) return;
        QTest::mouseClick(frm->optColor[3], Qt::LeftButton);
    });
    frm->mnuFileNew_Click();
    ASSERT_TRUE(blnFired);
    modSupport::SetEventPump({});
    QCoreApplication::processEvents();
    EXPECT_EQ(frm->objPalette.intSelectedMark, 3);
    EXPECT_EQ(Bars(), (std::array<int, 3>{0, 255, 255}));
}
