// Opening each palette window until its cells are painted, and painting the cells again.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QScrollBar>

#include "palettewindows/PaletteCells.h"
#include "palettewindows/frmFailsafe.h"
#include "palettewindows/frmJavaScript.h"
#include "palettewindows/frmWebsafe.h"

namespace {

/// The main window's bars, as far as the palette windows know it.
struct BenchBars {
    QScrollBar objRed{Qt::Horizontal};
    QScrollBar objGreen{Qt::Horizontal};
    QScrollBar objBlue{Qt::Horizontal};
    ColourScrollBars Bars() { return {&objRed, &objGreen, &objBlue}; }
};

PaletteCells* Cells(frmWebsafe& frm) { return frm.lblWebsafeColor; }
PaletteCells* Cells(frmFailsafe& frm) { return frm.lblFailsafeColor; }
PaletteCells* Cells(frmJavaScript& frm) { return frm.lblJavaScriptColor; }

// Creating the window, showing it and painting every cell once.
template <class Window>
void BM_OpenWindow(benchmark::State& state) {
    BenchBars objBars;
    for (auto _ : state) {
        QPointer<Window> frm = new Window(objBars.Bars());
        frm->show();
        // The window is exposed, and so painted, when the platform's events have run.
        QCoreApplication::processEvents();
        state.PauseTiming();
        frm->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
// A fixed count: closing and deleting each window, outside the timing, takes longer than
// opening it.
BENCHMARK_TEMPLATE(BM_OpenWindow, frmWebsafe)->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK_TEMPLATE(BM_OpenWindow, frmFailsafe)->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK_TEMPLATE(BM_OpenWindow, frmJavaScript)->Unit(benchmark::kMillisecond)->Iterations(100);

// Painting the cells of an open window again.
template <class Window>
void BM_PaintCells(benchmark::State& state) {
    BenchBars objBars;
    QPointer<Window> frm = new Window(objBars.Bars());
    frm->show();
    QCoreApplication::processEvents();
    for (auto _ : state) Cells(*frm)->repaint();
    frm->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK_TEMPLATE(BM_PaintCells, frmWebsafe)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PaintCells, frmFailsafe)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_PaintCells, frmJavaScript)->Unit(benchmark::kMicrosecond);

// Switching the JavaScript window's order: 140 colours and tips, then the paint.
void BM_SwitchJavaScriptOrder(benchmark::State& state) {
    BenchBars objBars;
    QPointer<frmJavaScript> frm = new frmJavaScript(objBars.Bars());
    frm->show();
    QCoreApplication::processEvents();
    bool blnDotNet = false;
    for (auto _ : state) {
        blnDotNet = !blnDotNet;
        if (blnDotNet)
            frm->ShowDotNet();
        else
            frm->ShowAlphabetically();
        frm->lblJavaScriptColor->repaint();
    }
    frm->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_SwitchJavaScriptOrder)->Unit(benchmark::kMicrosecond);

}  // namespace
