#include "bench/WindowBenchmarks.h"

#include "desktop/DesignHost.h"
#include "desktop/MainWindow.h"
#include "engine/io/DesignFile.h"
#include "engine/tools/SyntheticDesign.h"
#include "korven/clsResponse.h"
#include "tests/desktop/ProgramSurroundings.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QTimer>

#include <chrono>
#include <optional>

namespace lumora::bench {

namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "lumora-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Never destroyed: at exit, under xcb, its post routines would run after statics they use.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

// Tens of thousands of callbacks into one row of a shown script window, as a test that finds that
// many violations makes them: each lets the window's events through, then counts one violation.
void BM_WindowCallback(benchmark::State& state) {
    application();
    desktop::test::ProgramSurroundings program;
    desktop::DesignHost design;
    desktop::MainWindow window(design, program.logFolder());
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
    state.counters["callbacks"] = static_cast<double>(callbacks);
}

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A row of the script by its test's name.
long rowOf(const frmTests& script, const std::string& name) {
    for (long row = 1; row <= script.grid().testRows(); ++row) {
        if (script.grid().item(row).strName == name) {
            return row;
        }
    }
    return 0;
}

// Stop, chosen a third of a second after the run reached `row`; the time it was chosen.
std::optional<Clock::time_point> stopDuring(desktop::MainWindow& window, const frmTests& script, long row) {
    std::optional<Clock::time_point> reached;
    std::optional<Clock::time_point> stopped;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!reached && script.runState().lngCurRow == row) {
            reached = Clock::now();
        } else if (reached && !stopped && secondsSince(*reached) > 0.3) {
            stopped = Clock::now();
            window.menus().action(Command::StopScript)->trigger();
        }
    });
    watch.start(5);
    window.menus().action(Command::RunScript)->trigger();
    return stopped;
}

// "Etch Width" on the synthetic board the command line is timed on, started from the Script menu
// as a user starts it: alone, from the menu's trigger until the run has returned; then the full
// script stopped during that test, from Stop until the run has returned (stop_s).
void BM_WindowRunEtchWidth(benchmark::State& state) {
    application();
    desktop::test::ProgramSurroundings program;
    const auto components = static_cast<std::size_t>(state.range(0));
    const QString board = program.filePath("board.json");
    engine::saveDesign(engine::makeSyntheticDesign({.components = components, .seed = 1, .flawEvery = 100}),
                       board.toStdString());
    desktop::DesignHost design;
    if (std::optional<QString> refused = design.open(board)) {
        state.SkipWithError(refused->toStdString().c_str());
        return;
    }
    desktop::MainWindow window(design, program.logFolder());
    window.show();
    window.model().openScripts(LUMORA_SOURCE_DIR "/bench/scripts", {"etch-width.dfm"}, 1);
    const frmTests& alone = *window.model().windows().back();
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        window.menus().action(Command::RunScript)->trigger();
        state.SetIterationTime(secondsSince(start));
    }
    state.counters["markers"] = static_cast<double>(alone.totals().marginal + alone.totals().critical);

    window.model().openScripts(LUMORA_SOURCE_DIR "/examples/scripts", {"all-tests.dfm"}, 1);
    const frmTests& full = *window.model().windows().back();
    const long etchWidth = rowOf(full, "Etch Width");
    const std::optional<Clock::time_point> stopped = stopDuring(window, full, etchWidth);
    if (!stopped || full.nextRow() != etchWidth + 1) {
        state.SkipWithError("Stop did not end the run after \"Etch Width\"");
        return;
    }
    state.counters["stop_s"] = secondsSince(*stopped);
}

} // namespace

void registerWindowBenchmarks() {
    benchmark::RegisterBenchmark("BM_WindowRunEtchWidth", BM_WindowRunEtchWidth)
        ->ArgName("components")
        ->Arg(30'000)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_WindowCallback", BM_WindowCallback)
        ->Iterations(50'000)
        ->UseRealTime()
        ->Unit(benchmark::kMicrosecond);
}

} // namespace lumora::bench
