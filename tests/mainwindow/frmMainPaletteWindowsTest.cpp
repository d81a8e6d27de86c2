// The main window's openers of the palette windows.

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <array>
#include <utility>  // std::exchange, std::pair

#include "core/ColourValue.h"
#include "palettewindows/PaletteCells.h"
#include "palettewindows/frmFailsafe.h"
#include "palettewindows/frmJavaScript.h"
#include "palettewindows/frmWebsafe.h"
#include "tests/mainwindow/frmMainFixture.h"
#include "widgets/QtColour.h"

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

TEST_F(frmMainPaletteTest, AWindowClosedWhileItHandsOverAColourIsNotTouchedAfterwards) {
    // The bars' changes let pending events run; a window manager's close arrives among them and
    // the window is deleted before all three bars are set.
    for (const bool blnCloseMain : {false, true}) {
        for (int intWindow = 0; intWindow < 3; ++intWindow) {
            SCOPED_TRACE(::testing::Message()
                         << "window " << intWindow << " main " << blnCloseMain);
            OpenActive();
            frm->show();
            OpenAllThree();
            const std::array<std::pair<QWidget*, PaletteCells*>, 3> arrWindow{
                std::pair<QWidget*, PaletteCells*>{frm->objWebsafe,
                                                   frm->objWebsafe->lblWebsafeColor},
                {frm->objFailsafe, frm->objFailsafe->lblFailsafeColor},
                {frm->objJavaScript, frm->objJavaScript->lblJavaScriptColor}};
            const QPointer<QWidget> objWindow = arrWindow[intWindow].first;
            PaletteCells* objCells = arrWindow[intWindow].second;
            const std::int32_t lngChosen = PackedOfQColour(objCells->CellColour(5));
            // The mark has changed when the close comes: it is closed without saving.
            objMessages.arrAnswers.push_back(MessageAnswer::No);
            bool blnClosed = false;
            modSupport::SetEventPump([&] {
                if (std::exchange(blnClosed, true)) return;
                if (blnCloseMain)
                    frm->close();
                else
                    objWindow->close();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            });
            QTest::mousePress(objCells, Qt::LeftButton, Qt::NoModifier,
                              objCells->CellRect(5).center());
            modSupport::SetEventPump({});
            EXPECT_TRUE(blnClosed);
            EXPECT_TRUE(objWindow.isNull());
            // The bars belong to the main window: the colour chosen arrives whole.
            EXPECT_EQ(PackColour(frm->objPalette.arrMarkColour.at(0)), lngChosen);
            ExpectWindowInStep();
            frm.reset();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}

TEST_F(frmMainPaletteTest, AColourChosenDuringAHandOverWaitsForItAndThenStands) {
    // Websafe blue and a colour bar cell, each clicked while the other's colour is being set:
    // the bars end on the later colour, never on parts of the two.
    OpenActive();
    frm->show();
    OpenAllThree();
    PaletteCells* objWebsafe = frm->objWebsafe->lblWebsafeColor;
    const std::int32_t lngBlue = PackedOfQColour(objWebsafe->CellColour(5));
    ASSERT_EQ(lngBlue, PackColour(0, 0, 255));
    for (const bool blnBarFirst : {false, true}) {
        SCOPED_TRACE(blnBarFirst);
        SetColour(255, 0, 0);
        const std::int32_t lngBarCell = PackColour(frm->arrColourBar.at(128));
        ASSERT_EQ(lngBarCell, PackColour(255, 128, 128));
        bool blnSecond = false;
        modSupport::SetEventPump([&] {
            if (std::exchange(blnSecond, true)) return;
            if (blnBarFirst)
                QTest::mousePress(objWebsafe, Qt::LeftButton, Qt::NoModifier,
                                  objWebsafe->CellRect(5).center());
            else
                QTest::mouseClick(frm->lblColorBar, Qt::LeftButton, Qt::NoModifier,
                                  frm->lblColorBar->CellRect(128).center());
        });
        if (blnBarFirst)
            QTest::mouseClick(frm->lblColorBar, Qt::LeftButton, Qt::NoModifier,
                              frm->lblColorBar->CellRect(128).center());
        else
            QTest::mousePress(objWebsafe, Qt::LeftButton, Qt::NoModifier,
                              objWebsafe->CellRect(5).center());
        modSupport::SetEventPump({});
        ASSERT_TRUE(blnSecond);
        QCoreApplication::processEvents();
        EXPECT_EQ(PackColour(frm->objPalette.arrMarkColour.at(0)),
                  blnBarFirst ? lngBlue : lngBarCell);
        ExpectWindowInStep();
    }
}
