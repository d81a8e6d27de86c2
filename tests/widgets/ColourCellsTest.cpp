// The colour bar's cell geometry and clicks.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <set>

#include "widgets/ColourCells.h"

TEST(ColourCells, ColourBarFitsTwoHundredFiftySixCellsInSevenHundredThirtyFourPixels) {
    const std::vector<QRect> arrCell = ColourCells::ColourBarCells();
    ASSERT_EQ(arrCell.size(), 256U);
    EXPECT_EQ(arrCell.front().left(), 0);
    EXPECT_EQ(arrCell.back().right() + 1, 734);

    std::vector<int> arrOverlapAfter;
    for (std::size_t i = 0; i < arrCell.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(arrCell[i].size(), QSize(3, 20));
        EXPECT_EQ(arrCell[i].top(), 0);
        if (i + 1 < arrCell.size()) {
            const int intStep = arrCell[i + 1].left() - arrCell[i].left();
            ASSERT_TRUE(intStep == 2 || intStep == 3);
            if (intStep == 2) arrOverlapAfter.push_back(static_cast<int>(i));
        }
    }
    ASSERT_EQ(arrOverlapAfter.size(), 34U);
    EXPECT_EQ((std::vector<int>(arrOverlapAfter.begin(), arrOverlapAfter.begin() + 6)),
              (std::vector<int>{4, 12, 19, 27, 34, 42}));
    for (std::size_t i = 1; i < arrOverlapAfter.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(arrOverlapAfter[i] - arrOverlapAfter[i - 1], i % 2 == 1 ? 8 : 7);
    }
}

TEST(ColourCells, ClickGoesToTheTopmostCellAndNeedsPressAndReleaseOnIt) {
    ColourCells objCells(ColourCells::ColourBarCells());
    objCells.resize(objCells.sizeHint());
    QSignalSpy objSpy(&objCells, &ColourCells::CellClicked);

    // Pixel 14 is shared by cells 4 and 5; the later cell lies on top.
    EXPECT_EQ(objCells.CellAt(QPoint(14, 5)), 5);
    EXPECT_EQ(objCells.CellAt(QPoint(733, 19)), 255);
    EXPECT_EQ(objCells.CellAt(QPoint(734, 5)), -1);

    QTest::mouseClick(&objCells, Qt::LeftButton, Qt::NoModifier, QPoint(14, 5));
    QTest::mouseClick(&objCells, Qt::RightButton, Qt::NoModifier, QPoint(30, 5));
    QTest::mousePress(&objCells, Qt::LeftButton, Qt::NoModifier, QPoint(1, 5));
    QTest::mouseRelease(&objCells, Qt::LeftButton, Qt::NoModifier, QPoint(100, 5));
    ASSERT_EQ(objSpy.count(), 1);
    EXPECT_EQ(objSpy.at(0).at(0).toInt(), 5);

    objCells.SetCellColour(7, QColor(1, 2, 3));
    EXPECT_EQ(objCells.CellColour(7), QColor(1, 2, 3));
    EXPECT_THROW(objCells.SetCellColour(256, Qt::red), std::out_of_range);
}
