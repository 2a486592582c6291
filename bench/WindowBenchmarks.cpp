#include "bench/WindowBenchmarks.h"

#include "desktop/DesignHost.h"
#include "desktop/MainWindow.h"
#include "desktop/QtEventPump.h"
#include "korven/clsResponse.h"

#include <benchmark/benchmark.h>

#include <QApplication>

namespace lumora::bench {

namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "lumora-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QApplication app(argc, argv);
    return app;
}

// Tens of thousands of callbacks into one row of a shown script window, as a test that finds that
// many violations makes them: each lets the window's events through, then counts one violation.
void BM_WindowCallback(benchmark::State& state) {
    application();
    desktop::QtEventPump pump;
    setEventPump(&pump);
    desktop::DesignHost design;
    desktop::MainWindow window(design);
    window.show();
    window.model().openScripts(LUMORA_SOURCE_DIR "/examples/scripts", {"all-tests.dfm"}, 1);
    frmTests& script = *window.model().windows().back();
    script.runState().lngCurRow = 1;
    QCoreApplication::processEvents();
    clsResponse response;
    long callbacks = 0;
    for (auto _ : state) {
        response.Response("DRC Added", ++callbacks % 4 == 0 ? "Marginal" : "Critical");
    }
    script.runState().lngCurRow = -1;
    setEventPump(nullptr);
    state.counters["callbacks"] = static_cast<double>(callbacks);
}

} // namespace

void registerWindowBenchmarks() {
    benchmark::RegisterBenchmark("BM_WindowCallback", BM_WindowCallback)
        ->Iterations(50'000)
        ->UseRealTime()
        ->Unit(benchmark::kMicrosecond);
}

} // namespace lumora::bench
