// The cell layouts of the three windows, and the tips and button presses of their cells.

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <algorithm>  // std::count
#include <cmath>      // std::lround

#include "palettewindows/PaletteCells.h"
#include "palettewindows/frmFailsafe.h"
#include "palettewindows/frmJavaScript.h"
#include "palettewindows/frmWebsafe.h"

namespace {

/// The number of cells that contain each pixel of a size, in rows.
std::vector<int> Coverage(const std::vector<QRect>& arrCell, QSize objSize) {
    std::vector<int> arrCount(objSize.width() * objSize.height(), 0);
    for (const QRect& objCell : arrCell)
        for (int y = objCell.top(); y <= objCell.bottom(); ++y)
            for (int x = objCell.left(); x <= objCell.right(); ++x)
                if (x >= 0 && y >= 0 && x < objSize.width() && y < objSize.height())
                    ++arrCount[y * objSize.width() + x];
    return arrCount;
}

}  // namespace

TEST(PaletteCells, WebsafeCellsTileSixRowsOfThirtySixWithBlueGrowingUpwards) {
    const std::vector<QRect> arrCell = frmWebsafe::WebsafeCells();
    ASSERT_EQ(arrCell.size(), 216U);
    const std::vector<int> arrCount = Coverage(arrCell, QSize(756, 126));
    EXPECT_EQ(std::count(arrCount.begin(), arrCount.end(), 1), 756 * 126);

    struct Case {
        int intIndex;
        QPoint objTopLeft;
    };
    // 36 r + 6 g + b stands in column 6 g + r, row 5 - b.
    for (const Case& objCase :
         {Case{0, {0, 105}}, Case{5, {0, 0}}, Case{1, {0, 84}}, Case{6, {21 * 6, 105}},
          Case{36, {21, 105}}, Case{215, {735, 0}}, Case{210, {735, 105}}}) {
        SCOPED_TRACE(objCase.intIndex);
        EXPECT_EQ(arrCell[objCase.intIndex], QRect(objCase.objTopLeft, QSize(21, 21)));
    }
}

TEST(PaletteCells, FailsafeCellsOverlapAndTheLaterOneLiesOnTop) {
    const std::vector<QRect> arrCell = frmFailsafe::FailsafeCells();
    ASSERT_EQ(arrCell.size(), 16U);
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        // 708 twips are 47.2 pixels; each left edge is the nearest pixel.
        EXPECT_EQ(arrCell[i], QRect(static_cast<int>(std::lround(708.0 * i / 15)), 0, 48, 47));
    }
    EXPECT_EQ(arrCell.back().right(), 755);

    PaletteCells objCells(arrCell);
    objCells.resize(756, 47);
    // Pixel 47 belongs to cells 0 and 1; pixel 48 to cell 1 only.
    EXPECT_EQ(objCells.CellAt(QPoint(47, 10)), 1);
    EXPECT_EQ(objCells.CellAt(QPoint(46, 10)), 0);
    EXPECT_EQ(objCells.CellAt(QPoint(755, 46)), 15);
    EXPECT_EQ(objCells.CellAt(QPoint(10, 47)), -1);
}

TEST(PaletteCells, JavaScriptCellsLeaveNoGapsWithSixteenOrSeventeenPixels) {
    const std::vector<QRect> arrCell = frmJavaScript::JavaScriptCells();
    ASSERT_EQ(arrCell.size(), 140U);
    const std::vector<int> arrCount = Coverage(arrCell, QSize(117, 333));
    EXPECT_EQ(std::count(arrCount.begin(), arrCount.end(), 1), 117 * 333);

    for (int i = 0; i < 140; ++i) {
        SCOPED_TRACE(i);
        const QRect& objCell = arrCell[i];
        EXPECT_EQ(objCell.left(), std::lround(250.0 * (i % 7) / 15));
        EXPECT_EQ(objCell.top(), std::lround(250.0 * (i / 7) / 15));
        EXPECT_TRUE(objCell.width() == 16 || objCell.width() == 17);
        EXPECT_TRUE(objCell.height() == 16 || objCell.height() == 17);
    }
    EXPECT_EQ(arrCell[0], QRect(0, 0, 17, 17));
    EXPECT_EQ(arrCell[1], QRect(17, 0, 16, 17));
    EXPECT_EQ(arrCell[139].bottomRight(), QPoint(116, 332));
}

TEST(PaletteCells, ReportEveryButtonOnTheCellUnderThePointer) {
    PaletteCells objCells(frmFailsafe::FailsafeCells());
    objCells.resize(756, 47);
    QSignalSpy objSpy(&objCells, &PaletteCells::CellMouseDown);

    QTest::mousePress(&objCells, Qt::LeftButton, Qt::NoModifier, QPoint(47, 5));
    QTest::mouseRelease(&objCells, Qt::LeftButton, Qt::NoModifier, QPoint(47, 5));
    QTest::mousePress(&objCells, Qt::RightButton, Qt::NoModifier, QPoint(750, 5));
    QTest::mouseRelease(&objCells, Qt::RightButton, Qt::NoModifier, QPoint(750, 5));
    ASSERT_EQ(objSpy.count(), 2);
    EXPECT_EQ(objSpy.at(0).at(0).toInt(), 1);
    EXPECT_EQ(objSpy.at(0).at(1).value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(objSpy.at(1).at(0).toInt(), 15);
    EXPECT_EQ(objSpy.at(1).at(1).value<Qt::MouseButton>(), Qt::RightButton);
}

TEST(PaletteCells, ShowTheTipOfTheCellUnderThePointer) {
    PaletteCells objCells(frmFailsafe::FailsafeCells());
    objCells.resize(756, 47);
    objCells.SetCellToolTip(1, QStringLiteral("#800000"));
    objCells.SetCellToolTip(2, QStringLiteral("#008000"));
    objCells.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&objCells));
    auto hover = [&](QPoint objPoint) {
        QHelpEvent objEvent(QEvent::ToolTip, objPoint, objCells.mapToGlobal(objPoint));
        QApplication::sendEvent(&objCells, &objEvent);
    };

    // Cell 0 has no tip of its own.
    hover(QPoint(5, 5));
    EXPECT_FALSE(QToolTip::isVisible());
    hover(QPoint(47, 5));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "#800000");
    hover(QPoint(100, 5));
    EXPECT_EQ(QToolTip::text(), "#008000");
    QToolTip::hideText();
    EXPECT_THROW(objCells.SetCellToolTip(16, QString()), std::out_of_range);
}
