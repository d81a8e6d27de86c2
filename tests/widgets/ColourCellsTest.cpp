// The colour bar's cell geometry and clicks.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
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

TEST(ColourCells, ScreenReadersSeeEachCellAsAButtonNamedByItsColour) {
    QWidget objWindow;
    auto* objCells = new ColourCells(ColourCells::ColourBarCells(), &objWindow);
    objCells->resize(objCells->sizeHint());
    objWindow.show();
    QSignalSpy objSpy(objCells, &ColourCells::CellClicked);
    objCells->SetCellColour(5, QColor(255, 204, 0));
    objCells->SetCellColour(6, QColor(240, 248, 255));
    objCells->SetCellName(6, QStringLiteral("AliceBlue"));

    QAccessibleInterface* objList = QAccessible::queryAccessibleInterface(objCells);
    ASSERT_NE(objList, nullptr);
    EXPECT_EQ(objList->role(), QAccessible::List);
    ASSERT_EQ(objList->childCount(), 256);
    QAccessibleInterface* objCell = objList->child(5);
    ASSERT_NE(objCell, nullptr);
    EXPECT_EQ(objCell->role(), QAccessible::Button);
    EXPECT_EQ(objCell->text(QAccessible::Name).toStdString(), "Red 255, green 204, blue 0");
    EXPECT_EQ(objList->child(6)->text(QAccessible::Name).toStdString(), "AliceBlue");
    EXPECT_EQ(objList->child(0)->text(QAccessible::Name).toStdString(),
              "Red 255, green 255, blue 255");
    // The same cell is the same interface each time, and knows its place.
    EXPECT_EQ(objList->child(5), objCell);
    EXPECT_EQ(objList->indexOfChild(objCell), 5);
    EXPECT_EQ(objCell->parent(), objList);
    EXPECT_EQ(objList->child(256), nullptr);
    // Pixel 14 is shared by cells 4 and 5; the topmost one answers, as for the mouse.
    EXPECT_EQ(objList->childAt(objCells->mapToGlobal(QPoint(14, 5)).x(),
                               objCells->mapToGlobal(QPoint(14, 5)).y()),
              objCell);
    EXPECT_EQ(objCell->rect(), QRect(objCells->mapToGlobal(objCells->CellRect(5).topLeft()),
                                     objCells->CellRect(5).size()));

    QAccessibleActionInterface* objAction = objCell->actionInterface();
    ASSERT_NE(objAction, nullptr);
    objAction->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_EQ(objSpy.count(), 1);
    EXPECT_EQ(objSpy.at(0).at(0).toInt(), 5);
    // A disabled colour bar takes no press.
    objCells->setEnabled(false);
    objAction->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(objSpy.count(), 1);

    // The cells' interfaces go with the widget.
    const QAccessible::Id lngCellId = QAccessible::uniqueId(objCell);
    delete objCells;
    EXPECT_EQ(QAccessible::accessibleInterface(lngCellId), nullptr);
}
