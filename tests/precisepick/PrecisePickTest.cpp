// Precise Pick on a fake screen of two monitors: the magnifier's place and frame, the keys and
// the mouse, the one signal that ends each pick, and what a screen reader reads.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <array>
#include <cstdlib>
#include <string>

#include "core/ColourValue.h"
#include "core/Contrast.h"
#include "precisepick/Magnifier.h"
#include "precisepick/PrecisePick.h"
#include "tests/support/Fakes.h"
#include "tests/support/WindowChecks.h"

namespace {

// A monitor whose pixel (x, y) has red x, green y and blue its number: every pixel tells where
// it was read.
ScreenShot Monitor(int intX, int intY, int intWidth, int intHeight, int intNumber) {
    ScreenShot objShot;
    objShot.intX = intX;
    objShot.intY = intY;
    objShot.intWidth = intWidth;
    objShot.intHeight = intHeight;
    for (int y = intY; y < intY + intHeight; ++y)
        for (int x = intX; x < intX + intWidth; ++x)
            objShot.arrPixel.push_back(PackColour(x & 255, y & 255, intNumber));
    return objShot;
}

constexpr std::int32_t PixelOf(int intX, int intY, int intNumber) {
    return PackColour(intX & 255, intY & 255, intNumber);
}

}  // namespace

TEST(MagnifierPlacementTest, StaysOnTheMonitorOffThePointerAndFlipsAtEachEdge) {
    const QRect objMonitor(1280, 0, 1280, 1200);
    const std::vector<ScreenShot> arrNone;
    const Magnifier objMagnifier(arrNone);
    for (const int intZoom : arrMagnifierZooms) {
        const QSize objSize = objMagnifier.PhysicalSize(intZoom, 1.0);
        for (const int intX : {1280, 1281, 1700, 2300, 2400, 2558, 2559}) {
            for (const int intY : {0, 1, 600, 900, 1000, 1198, 1199}) {
                SCOPED_TRACE("zoom " + std::to_string(intZoom) + " at " + std::to_string(intX) +
                             ", " + std::to_string(intY));
                const QRect objPlace = MagnifierPlacement({intX, intY}, objSize, objMonitor);
                EXPECT_EQ(objPlace.size(), objSize);
                EXPECT_TRUE(objMonitor.contains(objPlace)) << "never leaves the monitor";
                EXPECT_FALSE(objPlace
                                 .adjusted(-intMagnifierGap + 1, -intMagnifierGap + 1,
                                           intMagnifierGap - 1, intMagnifierGap - 1)
                                 .contains(intX, intY))
                    << "keeps its distance from the pointer";
                // Right and below where there is room, otherwise left and above.
                const bool blnRoomRight = intX + intMagnifierGap + objSize.width() <= 2560;
                const bool blnRoomBelow = intY + intMagnifierGap + objSize.height() <= 1200;
                EXPECT_EQ(objPlace.left() > intX, blnRoomRight);
                EXPECT_EQ(objPlace.top() > intY, blnRoomBelow);
            }
        }
    }
    // A monitor smaller than the magnifier keeps it at its top left.
    EXPECT_EQ(MagnifierPlacement({5, 5}, {300, 300}, QRect(0, 0, 200, 200)).topLeft(),
              QPoint(0, 0));
}

TEST(MagnifierFrameTest, TheCentreFrameContrastsWithEveryColour) {
    EXPECT_EQ(MagnifierFrameColour(PackColour(255, 255, 255)), PackColour(0, 0, 0));
    EXPECT_EQ(MagnifierFrameColour(PackColour(0, 0, 0)), PackColour(255, 255, 255));
    // Black or white always reaches at least 4.58 to 1 on any colour; the better one is taken.
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15) {
                const std::int32_t lngCentre = PackColour(r, g, b);
                const double dblRatio = ContrastRatio(UnpackColour(MagnifierFrameColour(lngCentre)),
                                                      UnpackColour(lngCentre));
                ASSERT_GE(dblRatio, 4.58) << r << ", " << g << ", " << b;
            }
}

