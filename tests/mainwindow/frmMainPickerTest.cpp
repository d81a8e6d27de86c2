// The screen colour picker: Colour Pick Mode, a drag from the selected sample across the screen,
// picks that end without a colour, and the desktop's pick.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QFrame>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "palettewindows/PaletteCells.h"
#include "palettewindows/frmFailsafe.h"
#include "palettewindows/frmJavaScript.h"
#include "palettewindows/frmWebsafe.h"
#include "tests/mainwindow/frmMainFixture.h"
#include "widgets/QtColour.h"

namespace {

constexpr std::int32_t lngGreen = PackColour(0, 255, 0);

}  // namespace

class frmMainPickerTest : public frmMainTest {
protected:
    void TearDown() override {
        // Whatever a test did, no pick may keep the cross-hair.
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        while (QGuiApplication::overrideCursor() != nullptr)
            QGuiApplication::restoreOverrideCursor();
        frmMainTest::TearDown();
        // Palette windows close when the main window goes; their deletion is deferred.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    /// Opens the window on screen with Colour Pick Mode ticked by a click.
    void OpenInPickMode() {
        OpenActive();
        frm->show();
        QTest::mouseClick(frm->chkColorPick, Qt::LeftButton);
        ASSERT_TRUE(frm->chkColorPick->isChecked());
    }

    /// Sends a mouse event to a sample box as the window system would during a drag.
    void Mouse(int intSample, QEvent::Type enmType, Qt::MouseButton enmButton,
               Qt::MouseButtons enmHeld) {
        const QPointF objPos(10, 10);
        QMouseEvent objEvent(enmType, objPos, frm->picSample.at(intSample)->mapToGlobal(objPos),
                             enmButton, enmHeld, Qt::NoModifier);
        QCoreApplication::sendEvent(frm->picSample.at(intSample), &objEvent);
    }
    void Press(int intSample = 0) {
        Mouse(intSample, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    }
    /// Moves the cursor to a screen point that shows lngPixel.
    void MoveOver(std::int32_t lngPixel, int intSample = 0) {
        objScreen.intX += 7;
        objScreen.mapPixel[{objScreen.intX, objScreen.intY}] = lngPixel;
        Mouse(intSample, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
    }
    void Release(int intSample = 0) {
        Mouse(intSample, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    }

    bool PickShown() const {
        const bool blnBarsHidden =
            frm->hsbRed->isHidden() && frm->hsbGreen->isHidden() && frm->hsbBlue->isHidden();
        EXPECT_EQ(blnBarsHidden, !frm->picPick->isHidden());
        return blnBarsHidden;
    }

    bool Changed() const { return frm->objPalette.PaletteChanged(frm->NameTexts()); }
};

TEST_F(frmMainPickerTest, PickModeSwapsTheSamplesForTheOpenCommands) {
    OpenActive();
    QAction* objOpen = frm->ToolButton(2);
    QAction* objNotepad = frm->ToolButton(3);
    for (const bool blnOn : {true, false, true, false}) {
        SCOPED_TRACE(blnOn);
        QTest::mouseClick(frm->chkColorPick, Qt::LeftButton);
        EXPECT_EQ(frm->picSampleContainer->isEnabled(), blnOn);
        for (QAction* objCommand :
             {frm->mnuFileOpen, frm->mnuFileOpenInNotepad, objOpen, objNotepad})
            EXPECT_EQ(objCommand->isEnabled(), !blnOn) << objCommand->objectName().toStdString();
        // The palette windows open in either mode.
        for (QWidget* objOpener : {frm->cmdWebsafe, frm->cmdFailsafe, frm->cmdJavaScript})
            EXPECT_TRUE(objOpener->isEnabled()) << objOpener->objectName().toStdString();
        EXPECT_EQ(objOpen->toolTip().toStdString(),
                  blnOn ? "Uncheck the check box Colour Pick Mode to enable"
                        : "Open Palette In Huevra (Ctrl+O)");
        EXPECT_EQ(objNotepad->toolTip().toStdString(),
                  blnOn ? "Uncheck the check box Colour Pick Mode to enable"
                        : "Open Palette In Notepad (Ctrl+I)");
        // The toolbar's Open does nothing while the mode is on.
        frm->tbrTools_ButtonClick(2);
        EXPECT_EQ(objFileDialogs.arrRequests.size(), blnOn ? 0U : 1U);
        objFileDialogs.arrRequests.clear();
    }
}

TEST_F(frmMainPickerTest, PaletteWindowsOpenAndGiveTheirColourInPickMode) {
    OpenInPickMode();
    for (QPushButton* objButton : {frm->cmdWebsafe, frm->cmdFailsafe, frm->cmdJavaScript})
        QTest::mouseClick(objButton, Qt::LeftButton);
    ASSERT_TRUE(frm->objWebsafe && frm->objFailsafe && frm->objJavaScript);
    EXPECT_TRUE(frm->objWebsafe->isVisible());
    // A swatch's colour reaches the selected mark as in the mode off.
    const QColor objSwatch = frm->objWebsafe->lblWebsafeColor->CellColour(5);
    const std::array<int, 3> arrSwatch{objSwatch.red(), objSwatch.green(), objSwatch.blue()};
    ASSERT_NE(Bars(), arrSwatch);
    frm->objWebsafe->lblWebsafeColor_MouseDown(5, Qt::LeftButton);
    EXPECT_EQ(Bars(), arrSwatch);
    EXPECT_TRUE(frm->chkColorPick->isChecked());
    EXPECT_FALSE(frm->mnuFileOpen->isEnabled());
}

TEST_F(frmMainPickerTest, OnlyTheSelectedSampleStartsAPickAndOnlyInPickMode) {
    OpenActive();
    frm->show();
    Press(0);
    EXPECT_FALSE(frm->objPick.blnPicking) << "mode off";
    QTest::mouseClick(frm->chkColorPick, Qt::LeftButton);
    QTest::mouseClick(frm->optColor[3], Qt::LeftButton);
    for (const int intSample : {0, 2, 5}) {
        SCOPED_TRACE(intSample);
        Press(intSample);
        EXPECT_FALSE(frm->objPick.blnPicking);
        EXPECT_FALSE(PickShown());
    }
    // The right button does not pick either.
    Mouse(3, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton);
    EXPECT_FALSE(frm->objPick.blnPicking);

    Press(3);
    EXPECT_TRUE(frm->objPick.blnPicking);
    EXPECT_TRUE(PickShown());
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    Release(3);
    EXPECT_FALSE(PickShown());
}

TEST_F(frmMainPickerTest, DragShowsThePixelAndReleaseAppliesItThroughTheScrollBars) {
    OpenInPickMode();
    objScreen.lngDefaultPixel = PackColour(255, 0, 0);
    Press();
    for (const std::int32_t lngPixel : {PackColour(1, 2, 3), PackColour(255, 255, 255), lngGreen}) {
        MoveOver(lngPixel);
        EXPECT_EQ(BackColour(frm->picPick), lngPixel);
    }
    // Nothing changes while the drag goes on.
    Tick(3);
    EXPECT_EQ(Bars(), (std::array<int, 3>{255, 0, 0}));
    EXPECT_FALSE(Changed());
    EXPECT_EQ(objClipboard.arrTexts.back(), "#FF0000");

    Release();
    EXPECT_FALSE(PickShown());
    EXPECT_EQ(Bars(), (std::array<int, 3>{0, 255, 0}));
    EXPECT_EQ(Fields(), (std::array<std::string, 3>{"0", "255", "0"}));
    EXPECT_EQ(frm->SampleColour(0), lngGreen);
    Tick(3);
    EXPECT_EQ(objClipboard.arrTexts.back(), "#00FF00");
}

TEST_F(frmMainPickerTest, ReleaseOverTheCurrentColourChangesNothing) {
    OpenInPickMode();
    Press();
    MoveOver(lngGreen);
    MoveOver(PackColour(255, 0, 0));
    Release();
    EXPECT_EQ(Bars(), (std::array<int, 3>{255, 0, 0}));
    EXPECT_FALSE(Changed());
    EXPECT_NE(frm->NameBackColour(0), lngStaleNameColour);
}

TEST_F(frmMainPickerTest, ReleaseTakesAColourOnlyWhenThisPickReadOne) {
    OpenInPickMode();
    // An earlier pick leaves its colour behind.
    Press();
    MoveOver(lngGreen);
    Release();
    ASSERT_EQ(Bars(), (std::array<int, 3>{0, 255, 0}));
    QTest::mouseClick(frm->optColor[1], Qt::LeftButton);
    const std::array<int, 3> arrYellow{255, 255, 0};

    // Every read fails: neither the old pick nor black may reach the mark.
    objScreen.blnThrow = true;
    Press(1);
    MoveOver(PackColour(0, 0, 255), 1);
    EXPECT_TRUE(frm->objPick.blnPicking) << "a failed read does not end the drag";
    Release(1);
    EXPECT_EQ(Bars(), arrYellow);

    // A plain click reads the pixel under the press.
    objScreen.blnThrow = false;
    objScreen.mapPixel.clear();
    objScreen.lngDefaultPixel = PackColour(0, 0, 128);
    Press(1);
    Release(1);
    EXPECT_EQ(Bars(), (std::array<int, 3>{0, 0, 128}));
}

TEST_F(frmMainPickerTest, PickThatLosesTheUserEndsWithoutAColour) {
    struct Case {
        const char* strName;
        std::function<void()> fnLose;
    };
    const std::vector<Case> arrCases{
        {"Escape", [this] { QTest::keyClick(frm->picSample[0], Qt::Key_Escape); }},
        {"another window becomes active",
         [this] {
             QWidget objOther;
             objOther.show();
             QApplication::setActiveWindow(&objOther);
             QApplication::setActiveWindow(frm.get());
         }},
        {"the mode is unticked", [this] { QTest::mouseClick(frm->chkColorPick, Qt::LeftButton); }},
        {"another mark is selected", [this] { frm->optColor[2]->click(); }},
        {"the release went elsewhere",
         [this] { Mouse(0, QEvent::MouseMove, Qt::NoButton, Qt::NoButton); }},
    };
    for (const Case& objCase : arrCases) {
        SCOPED_TRACE(objCase.strName);
        OpenInPickMode();
        QApplication::setActiveWindow(frm.get());
        // A cursor of someone else's stays after the pick.
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        Press();
        MoveOver(lngGreen);
        objCase.fnLose();
        EXPECT_FALSE(frm->objPick.blnPicking);
        EXPECT_FALSE(PickShown());
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QGuiApplication::restoreOverrideCursor();
        // A release that comes later belongs to no pick.
        if (frm->chkColorPick->isChecked()) Release();
        EXPECT_EQ(frm->SampleColour(0), PackColour(255, 0, 0));
        EXPECT_FALSE(Changed());
        ExpectWindowInStep();
    }
}

TEST_F(frmMainPickerTest, DesktopPickGoesThroughTheScrollBarsAndCancelChangesNothing) {
    objScreen.blnThroughDesktop = true;
    OpenInPickMode();
    Press();
    Press();
    Release();
    EXPECT_FALSE(PickShown()) << "the desktop shows its own picker";
    ASSERT_EQ(objScreen.arrDesktopPicks.size(), 1U) << "one pick at a time";
    objScreen.arrDesktopPicks[0](DesktopPickResult::Cancelled, lngGreen);
    EXPECT_EQ(Bars(), (std::array<int, 3>{255, 0, 0}));
    EXPECT_FALSE(Changed());

    Press();
    ASSERT_EQ(objScreen.arrDesktopPicks.size(), 2U);
    objScreen.arrDesktopPicks[1](DesktopPickResult::Picked, PackColour(12, 34, 56));
    EXPECT_EQ(Bars(), (std::array<int, 3>{12, 34, 56}));
    EXPECT_EQ(frm->SampleColour(0), PackColour(12, 34, 56));

    // A colour that arrives after the mark was left is dropped.
    Press();
    QTest::mouseClick(frm->optColor[4], Qt::LeftButton);
    objScreen.arrDesktopPicks[2](DesktopPickResult::Picked, lngGreen);
    EXPECT_EQ(frm->objPalette.arrMarkColour[0], UnpackColour(PackColour(12, 34, 56)));
    EXPECT_EQ(frm->objPalette.intSelectedMark, 4);
    EXPECT_TRUE(objMessages.arrShown.empty());
}

TEST_F(frmMainPickerTest, UnavailableDesktopPickerIsToldOnce) {
    objScreen.blnThroughDesktop = true;
    OpenInPickMode();
    for (int i = 0; i < 3; ++i) {
        Press();
        ASSERT_EQ(objScreen.arrDesktopPicks.size(), static_cast<std::size_t>(i + 1));
        objScreen.arrDesktopPicks.back()(DesktopPickResult::Unavailable, 0);
    }
    ASSERT_EQ(objMessages.arrShown.size(), 1U);
    EXPECT_EQ(objMessages.arrShown[0].strTitle, "Huevra");
    EXPECT_EQ(objMessages.arrShown[0].enmIcon, MessageIcon::Warning);
    EXPECT_NE(objMessages.arrShown[0].strText.find("no colour picker"), std::string::npos);
    EXPECT_FALSE(Changed());

    // An answer after the window has gone reaches nothing.
    Press();
    DesktopPickDone fnLate = objScreen.arrDesktopPicks.back();
    frm.reset();
    fnLate(DesktopPickResult::Picked, lngGreen);
}

TEST_F(frmMainPickerTest, FailedDesktopPickIsToldOnceAndTheNextPickStarts) {
    struct Case {
        DesktopPickResult enmResult;
        const char* strText;
    };
    const std::array<Case, 2> arrCases{{
        {DesktopPickResult::InvalidColour,
         "No colour was picked: the desktop's colour picker returned an invalid colour."},
        {DesktopPickResult::NoAnswer,
         "No colour was picked: the desktop's colour picker gave no answer."},
    }};
    objScreen.blnThroughDesktop = true;
    OpenInPickMode();
    for (const Case& objCase : arrCases) {
        SCOPED_TRACE(objCase.strText);
        objMessages.arrShown.clear();
        const std::size_t intPicks = objScreen.arrDesktopPicks.size();
        const std::array<int, 3> arrBefore = Bars();
        Press();
        ASSERT_EQ(objScreen.arrDesktopPicks.size(), intPicks + 1);
        const DesktopPickDone fnDone = objScreen.arrDesktopPicks.back();
        fnDone(objCase.enmResult, 0);
        // A second end of the same pick is not told again.
        fnDone(objCase.enmResult, 0);
        ASSERT_EQ(objMessages.arrShown.size(), 1U);
        EXPECT_EQ(objMessages.arrShown[0].strText, objCase.strText);
        EXPECT_EQ(objMessages.arrShown[0].strTitle, "Huevra");
        EXPECT_EQ(objMessages.arrShown[0].enmIcon, MessageIcon::Warning);
        EXPECT_EQ(Bars(), arrBefore);
        // The failure ended the pick: the next press asks the desktop again.
        Press();
        ASSERT_EQ(objScreen.arrDesktopPicks.size(), intPicks + 2);
        objScreen.arrDesktopPicks.back()(DesktopPickResult::Picked, PackColour(1, 2, 3));
        EXPECT_EQ(Bars(), (std::array<int, 3>{1, 2, 3}));
    }
}

TEST_F(frmMainPickerTest, UntickingPickModeEndsADesktopPickThatIsAwaited) {
    objScreen.blnThroughDesktop = true;
    OpenInPickMode();
    Press();
    ASSERT_EQ(objScreen.arrDesktopPicks.size(), 1U);
    QTest::mouseClick(frm->chkColorPick, Qt::LeftButton);
    QTest::mouseClick(frm->chkColorPick, Qt::LeftButton);
    Press();
    ASSERT_EQ(objScreen.arrDesktopPicks.size(), 2U) << "the unanswered pick no longer blocks";
    // The ended pick's answer, whatever it is, is dropped; the new one's is taken.
    objScreen.arrDesktopPicks[0](DesktopPickResult::Picked, lngGreen);
    objScreen.arrDesktopPicks[0](DesktopPickResult::NoAnswer, 0);
    EXPECT_EQ(Bars(), (std::array<int, 3>{255, 0, 0}));
    EXPECT_TRUE(objMessages.arrShown.empty());
    objScreen.arrDesktopPicks[1](DesktopPickResult::Picked, PackColour(12, 34, 56));
    EXPECT_EQ(Bars(), (std::array<int, 3>{12, 34, 56}));
}
