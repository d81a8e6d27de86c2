// The palette windows: cell layouts, tips and clicks, and the hand-over through the scroll bars.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <array>
#include <cmath>  // std::lround
#include <memory>
#include <tuple>
#include <utility>  // std::exchange
#include <vector>

#include "core/ColourValue.h"
#include "core/NamedColours.h"
#include "core/modSupport.h"
#include "palettewindows/PaletteCells.h"
#include "palettewindows/frmFailsafe.h"
#include "palettewindows/frmJavaScript.h"
#include "palettewindows/frmWebsafe.h"
#include "widgets/QtColour.h"

namespace {

using Colour = std::array<int, 3>;

void Press(PaletteCells* objCells, int intIndex, Qt::MouseButton enmButton = Qt::LeftButton) {
    QTest::mouseClick(objCells, enmButton, Qt::NoModifier, objCells->CellRect(intIndex).center());
}

/// Three stand-alone bars in place of the main window's; each change is recorded and lets
/// pending events run, as the main window's update path does.
class PaletteWindowTest : public ::testing::Test {
protected:
    std::array<std::unique_ptr<QScrollBar>, 3> arrBar;
    std::vector<Colour> arrSeen;

    void SetUp() override {
        for (auto& objBar : arrBar) {
            objBar = std::make_unique<QScrollBar>(Qt::Horizontal);
            objBar->setRange(0, 255);
            objBar->setValue(7);
            QObject::connect(objBar.get(), &QScrollBar::valueChanged, [this] {
                arrSeen.push_back(Bars());
                modSupport::DoEvents();
            });
        }
    }
    void TearDown() override {
        modSupport::SetEventPump({});
        // The windows close when the bars go; their deletion is deferred.
        for (auto& objBar : arrBar) objBar.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ColourScrollBars ScrollBars() const {
        return {arrBar[0].get(), arrBar[1].get(), arrBar[2].get()};
    }
    Colour Bars() const { return {arrBar[0]->value(), arrBar[1]->value(), arrBar[2]->value()}; }
};

}  // namespace

TEST(PaletteCells, FailsafeAndJavaScriptEdgesFallOnTheNearestPixel) {
    const std::vector<QRect> arrFailsafe = frmFailsafe::FailsafeCells();
    ASSERT_EQ(arrFailsafe.size(), 16U);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(arrFailsafe[i], QRect(std::lround(708.0 * i / 15), 0, 48, 47)) << i;
    // Cells 0 and 1 share pixel 47, where the later one lies on top.
    PaletteCells objCells(arrFailsafe);
    EXPECT_EQ(objCells.CellAt(QPoint(47, 10)), 1);
    EXPECT_EQ(objCells.CellAt(QPoint(46, 10)), 0);

    // The JavaScript cells cover their 117 x 333 pixels once each.
    std::vector<int> arrCover(117 * 333, 0);
    const std::vector<QRect> arrNamed = frmJavaScript::JavaScriptCells();
    ASSERT_EQ(arrNamed.size(), 140U);
    for (std::size_t i = 0; i < arrNamed.size(); ++i) {
        const QRect& objCell = arrNamed[i];
        EXPECT_EQ(objCell.topLeft(),
                  QPoint(std::lround(250.0 * (i % 7) / 15), std::lround(250.0 * (i / 7) / 15)))
            << i;
        for (int y = objCell.top(); y <= objCell.bottom(); ++y)
            for (int x = objCell.left(); x <= objCell.right(); ++x)
                if (x < 117 && y < 333) ++arrCover[y * 117 + x];
    }
    EXPECT_EQ(std::count(arrCover.begin(), arrCover.end(), 1), 117 * 333);
}

TEST(PaletteCells, ShowTheTipOfTheCellUnderThePointer) {
    PaletteCells objCells(frmFailsafe::FailsafeCells());
    objCells.resize(756, 47);
    objCells.SetCellToolTip(1, QStringLiteral("#800000"));
    objCells.show();
    auto hover = [&](int intX) {
        QHelpEvent objEvent(QEvent::ToolTip, QPoint(intX, 5), QPoint(intX, 5));
        QApplication::sendEvent(&objCells, &objEvent);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(hover(5), "");  // cell 0 has no tip
    EXPECT_EQ(hover(47), "#800000");
    QToolTip::hideText();
}

TEST_F(PaletteWindowTest, WindowsAreFixedOwnerlessAndGoWithTheScrollBars) {
    const std::array<std::tuple<QPointer<PaletteWindow>, const char*, QSize>, 3> arrCase{{
        {new frmWebsafe(ScrollBars()), "Websafe", QSize(756, 126)},
        {new frmFailsafe(ScrollBars()), "Failsafe", QSize(756, 47)},
        {new frmJavaScript(ScrollBars()), "JavaScript", QSize(117, 361)},
    }};
    for (const auto& [frm, strCaption, objSize] : arrCase) {
        SCOPED_TRACE(strCaption);
        EXPECT_EQ(frm->windowTitle(), strCaption);
        EXPECT_TRUE(frm->isWindow() && frm->parent() == nullptr);
        EXPECT_EQ(frm->minimumSize(), objSize);
        EXPECT_EQ(frm->maximumSize(), objSize);
    }
    arrBar[0].reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const auto& objCase : arrCase) EXPECT_TRUE(std::get<0>(objCase).isNull());
}

TEST_F(PaletteWindowTest, WebsafeAndFailsafeCellsHandOverTheirColourAndShowItsCode) {
    auto* frmWeb = new frmWebsafe(ScrollBars());
    auto* frmFail = new frmFailsafe(ScrollBars());
    for (auto [intIndex, strTip] : {std::pair{1, "#000033"}, {36, "#330000"}, {215, "#FFFFFF"}})
        EXPECT_EQ(frmWeb->lblWebsafeColor->CellToolTip(intIndex), strTip);
    EXPECT_EQ(frmFail->lblFailsafeColor->CellToolTip(14), "#C0C0C0");
    EXPECT_EQ(frmFail->lblFailsafeColor->CellColour(14), QColor(192, 192, 192));

    // The websafe corners by position: top-left, bottom-left, top-right.
    for (auto [objPoint, arrColour] : {std::pair{QPoint(2, 2), Colour{0, 0, 255}},
                                       {QPoint(2, 123), Colour{0, 0, 0}},
                                       {QPoint(753, 2), Colour{255, 255, 255}}}) {
        QTest::mouseClick(frmWeb->lblWebsafeColor, Qt::LeftButton, Qt::NoModifier, objPoint);
        EXPECT_EQ(Bars(), arrColour) << objPoint.x() << "," << objPoint.y();
    }
    // Other buttons do nothing.
    arrSeen.clear();
    for (Qt::MouseButton enmButton : {Qt::RightButton, Qt::MiddleButton})
        Press(frmFail->lblFailsafeColor, 2, enmButton);
    EXPECT_TRUE(arrSeen.empty());
    Press(frmFail->lblFailsafeColor, 2);
    EXPECT_EQ(Bars(), (Colour{0, 0, 128}));
    Press(frmFail->lblFailsafeColor, 6);
    // Red, green and blue are set in that order; a bar that keeps its value sees no change.
    EXPECT_EQ(arrSeen, (std::vector<Colour>{
                           {0, 255, 255}, {0, 0, 255}, {0, 0, 128}, {128, 0, 128}, {128, 0, 0}}));
}

TEST_F(PaletteWindowTest, JavaScriptWindowStartsInTheStoredOrder) {
    // Only 0 and 1 are ever stored; any other value shows the alphabetical order.
    for (std::int16_t intSortIndex : {0, 1, 2, -1}) {
        SCOPED_TRACE(intSortIndex);
        const bool blnDotNet = intSortIndex == 1;
        QPointer<frmJavaScript> frm = new frmJavaScript(ScrollBars(), intSortIndex);
        EXPECT_EQ(frm->btnAlphabetically->isChecked(), !blnDotNet);
        EXPECT_EQ(frm->btnDotNet->isChecked(), blnDotNet);
        EXPECT_EQ(frm->lblJavaScriptColor->CellToolTip(0),
                  blnDotNet ? "black #000000" : "aliceblue #F0F8FF");
        for (auto& objBar : arrBar) objBar->setValue(7);
        Press(frm->lblJavaScriptColor, 0);
        EXPECT_EQ(Bars(), (blnDotNet ? Colour{0, 0, 0} : Colour{240, 248, 255}));
        frm->close();
    }
}

TEST_F(PaletteWindowTest, JavaScriptToolbarSwitchesTheOrderOfCellsTipsAndClicks) {
    auto* frm = new frmJavaScript(ScrollBars());
    EXPECT_EQ(frm->btnAlphabetically->toolTip(), "Sort alphabetically");
    EXPECT_EQ(frm->btnDotNet->toolTip(), "Sort like Visual Studio .NET");
    EXPECT_FALSE(frm->btnAlphabetically->icon().isNull() || frm->btnDotNet->icon().isNull());

    for (QAction* objButton : {frm->btnDotNet, frm->btnAlphabetically, frm->btnAlphabetically}) {
        objButton->trigger();
        const bool blnDotNet = objButton == frm->btnDotNet;
        SCOPED_TRACE(blnDotNet);
        EXPECT_NE(frm->btnAlphabetically->isChecked(), blnDotNet);
        for (int i = 0; i < 140; ++i) {
            EXPECT_EQ(PackedOfQColour(frm->lblJavaScriptColor->CellColour(i)),
                      blnDotNet ? lngNamedColourNet(i) : lngNamedColour(i));
            EXPECT_EQ(frm->lblJavaScriptColor->CellToolTip(i).toStdString(),
                      blnDotNet ? strNamedColourTipNet(i) : strNamedColourTip(i));
        }
        Press(frm->lblJavaScriptColor, 139);
        EXPECT_EQ(PackColour(Bars()[0], Bars()[1], Bars()[2]),
                  blnDotNet ? lngNamedColourNet(139) : lngNamedColour(139));
    }
}

TEST_F(PaletteWindowTest, AClickDuringAHandOverWaitsUntilItIsDone) {
    auto* frmWeb = new frmWebsafe(ScrollBars());
    auto* frmFail = new frmFailsafe(ScrollBars());
    // While red is being set, a click on failsafe white arrives among the pending events.
    bool blnClicked = false;
    modSupport::SetEventPump([&] {
        if (!std::exchange(blnClicked, true)) Press(frmFail->lblFailsafeColor, 15);
        QCoreApplication::processEvents();
    });
    Press(frmWeb->lblWebsafeColor, 5);
    ASSERT_TRUE(blnClicked);
    EXPECT_EQ(Bars(), (Colour{0, 0, 255}));
    QCoreApplication::processEvents();
    // The first colour is complete before the second begins; no colour mixes the two.
    EXPECT_EQ(arrSeen, (std::vector<Colour>{
                           {0, 7, 7}, {0, 0, 7}, {0, 0, 255}, {255, 0, 255}, {255, 255, 255}}));
}
