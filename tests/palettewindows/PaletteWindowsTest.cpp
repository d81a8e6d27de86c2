// The three palette windows: their look, their clicks and the hand-over through the scroll bars.

#include <QAction>
#include <QActionGroup>
#include <QPointer>
#include <QToolBar>

#include "core/ColourValue.h"
#include "core/NamedColours.h"
#include "palettewindows/frmFailsafe.h"
#include "palettewindows/frmJavaScript.h"
#include "palettewindows/frmWebsafe.h"
#include "tests/palettewindows/PaletteWindowsFixture.h"
#include "widgets/QtColour.h"

using Colour = std::array<int, 3>;

TEST_F(PaletteWindowTest, WindowsAreFixedTopLevelWindowsDeletedOnClose) {
    struct Case {
        PaletteWindow* frm;
        const char* strCaption;
        QSize objSize;
    };
    const std::array<Case, 3> arrCase{{
        {new frmWebsafe(ScrollBars()), "Websafe", QSize(756, 126)},
        {new frmFailsafe(ScrollBars()), "Failsafe", QSize(756, 47)},
        {new frmJavaScript(ScrollBars()), "JavaScript", QSize(117, 361)},
    }};
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(objCase.strCaption);
        QPointer<PaletteWindow> frm = objCase.frm;
        EXPECT_EQ(frm->windowTitle(), objCase.strCaption);
        EXPECT_TRUE(frm->isWindow());
        EXPECT_EQ(frm->parent(), nullptr);
        EXPECT_EQ(frm->minimumSize(), objCase.objSize);
        EXPECT_EQ(frm->maximumSize(), objCase.objSize);
        EXPECT_TRUE(frm->testAttribute(Qt::WA_AlwaysShowToolTips));
        frm->show();
        frm->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(frm.isNull());
    }
}

TEST_F(PaletteWindowTest, WebsafeCellsShowTheirColourAndHandItOver) {
    auto* frm = new frmWebsafe(ScrollBars());
    // Label i shows websafe entry i; its tip is that colour's hex code.
    struct Case {
        int intIndex;
        Colour arrColour;
        const char* strTip;
    };
    for (const Case& objCase :
         {Case{1, {0, 0, 51}, "#000033"}, Case{36, {51, 0, 0}, "#330000"},
          Case{215, {255, 255, 255}, "#FFFFFF"}, Case{0, {0, 0, 0}, "#000000"}}) {
        SCOPED_TRACE(objCase.intIndex);
        const Colour& c = objCase.arrColour;
        EXPECT_EQ(frm->lblWebsafeColor->CellColour(objCase.intIndex), QColor(c[0], c[1], c[2]));
        EXPECT_EQ(frm->lblWebsafeColor->CellToolTip(objCase.intIndex), objCase.strTip);
    }

    // Clicks at the corners of the grid, found by position.
    struct Corner {
        QPoint objPoint;
        Colour arrColour;
    };
    for (const Corner& objCorner : {Corner{{2, 2}, {0, 0, 255}}, Corner{{2, 123}, {0, 0, 0}},
                                    Corner{{753, 2}, {255, 255, 255}}}) {
        SCOPED_TRACE(objCorner.objPoint.x() * 1000 + objCorner.objPoint.y());
        QTest::mouseClick(frm->lblWebsafeColor, Qt::LeftButton, Qt::NoModifier, objCorner.objPoint);
        EXPECT_EQ(Bars(), objCorner.arrColour);
    }
}

TEST_F(PaletteWindowTest, FailsafeCellsShowTheirColourAndHandItOver) {
    auto* frm = new frmFailsafe(ScrollBars());
    EXPECT_EQ(frm->lblFailsafeColor->CellToolTip(14), "#C0C0C0");
    EXPECT_EQ(frm->lblFailsafeColor->CellColour(14), QColor(192, 192, 192));

    Press(frm->lblFailsafeColor, 2, Qt::LeftButton);
    EXPECT_EQ(Bars(), (Colour{0, 0, 128}));
    Press(frm->lblFailsafeColor, 6, Qt::LeftButton);
    EXPECT_EQ(Bars(), (Colour{128, 0, 0}));
    // Red, green and blue are set in that order, each change seen on its own.
    EXPECT_EQ(arrSeen,
              (std::vector<Colour>{{0, 7, 7}, {0, 0, 7}, {0, 0, 128}, {128, 0, 128}, {128, 0, 0}}));
}

TEST_F(PaletteWindowTest, OnlyTheLeftButtonHandsAColourOver) {
    auto* frmWeb = new frmWebsafe(ScrollBars());
    auto* frmFail = new frmFailsafe(ScrollBars());
    auto* frmJS = new frmJavaScript(ScrollBars());
    for (PaletteCells* objCells :
         {frmWeb->lblWebsafeColor, frmFail->lblFailsafeColor, frmJS->lblJavaScriptColor}) {
        SCOPED_TRACE(objCells->objectName().toStdString());
        for (Qt::MouseButton enmButton : {Qt::RightButton, Qt::MiddleButton})
            Press(objCells, 3, enmButton);
        EXPECT_TRUE(arrSeen.empty());
        EXPECT_EQ(Bars(), (Colour{7, 7, 7}));
    }

    // A colour equal to the bars' changes none of them.
    Press(frmFail->lblFailsafeColor, 0, Qt::LeftButton);
    arrSeen.clear();
    Press(frmWeb->lblWebsafeColor, 0, Qt::LeftButton);
    EXPECT_TRUE(arrSeen.empty());
}