TEST(MagnifierTest, PaintsEachPixelAsOneSharpBlockWithTheCentreFramed) {
    std::vector<ScreenShot> arrScreens{Monitor(0, 0, 64, 64, 7)};
    Magnifier objMagnifier(arrScreens);
    for (const int intZoom : arrMagnifierZooms) {
        SCOPED_TRACE("zoom " + std::to_string(intZoom));
        const QSize objPhysical = objMagnifier.Show(30, 20, intZoom, 1.0);
        EXPECT_EQ(objMagnifier.size(), objPhysical);
        const QImage objImage = objMagnifier.grab().toImage();
        const int intLeft = (objPhysical.width() - intMagnifierSpan * intZoom) / 2;
        // Pixel (24, 14), top left of the 15 by 15 square, fills its whole block.
        for (const QPoint objAt : {QPoint(0, 0), QPoint(intZoom - 1, intZoom - 1)}) {
            const QColor objColour = objImage.pixelColor(intLeft + objAt.x(), 1 + objAt.y());
            EXPECT_EQ(PackColour(objColour.red(), objColour.green(), objColour.blue()),
                      PixelOf(23, 13, 7));
        }
        // The frame lies just outside the centre block and the centre block is untouched.
        const int intCentre = 1 + 7 * intZoom;
        const QColor objFrame = objImage.pixelColor(intLeft + 7 * intZoom - 1, intCentre);
        EXPECT_EQ(PackColour(objFrame.red(), objFrame.green(), objFrame.blue()),
                  MagnifierFrameColour(PixelOf(30, 20, 7)));
        const QColor objMiddle =
            objImage.pixelColor(intLeft + 7 * intZoom + intZoom / 2, intCentre + intZoom / 2);
        EXPECT_EQ(PackColour(objMiddle.red(), objMiddle.green(), objMiddle.blue()),
                  PixelOf(30, 20, 7));
    }
}

class PrecisePickTest : public ::testing::Test {
protected:
    FakeScreen objScreen;
    std::unique_ptr<PrecisePick> objPick;
    std::unique_ptr<QSignalSpy> objTaken;
    std::unique_ptr<QSignalSpy> objCancelled;

    void SetUp() override {
        objScreen.arrScreens = {Monitor(0, 0, 800, 600, 1), Monitor(800, 0, 400, 300, 2)};
        objScreen.intX = 100;
        objScreen.intY = 50;
        objPick = std::make_unique<PrecisePick>(objScreen);
        objTaken = std::make_unique<QSignalSpy>(objPick.get(), &PrecisePick::taken);
        objCancelled = std::make_unique<QSignalSpy>(objPick.get(), &PrecisePick::cancelled);
    }

    void Start() {
        std::string strError;
        ASSERT_TRUE(objPick->Start(strError)) << strError;
        ASSERT_TRUE(objPick->IsRunning());
    }

    void Key(int intKey, Qt::KeyboardModifiers enmModifiers = Qt::NoModifier) {
        ASSERT_NE(objPick->CurrentMagnifier(), nullptr);
        QTest::keyClick(objPick->CurrentMagnifier(), static_cast<Qt::Key>(intKey), enmModifiers);
    }

    QPoint Point() const { return {objPick->PointX(), objPick->PointY()}; }

