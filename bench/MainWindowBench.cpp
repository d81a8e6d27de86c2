// The colour update path as the scroll bars drive it, and the time until the main window is up.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "core/modSupport.h"
#include "mainwindow/MainServices.h"
#include "mainwindow/frmMain.h"
#include "settings/SettingsStore.h"
#include "tests/support/Fakes.h"

namespace {

/// Fake services with a usable standard folder, so that loading shows no message.
struct BenchServices {
    FakeClipboard objClipboard;
    FakeMessageBox objMessages;
    FakeScreen objScreen;
    FakeRegistry objRegistry;
    FakeFileDialogs objFileDialogs;
    FakeShell objShell;
    FakeHelpViewer objHelpViewer;
    ProgramSettings objSettings;
    QTemporaryDir objFolder;

    BenchServices() {
        objRegistry.mapValue[{strSettingsKey, "StandardFolder"}] = objFolder.path().toStdString();
    }
    MainServices Services() {
        return {objClipboard,   objMessages, objScreen,     objRegistry,
                objFileDialogs, objShell,    objHelpViewer, objSettings};
    }
};

// One colour change through a scroll bar: value fields, colour bar, code text and sample box.
void BM_ApplyColourThroughScrollBar(benchmark::State& state) {
    BenchServices objServices;
    objServices.objSettings = ProgramSettings{};
    frmMain frm(objServices.Services());
    frm.show();
    frm.Form_Activate();
    QCoreApplication::processEvents();
    int intValue = 0;
    for (auto _ : state) {
        intValue = (intValue + 37) % 256;
        frm.hsbGreen->setValue(intValue);
        benchmark::DoNotOptimize(frm.lngClipboardTicks);
    }
    frm.close();
}
BENCHMARK(BM_ApplyColourThroughScrollBar)->Unit(benchmark::kMicrosecond);

// Creating the window, showing it and letting it paint once.
void BM_WindowReady(benchmark::State& state) {
    BenchServices objServices;
    for (auto _ : state) {
        objServices.objSettings = ProgramSettings{};
        auto frm = std::make_unique<frmMain>(objServices.Services());
        frm->show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        frm.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowReady)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // The window lets pending events run as the program does.
    modSupport::SetEventPump([] { QCoreApplication::processEvents(); });
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    modSupport::SetEventPump({});
    return 0;
}
