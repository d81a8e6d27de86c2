// The main window's openers of the palette windows.

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "palettewindows/frmFailsafe.h"
#include "palettewindows/frmJavaScript.h"
#include "palettewindows/frmWebsafe.h"
#include "tests/mainwindow/frmMainFixture.h"

namespace {

class frmMainPaletteTest : public frmMainTest {
protected:
    void TearDown() override {
        frmMainTest::TearDown();
        // Palette windows close when the main window goes; their deletion is deferred.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void OpenAllThree() {
        for (QPushButton* objButton : {frm->cmdWebsafe, frm->cmdFailsafe, frm->cmdJavaScript})
            QTest::mouseClick(objButton, Qt::LeftButton);
        ASSERT_TRUE(frm->objWebsafe && frm->objFailsafe && frm->objJavaScript);
    }
    static int VisiblePaletteWindows() {
        int intCount = 0;
        for (QWidget* objWindow : QApplication::topLevelWidgets())
            if (objWindow->objectName().endsWith("safe") ||
                objWindow->objectName() == "frmJavaScript")
                intCount += objWindow->isVisible() ? 1 : 0;
        return intCount;
    }
};

}  // namespace

TEST_F(frmMainPaletteTest, ASecondClickBringsTheOpenWindowForward) {
    OpenActive();
    OpenAllThree();
    const QPointer<frmWebsafe> objFirst = frm->objWebsafe;
    EXPECT_EQ(objFirst->parent(), nullptr);
    objFirst->showMinimized();
    QTest::mouseClick(frm->cmdWebsafe, Qt::LeftButton);
    EXPECT_EQ(frm->objWebsafe, objFirst);
    EXPECT_FALSE(objFirst->isMinimized());
    EXPECT_EQ(VisiblePaletteWindows(), 3);

    // Once closed, the next click loads the window anew.
    objFirst->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(objFirst.isNull());
    frm->cmdWebsafe_Click();
    ASSERT_TRUE(frm->objWebsafe);
    EXPECT_TRUE(frm->objWebsafe->isVisible());
}

TEST_F(frmMainPaletteTest, ClosingTheMainWindowOrAFatalErrorClosesEveryPaletteWindow) {
    for (bool blnFatal : {false, true}) {
        SCOPED_TRACE(blnFatal);
        OpenActive();
        frm->show();
        OpenAllThree();
        if (blnFatal)
            modSupport::FatalError();
        else
            frm->close();
        EXPECT_FALSE(frm->isVisible());
        EXPECT_EQ(VisiblePaletteWindows(), 0);
        EXPECT_EQ(objMessages.arrShown.size(), blnFatal ? 1U : 0U);
        frm.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