    /// Exactly one signal ended the pick, and nothing of it is left.
    void ExpectEndedOnce(bool blnTaken) {
        EXPECT_FALSE(objPick->IsRunning());
        EXPECT_EQ(objTaken->count(), blnTaken ? 1 : 0);
        EXPECT_EQ(objCancelled->count(), blnTaken ? 0 : 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(objPick->Overlays().empty());
        for (QWidget* objWindow : QApplication::topLevelWidgets())
            EXPECT_NE(objWindow->windowTitle().toStdString(), "Precise Pick");
    }
};

TEST_F(PrecisePickTest, ReadsTheScreensOnceAndShowsOneOverlayAMonitor) {
    Start();
    EXPECT_EQ(objScreen.intScreenReads, 1);
    EXPECT_EQ(objPick->Overlays().size(), 2U);
    EXPECT_EQ(Point(), QPoint(100, 50));
    for (QWidget* objOverlay : objPick->Overlays()) {
        EXPECT_TRUE(objOverlay->isVisible());
        EXPECT_TRUE(objOverlay->windowFlags() & Qt::FramelessWindowHint);
    }
    // Moves read nothing more.
    Key(Qt::Key_Right);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(objScreen.intScreenReads, 1);
    objPick->Cancel();
    ExpectEndedOnce(false);
}

TEST_F(PrecisePickTest, ArrowsMoveOnePixelShiftTenKeptOnTheMonitors) {
    Start();
    const struct {
        int intKey;
        Qt::KeyboardModifiers enmModifiers;
        QPoint objExpected;
    } arrStep[] = {
        {Qt::Key_Right, Qt::NoModifier, {101, 50}},  {Qt::Key_Down, Qt::NoModifier, {101, 51}},
        {Qt::Key_Left, Qt::ShiftModifier, {91, 51}}, {Qt::Key_Up, Qt::ShiftModifier, {91, 41}},
        {Qt::Key_Up, Qt::NoModifier, {91, 40}},
    };
    for (const auto& objStep : arrStep) {
        Key(objStep.intKey, objStep.enmModifiers);
        EXPECT_EQ(Point(), objStep.objExpected);
        // The pointer follows, so that the mouse carries on from there.
        EXPECT_EQ(objScreen.arrPointerMoves.back(),
                  std::make_pair(objStep.objExpected.x(), objStep.objExpected.y()));
    }
    // Up against the top and left edges: ten steps stop at the edge.
    for (int i = 0; i < 10; ++i) Key(Qt::Key_Up, Qt::ShiftModifier);
    for (int i = 0; i < 20; ++i) Key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(Point(), QPoint(0, 0));
    // Rightwards the second monitor carries on; its right edge stops the magnifier.
    for (int i = 0; i < 79; ++i) Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Point(), QPoint(790, 0));
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Point(), QPoint(800, 0));
    for (int i = 0; i < 50; ++i) Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Point(), QPoint(1199, 0));
    // Below the second monitor's bottom there is no screen: it stops at 299.
    for (int i = 0; i < 40; ++i) Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Point(), QPoint(1199, 299));
    // The magnifier is on the monitor of the point and inside it.
    Magnifier* objMagnifier = objPick->CurrentMagnifier();
    ASSERT_NE(objMagnifier, nullptr);
    EXPECT_EQ(objMagnifier->window(), objPick->Overlays()[1]);
    EXPECT_TRUE(objMagnifier->parentWidget()->rect().contains(objMagnifier->geometry()));
    Key(Qt::Key_Escape);
    ExpectEndedOnce(false);
}

TEST_F(PrecisePickTest, PageUpAndDownZoomFiveTenTwentyAndStop) {
    Start();
    EXPECT_EQ(objPick->Zoom(), 10);
    const std::array<std::pair<int, int>, 6> arrStep{{{Qt::Key_PageUp, 20},
                                                      {Qt::Key_PageUp, 20},
                                                      {Qt::Key_PageDown, 10},
                                                      {Qt::Key_PageDown, 5},
                                                      {Qt::Key_PageDown, 5},
                                                      {Qt::Key_PageUp, 10}}};
    for (const auto& [intKey, intZoom] : arrStep) {
        Key(intKey);
        EXPECT_EQ(objPick->Zoom(), intZoom);
        EXPECT_EQ(objPick->CurrentMagnifier()->size(),
                  objPick->CurrentMagnifier()->PhysicalSize(intZoom, 1.0));
    }
    objPick->Cancel();
    ExpectEndedOnce(false);
}

TEST_F(PrecisePickTest, EnterSpaceAndALeftClickTakeTheFrozenPixelOnce) {
    for (const int intWay : {0, 1, 2, 3}) {
        SCOPED_TRACE("way " + std::to_string(intWay));
        SetUp();
        Start();
        Key(Qt::Key_Right);
        // The screen changes after the start; what was shown is what is taken.
        objScreen.arrScreens.clear();
        objScreen.lngDefaultPixel = PackColour(1, 2, 3);
        if (intWay == 0) Key(Qt::Key_Return);
        if (intWay == 1) Key(Qt::Key_Enter);
        if (intWay == 2) Key(Qt::Key_Space);
        if (intWay == 3)
            QTest::mouseClick(objPick->Overlays()[0], Qt::LeftButton, Qt::NoModifier,
                              QPoint(101, 50));
        ExpectEndedOnce(true);
        ASSERT_EQ(objTaken->count(), 1);
        const QList<QVariant> arrArgument = objTaken->at(0);
        EXPECT_EQ(arrArgument[0].value<std::int32_t>(), PixelOf(101, 50, 1));
        EXPECT_EQ(arrArgument[1].toInt(), 101);
        EXPECT_EQ(arrArgument[2].toInt(), 50);
        // Nothing reaches an ended pick.
        objPick->Cancel();
        EXPECT_EQ(objCancelled->count(), 0);
    }
}

