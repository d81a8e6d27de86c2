// The main window's openers of the palette windows, and the palette windows' clicks reaching
// the selected mark.

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "palettewindows/PaletteCells.h"
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

    /// The visible top-level windows with a given name.
    static int OpenWindows(const char* strName) {
        int intCount = 0;
        for (QWidget* objWindow : QApplication::topLevelWidgets())
            if (objWindow->objectName() == QLatin1String(strName) && objWindow->isVisible())
                ++intCount;
        return intCount;
    }

    static void PressCell(PaletteCells* objCells, int intIndex) {
        QTest::mouseClick(objCells, Qt::LeftButton, Qt::NoModifier,
                          objCells->CellRect(intIndex).center());
    }

    void OpenAllThree() {
        QTest::mouseClick(frm->cmdWebsafe, Qt::LeftButton);
        QTest::mouseClick(frm->cmdFailsafe, Qt::LeftButton);
        QTest::mouseClick(frm->cmdJavaScript, Qt::LeftButton);
        ASSERT_TRUE(frm->objWebsafe && frm->objFailsafe && frm->objJavaScript);
    }
};

}  // namespace

TEST_F(frmMainPaletteTest, EachButtonOpensOneOwnerlessWindowAndLaterBringsItForward) {
    OpenActive();
    OpenAllThree();
    const QPointer<frmWebsafe> objFirst = frm->objWebsafe;
    for (const char* strName : {"frmWebsafe", "frmFailsafe", "frmJavaScript"}) {
        SCOPED_TRACE(strName);
        EXPECT_EQ(OpenWindows(strName), 1);
    }
    EXPECT_EQ(frm->objWebsafe->parent(), nullptr);

    // A minimised window comes back; no second window opens.
    frm->objWebsafe->showMinimized();
    QTest::mouseClick(frm->cmdWebsafe, Qt::LeftButton);
    EXPECT_EQ(frm->objWebsafe, objFirst);
    EXPECT_FALSE(frm->objWebsafe->isMinimized());
    EXPECT_EQ(OpenWindows("frmWebsafe"), 1);

    // Once closed, the next click loads the window anew.
    frm->objWebsafe->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(objFirst.isNull());
    frm->cmdWebsafe_Click();
    ASSERT_TRUE(frm->objWebsafe);
    EXPECT_TRUE(frm->objWebsafe->isVisible());
}

TEST_F(frmMainPaletteTest, AClickInAPaletteWindowGivesTheSelectedMarkItsColour) {
    OpenActive();
    frm->optColor[2]->click();
    OpenAllThree();

    PressCell(frm->objFailsafe->lblFailsafeColor, 2);
    EXPECT_EQ(Bars(), (std::array<int, 3>{0, 0, 128}));
    EXPECT_EQ(Components(frm->objPalette.arrMarkColour[2]), (std::array<int, 3>{0, 0, 128}));
    EXPECT_EQ(Fields(), (std::array<std::string, 3>{"0", "0", "128"}));
    EXPECT_EQ(frm->lblClipboard->text(), "#000080");

    PressCell(frm->objJavaScript->lblJavaScriptColor, 0);
    EXPECT_EQ(frm->lblClipboard->text(), "#F0F8FF");
    PressCell(frm->objWebsafe->lblWebsafeColor, 1);
    EXPECT_EQ(frm->lblClipboard->text(), "#000033");
    EXPECT_EQ(PackColour(frm->objPalette.arrMarkColour[0]), PackColour(255, 0, 0));
}

TEST_F(frmMainPaletteTest, JavaScriptWindowStartsInTheStoredSortOrder) {
    StoreSetting("SortIndex", "1");
    OpenActive();
    frm->cmdJavaScript_Click();
    ASSERT_TRUE(frm->objJavaScript);
    EXPECT_TRUE(frm->objJavaScript->btnDotNet->isChecked());
    EXPECT_EQ(frm->objJavaScript->lblJavaScriptColor->CellToolTip(0), "black #000000");
}

TEST_F(frmMainPaletteTest, ClosingTheMainWindowClosesEveryPaletteWindow) {
    OpenActive();
    frm->show();
    OpenAllThree();
    frm->close();
    EXPECT_FALSE(frm->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frm->objWebsafe || frm->objFailsafe || frm->objJavaScript);
    EXPECT_TRUE(objMessages.arrShown.empty());
}

TEST_F(frmMainPaletteTest, AFatalErrorClosesEveryPaletteWindow) {
    OpenActive();
    frm->show();
    OpenAllThree();
    modSupport::FatalError();
    EXPECT_FALSE(frm->isVisible());
    for (const char* strName : {"frmWebsafe", "frmFailsafe", "frmJavaScript"}) {
        SCOPED_TRACE(strName);
        EXPECT_EQ(OpenWindows(strName), 0);
    }
    EXPECT_EQ(objMessages.arrShown.size(), 1U);
}
