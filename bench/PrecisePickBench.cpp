// Precise Pick: one pixel's move of the magnifier, its repaint included (and how many pixels of
// the frozen screens had to be painted again for it), and the start on two 1280 by 1200
// monitors: reading the screens and showing the overlays.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QWidget>
#include <memory>
#include <string>

#include "core/ColourValue.h"
#include "platform/QtScreen.h"
#include "precisepick/Magnifier.h"
#include "precisepick/PrecisePick.h"
#include "tests/support/Fakes.h"

namespace {

// Two monitors side by side, the right one in one-pixel stripes.
void TwoMonitors(FakeScreen& objScreen) {
    objScreen.arrScreens.clear();
    for (int intMonitor = 0; intMonitor < 2; ++intMonitor) {
        ScreenShot objShot;
        objShot.intX = 1280 * intMonitor;
        objShot.intWidth = 1280;
        objShot.intHeight = 1200;
        objShot.arrPixel.resize(1280U * 1200U);
        for (std::size_t i = 0; i < objShot.arrPixel.size(); ++i)
            objShot.arrPixel[i] =
                intMonitor == 0 || i % 2 == 0 ? PackColour(51, 102, 204) : PackColour(0, 255, 0);
        objScreen.arrScreens.push_back(std::move(objShot));
    }
    objScreen.intX = 1800;
    objScreen.intY = 600;
}

// Adds up the area that paint events ask to paint, by the frozen screens and by the magnifier.
class PaintCounter : public QObject {
public:
    long long lngOverlay = 0;
    long long lngMagnifier = 0;

protected:
    bool eventFilter(QObject* objWatched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const QRect objRect = static_cast<QPaintEvent*>(event)->rect();
            const long long lngArea = static_cast<long long>(objRect.width()) * objRect.height();
            if (qobject_cast<Magnifier*>(objWatched) != nullptr)
                lngMagnifier += lngArea;
            else
                lngOverlay += lngArea;
        }
        return false;
    }
};

void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void BM_MagnifierMove(benchmark::State& state) {
    FakeScreen objScreen;
    TwoMonitors(objScreen);
    PrecisePick objPick(objScreen);
    std::string strError;
    if (!objPick.Start(strError)) {
        state.SkipWithError(strError.c_str());
        return;
    }
    Settle();
    PaintCounter objCounter;
    for (QWidget* objOverlay : objPick.Overlays()) objOverlay->installEventFilter(&objCounter);
    objPick.CurrentMagnifier()->installEventFilter(&objCounter);
    int intKey = Qt::Key_Right;
    long long lngMoves = 0;
    for (auto _ : state) {
        // Back and forth along a row of the striped monitor, each move repainted at once.
        if (objPick.PointX() >= 1900) intKey = Qt::Key_Left;
        if (objPick.PointX() <= 1700) intKey = Qt::Key_Right;
        QKeyEvent objKey(QEvent::KeyPress, intKey, Qt::NoModifier);
        QCoreApplication::sendEvent(objPick.CurrentMagnifier(), &objKey);
        Settle();
        ++lngMoves;
    }
    state.counters["overlay px/move"] = benchmark::Counter(
        static_cast<double>(objCounter.lngOverlay) / static_cast<double>(lngMoves));
    state.counters["magnifier px/move"] = benchmark::Counter(
        static_cast<double>(objCounter.lngMagnifier) / static_cast<double>(lngMoves));
    objPick.Cancel();
    Settle();
}
BENCHMARK(BM_MagnifierMove)->Unit(benchmark::kMicrosecond);

// The start: the screens read and shown, the magnifier up. On an X server the real screens are
// read (run under a 2560 by 1200 server of two monitors); elsewhere a fake of that size.
void BM_PrecisePickStart(benchmark::State& state) {
    FakeScreen objFake;
    TwoMonitors(objFake);
    QtScreen objReal;
    const bool blnReal = QGuiApplication::platformName() == QLatin1String("xcb");
    IScreen& objScreen = blnReal ? static_cast<IScreen&>(objReal) : objFake;
    state.SetLabel(blnReal ? "X server" : "fake screen");
    for (auto _ : state) {
        PrecisePick objPick(objScreen);
        std::string strError;
        if (!objPick.Start(strError)) {
            state.SkipWithError(strError.c_str());
            return;
        }
        Settle();
        state.PauseTiming();
        objPick.Cancel();
        Settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PrecisePickStart)->Unit(benchmark::kMillisecond);

}  // namespace
