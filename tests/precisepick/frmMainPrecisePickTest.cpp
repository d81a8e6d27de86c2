// Precise Pick in the main window: its menu item on F7, kept from drag picks, and the colour it
// takes reaching the selected mark through the three bars, on X11 and through the desktop.

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

#include "help/HelpSupport.h"
#include "precisepick/Magnifier.h"
#include "precisepick/PrecisePick.h"
#include "tests/mainwindow/frmMainFixture.h"

class frmMainPrecisePickTest : public frmMainTest {
protected:
    void SetUp() override {
        frmMainTest::SetUp();
        ScreenShot objShot;
        objShot.intWidth = 40;
        objShot.intHeight = 30;
        objShot.arrPixel.assign(40 * 30, PackColour(10, 20, 30));
        objShot.arrPixel[5 * 40 + 21] = PackColour(200, 100, 50);
        objScreen.arrScreens = {objShot};
        objScreen.intX = 20;
        objScreen.intY = 5;
    }

    void TearDown() override {
        frmMainTest::TearDown();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Key(Qt::Key enmKey) {
        ASSERT_TRUE(frm->objPrecisePick);
        ASSERT_NE(frm->objPrecisePick->CurrentMagnifier(), nullptr);
        QTest::keyClick(frm->objPrecisePick->CurrentMagnifier(), enmKey);
    }

    bool Changed() const { return frm->objPalette.PaletteChanged(frm->NameTexts()); }
};

TEST_F(frmMainPrecisePickTest, TheToolsMenuEndsWithPrecisePickOnF7) {
    OpenActive();
    const QList<QAction*> arrItem = frm->mnuTools->actions();
    ASSERT_EQ(arrItem.size(), 4);
    EXPECT_EQ(arrItem[2], frm->mnuToolsColourInspector);
    EXPECT_EQ(arrItem[3], frm->mnuToolsPrecisePick);
    EXPECT_EQ(frm->mnuToolsPrecisePick->objectName().toStdString(), "mnuToolsPrecisePick");
    EXPECT_EQ(frm->mnuToolsPrecisePick->text().toStdString(), "&Precise Pick");
    EXPECT_EQ(frm->mnuToolsPrecisePick->shortcut(), QKeySequence(Qt::Key_F7));
    for (QAction* objAction : frm->findChildren<QAction*>()) {
        if (objAction == frm->mnuToolsPrecisePick) continue;
        SCOPED_TRACE(objAction->objectName().toStdString());
        EXPECT_NE(objAction->shortcut(), QKeySequence(Qt::Key_F7));
    }
}

TEST_F(frmMainPrecisePickTest, TheTakenColourReachesTheMarkThroughTheBars) {
    OpenActive();
    frm->show();
    ASSERT_FALSE(frm->chkColorPick->isChecked()) << "no Colour Pick Mode needed";
    frm->mnuToolsPrecisePick->trigger();
    ASSERT_TRUE(frm->objPrecisePick && frm->objPrecisePick->IsRunning());
    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    EXPECT_EQ(Bars(), (std::array<int, 3>{200, 100, 50}));
    EXPECT_EQ(frm->SampleColour(0), PackColour(200, 100, 50));
    EXPECT_EQ(frm->objPalette.arrMarkColour[0], UnpackColour(PackColour(200, 100, 50)));
    Tick(5);
    ASSERT_FALSE(objClipboard.arrTexts.empty());
    EXPECT_EQ(objClipboard.arrTexts.back(), "#C86432");
}

TEST_F(frmMainPrecisePickTest, CancelChangesNothing) {
    OpenActive();
    frm->show();
    frm->mnuToolsPrecisePick->trigger();
    Key(Qt::Key_Right);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(frm->objPrecisePick->IsRunning());
    EXPECT_EQ(Bars(), (std::array<int, 3>{255, 0, 0}));
    EXPECT_FALSE(Changed());
    EXPECT_TRUE(objMessages.arrShown.empty());
}

TEST_F(frmMainPrecisePickTest, F1DuringThePickOpensItsPage) {
    OpenActive();
    frm->show();
    frm->mnuToolsPrecisePick->trigger();
    Key(Qt::Key_F1);
    EXPECT_FALSE(frm->objPrecisePick->IsRunning());
    EXPECT_EQ(objHelpViewer.arrTopics, std::vector<std::string>{"huevra12.htm"});
    EXPECT_FALSE(Changed());
}

TEST_F(frmMainPrecisePickTest, UnreadableScreensAreToldAndChangeNothing) {
    objScreen.arrScreens.clear();
    OpenActive();
    frm->mnuToolsPrecisePick->trigger();
    ASSERT_EQ(objMessages.arrShown.size(), 1U);
    EXPECT_FALSE(frm->objPrecisePick->IsRunning());
    EXPECT_FALSE(Changed());
}

TEST_F(frmMainPrecisePickTest, ADragPickDisablesIt) {
    OpenActive();
    frm->show();
    QTest::mouseClick(frm->chkColorPick, Qt::LeftButton);
    EXPECT_TRUE(frm->mnuToolsPrecisePick->isEnabled());
    QFrame* objSample = frm->picSample.at(0);
    QMouseEvent objPress(QEvent::MouseButtonPress, QPointF(10, 10),
                         objSample->mapToGlobal(QPointF(10, 10)), Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
    QCoreApplication::sendEvent(objSample, &objPress);
    ASSERT_TRUE(frm->objPick.blnPicking);
    EXPECT_FALSE(frm->mnuToolsPrecisePick->isEnabled());
    frm->mnuToolsPrecisePick->trigger();
    EXPECT_FALSE(frm->objPrecisePick && frm->objPrecisePick->IsRunning());
    EXPECT_EQ(objScreen.intScreenReads, 0);
    QMouseEvent objRelease(QEvent::MouseButtonRelease, QPointF(10, 10),
                           objSample->mapToGlobal(QPointF(10, 10)), Qt::LeftButton, Qt::NoButton,
                           Qt::NoModifier);
    QCoreApplication::sendEvent(objSample, &objRelease);
    EXPECT_FALSE(frm->objPick.blnPicking);
    EXPECT_TRUE(frm->mnuToolsPrecisePick->isEnabled());
    while (QGuiApplication::overrideCursor() != nullptr) QGuiApplication::restoreOverrideCursor();
}

TEST_F(frmMainPrecisePickTest, WhereTheDesktopPicksF7AsksIt) {
    objScreen.blnThroughDesktop = true;
    OpenActive();
    frm->show();
    frm->mnuToolsPrecisePick->trigger();
    frm->mnuToolsPrecisePick->trigger();
    ASSERT_EQ(objScreen.arrDesktopPicks.size(), 1U) << "one pick at a time";
    EXPECT_EQ(objScreen.intScreenReads, 0);
    objScreen.arrDesktopPicks[0](DesktopPickResult::Cancelled, PackColour(0, 255, 0));
    EXPECT_FALSE(Changed());
    frm->mnuToolsPrecisePick->trigger();
    ASSERT_EQ(objScreen.arrDesktopPicks.size(), 2U);
    objScreen.arrDesktopPicks[1](DesktopPickResult::Picked, PackColour(12, 34, 56));
    EXPECT_EQ(Bars(), (std::array<int, 3>{12, 34, 56}));
    EXPECT_EQ(frm->SampleColour(0), PackColour(12, 34, 56));
    // A desktop without a picker is told, as for the drag pick.
    frm->mnuToolsPrecisePick->trigger();
    objScreen.arrDesktopPicks[2](DesktopPickResult::Unavailable, 0);
    EXPECT_EQ(objMessages.arrShown.size(), 1U);
    EXPECT_EQ(frm->objPalette.arrMarkColour[0], UnpackColour(PackColour(12, 34, 56)));
}