TEST_F(PrecisePickTest, TheMouseMovesTheMagnifierToThePointer) {
    Start();
    objScreen.intX = 850;
    objScreen.intY = 120;
    QMouseEvent objMove(QEvent::MouseMove, QPointF(50, 120), QPointF(850, 120), Qt::NoButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(objPick->Overlays()[1], &objMove);
    EXPECT_EQ(Point(), QPoint(850, 120));
    EXPECT_EQ(objPick->CurrentMagnifier()->window(), objPick->Overlays()[1]);
    EXPECT_EQ(objPick->CurrentMagnifier()->lngCentre, PixelOf(850, 120, 2));
    objPick->Cancel();
    ExpectEndedOnce(false);
}

TEST_F(PrecisePickTest, EscapeRightClickAndDeactivationCancelOnce) {
    for (const int intWay : {0, 1, 2}) {
        SCOPED_TRACE("way " + std::to_string(intWay));
        SetUp();
        QWidget objOther;
        objOther.setWindowTitle(QStringLiteral("Another window"));
        Start();
        if (intWay == 0) Key(Qt::Key_Escape);
        if (intWay == 1)
            QTest::mouseClick(objPick->Overlays()[0], Qt::RightButton, Qt::NoModifier,
                              QPoint(10, 10));
        if (intWay == 2) {
            objOther.show();
            objOther.activateWindow();
            QCoreApplication::processEvents();
        }
        ExpectEndedOnce(false);
    }
}

TEST_F(PrecisePickTest, UnreadableScreensShowNothingAndSignalNothing) {
    objScreen.arrScreens.clear();
    std::string strError;
    EXPECT_FALSE(objPick->Start(strError));
    EXPECT_FALSE(strError.empty());
    EXPECT_FALSE(objPick->IsRunning());
    EXPECT_TRUE(objPick->Overlays().empty());
    // A monitor without its pixels is no better.
    objScreen.arrScreens = {Monitor(0, 0, 10, 10, 1)};
    objScreen.arrScreens[0].arrPixel.pop_back();
    strError.clear();
    EXPECT_FALSE(objPick->Start(strError));
    EXPECT_FALSE(strError.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(objTaken->count() + objCancelled->count(), 0);
}

TEST_F(PrecisePickTest, F1CancelsAndOpensTheHelp) {
    int intOpened = 0;
    objPick->SetHelpOpener([&] {
        EXPECT_FALSE(objPick->IsRunning());
        ++intOpened;
    });
    Start();
    Key(Qt::Key_F1);
    EXPECT_EQ(intOpened, 1);
    ExpectEndedOnce(false);
}

TEST_F(PrecisePickTest, AScreenReaderReadsTheColourAndThePosition) {
    Start();
    Key(Qt::Key_Right);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Magnifier* objMagnifier = objPick->CurrentMagnifier();
    QAccessibleInterface* objAccessible = QAccessible::queryAccessibleInterface(objMagnifier);
    ASSERT_NE(objAccessible, nullptr);
    // Pixel (101, 60) of monitor 1: red 101, green 60, blue 1.
    EXPECT_EQ(objAccessible->text(QAccessible::Name).toStdString(),
              "Precise Pick: #653C01 at 101, 60");
    EXPECT_EQ(MagnifierName(PackColour(255, 0, 171), 2559, 1199).toStdString(),
              "Precise Pick: #FF00AB at 2559, 1199");
    objPick->Cancel();
    ExpectEndedOnce(false);
}

TEST(MagnifierTest, LooksTheSameOnLightAndDarkDesktops) {
    std::vector<ScreenShot> arrScreens{Monitor(0, 0, 64, 64, 7)};
    Magnifier objMagnifier(arrScreens);
    objMagnifier.Show(30, 20, 10, 1.0);
    const QPalette objBefore = QApplication::palette();
    const QImage objLight = objMagnifier.grab().toImage();
    QApplication::setPalette(DarkPalette());
    const QImage objDark = objMagnifier.grab().toImage();
    QApplication::setPalette(objBefore);
    EXPECT_EQ(objLight, objDark) << "its label keeps its own white on near black";
    if (const char* strFolder = std::getenv("HUEVRA_SHOT_DIR"))
        objDark.save(QString::fromLocal8Bit(strFolder) + QStringLiteral("/magnifier-dark.png"));
}
