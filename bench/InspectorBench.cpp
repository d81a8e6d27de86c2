// The Colour Inspector's contrast and colour-vision pages: working out every mark anew, and the
// change of one mark as the palette's events tell of it (its 10 pairs and 4 simulations, the
// look-alike list, and the notations when it is the selected mark).

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTabBar>

#include "inspector/ColourVisionSection.h"
#include "inspector/ContrastSection.h"
#include "inspector/frmColourInspector.h"

namespace {

class NoClipboard : public IClipboard {
public:
    void Clear() override {}
    void SetText(const std::string&) override {}
};

/// An inspector on the default palette, shown as a user has it, on the page asked for.
struct BenchInspector {
    Palette objPalette;
    PaletteEvents objEvents;
    QScrollBar objRed{Qt::Horizontal};
    QScrollBar objGreen{Qt::Horizontal};
    QScrollBar objBlue{Qt::Horizontal};
    NoClipboard objClipboard;
    QPointer<frmColourInspector> frm;

    explicit BenchInspector(int intPage) {
        objPalette.SetDefaultPalette();
        objPalette.CommitLoad();
        frm = new frmColourInspector(objPalette, objEvents, {&objRed, &objGreen, &objBlue},
                                     objClipboard, {});
        frm->tabSections->setCurrentIndex(intPage);
        frm->show();
        QCoreApplication::processEvents();
    }
    ~BenchInspector() { delete frm.data(); }
    BenchInspector(const BenchInspector&) = delete;
    BenchInspector& operator=(const BenchInspector&) = delete;
};

// Every section worked out anew: 30 ratios, the detail, 24 simulations and the look-alikes.
void BM_FullUpdate(benchmark::State& state) {
    BenchInspector objBench(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        objBench.frm->objContrast->ShowAll();
        objBench.frm->objColourVision->ShowAll();
    }
}
BENCHMARK(BM_FullUpdate)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// One mark changed as the main window tells of it: state.range(1) is the mark, 0 being the
// selected one, whose notations are written too; the page shown is state.range(0).
void BM_MarkChange(benchmark::State& state) {
    BenchInspector objBench(static_cast<int>(state.range(0)));
    const int intMark = static_cast<int>(state.range(1));
    int intStep = 0;
    for (auto _ : state) {
        ++intStep;
        objBench.objPalette.SetMarkColour(intMark, {.lngRed = (intStep * 37) % 256,
                                                    .lngBlue = (intStep * 11) % 256,
                                                    .lngGreen = (intStep * 73) % 256});
        emit objBench.objEvents.markChanged(intMark);
    }
}
BENCHMARK(BM_MarkChange)
    ->Args({1, 0})
    ->Args({1, 2})
    ->Args({2, 2})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same change painted: the shown page drawn again as the screen would.
void BM_MarkChangePainted(benchmark::State& state) {
    BenchInspector objBench(1);
    int intStep = 0;
    for (auto _ : state) {
        ++intStep;
        objBench.objPalette.SetMarkColour(2, {.lngRed = (intStep * 37) % 256,
                                              .lngBlue = (intStep * 11) % 256,
                                              .lngGreen = (intStep * 73) % 256});
        emit objBench.objEvents.markChanged(2);
        objBench.frm->repaint();
    }
}
BENCHMARK(BM_MarkChangePainted)->Unit(benchmark::kMicrosecond);

}  // namespace