TEST_F(PaletteWindowTest, JavaScriptWindowStartsInTheStoredOrder) {
    struct Case {
        std::int16_t intSortIndex;
        bool blnAlphabetical;
        const char* strTip;
        Colour arrColour;
    };
    // Only 0 and 1 are ever stored; any other value shows the alphabetical order.
    for (const Case& objCase : {Case{0, true, "aliceblue #F0F8FF", {240, 248, 255}},
                                Case{1, false, "black #000000", {0, 0, 0}},
                                Case{2, true, "aliceblue #F0F8FF", {240, 248, 255}},
                                Case{-1, true, "aliceblue #F0F8FF", {240, 248, 255}}}) {
        SCOPED_TRACE(objCase.intSortIndex);
        SharedSettings().intSortIndex = objCase.intSortIndex;
        QPointer<frmJavaScript> frm = new frmJavaScript(ScrollBars());
        EXPECT_EQ(frm->btnAlphabetically->isChecked(), objCase.blnAlphabetical);
        EXPECT_EQ(frm->btnDotNet->isChecked(), !objCase.blnAlphabetical);
        EXPECT_EQ(frm->lblJavaScriptColor->CellToolTip(0), objCase.strTip);
        const Colour& c = objCase.arrColour;
        EXPECT_EQ(frm->lblJavaScriptColor->CellColour(0), QColor(c[0], c[1], c[2]));
        Press(frm->lblJavaScriptColor, 0, Qt::LeftButton);
        EXPECT_EQ(Bars(), objCase.arrColour);
        for (auto& objBar : arrBar) objBar->setValue(7);
        frm->close();
    }
}

TEST_F(PaletteWindowTest, JavaScriptToolbarSwitchesTheOrderOfCellsTipsAndClicks) {
    auto* frm = new frmJavaScript(ScrollBars());
    ASSERT_EQ(frm->tbrSortTools->actions().size(), 2);
    EXPECT_EQ(frm->tbrSortTools->actions()[0], frm->btnAlphabetically);
    EXPECT_EQ(frm->btnAlphabetically->objectName(), "Alphabetically");
    EXPECT_EQ(frm->btnAlphabetically->toolTip(), "Sort alphabetically");
    EXPECT_EQ(frm->btnDotNet->objectName(), "DotNet");
    EXPECT_EQ(frm->btnDotNet->toolTip(), "Sort like Visual Studio .NET");
    EXPECT_FALSE(frm->btnAlphabetically->icon().isNull());
    EXPECT_FALSE(frm->btnDotNet->icon().isNull());

    frm->btnDotNet->trigger();
    EXPECT_FALSE(frm->btnAlphabetically->isChecked());
    for (int i = 0; i < 140; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(PackedOfQColour(frm->lblJavaScriptColor->CellColour(i)), lngNamedColourNet(i));
        EXPECT_EQ(frm->lblJavaScriptColor->CellToolTip(i).toStdString(), strNamedColourTipNet(i));
    }
    Press(frm->lblJavaScriptColor, 139, Qt::LeftButton);
    EXPECT_EQ(PackColour(Bars()[0], Bars()[1], Bars()[2]), lngNamedColourNet(139));

    // Pressing the pressed button keeps it pressed; an unknown key changes nothing.
    frm->btnAlphabetically->trigger();
    frm->btnAlphabetically->trigger();
    EXPECT_TRUE(frm->btnAlphabetically->isChecked());
    frm->tbrSortTools_ButtonClick(QStringLiteral("DotNet "));
    for (int i = 0; i < 140; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(PackedOfQColour(frm->lblJavaScriptColor->CellColour(i)), lngNamedColour(i));
        EXPECT_EQ(frm->lblJavaScriptColor->CellToolTip(i).toStdString(), strNamedColourTip(i));
    }
    Press(frm->lblJavaScriptColor, 139, Qt::LeftButton);
    EXPECT_EQ(PackColour(Bars()[0], Bars()[1], Bars()[2]), lngNamedColour(139));

    // The stored order is read only when the window loads.
    SharedSettings().intSortIndex = 1;
    Press(frm->lblJavaScriptColor, 0, Qt::LeftButton);
    EXPECT_EQ(Bars(), (Colour{240, 248, 255}));
}

TEST_F(PaletteWindowTest, AClickDuringAHandOverWaitsUntilItIsDone) {
    auto* frmWeb = new frmWebsafe(ScrollBars());
    auto* frmFail = new frmFailsafe(ScrollBars());
    // While red is being set, a click on failsafe white arrives among the pending events.
    bool blnClicked = false;
    modSupport::SetEventPump([&] {
        if (!blnClicked) {
            blnClicked = true;
            Press(frmFail->lblFailsafeColor, 15, Qt::LeftButton);
            EXPECT_TRUE(PaletteWindow::HandOverRunning());
        }
        QCoreApplication::processEvents();
    });

    Press(frmWeb->lblWebsafeColor, 5, Qt::LeftButton);
    ASSERT_TRUE(blnClicked);
    // The first colour is complete before the second begins; none mixes the two.
    EXPECT_EQ(Bars(), (Colour{0, 0, 255}));
    EXPECT_FALSE(PaletteWindow::HandOverRunning());
    QCoreApplication::processEvents();
    EXPECT_EQ(Bars(), (Colour{255, 255, 255}));
    EXPECT_EQ(arrSeen, (std::vector<Colour>{
                           {0, 7, 7}, {0, 0, 7}, {0, 0, 255}, {255, 0, 255}, {255, 255, 255}}));
}

TEST_F(PaletteWindowTest, WindowsCloseWhenTheScrollBarsGo) {
    QPointer<PaletteWindow> frm = new frmJavaScript(ScrollBars());
    frm->show();
    arrBar[0].reset();
    EXPECT_FALSE(frm->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frm.isNull());
}
