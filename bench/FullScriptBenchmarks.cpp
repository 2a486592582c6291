// The full example script through the command line's run path on synthetic boards: the design is
// written to a file and opened as lumora-cli opens it, the script is loaded into a script window
// and run. Each test is timed by a listener with a steady clock (testtimes.csv steps in seconds),
// so that a test that becomes slower shows as a number of its own.

#include "bench/FullScriptBenchmarks.h"

#include "app/MDIMain.h"
#include "bench/GapMeter.h"
#include "engine/io/DesignFile.h"
#include "engine/provider/EmbeddedKorven.h"
#include "engine/runtime/WhileWaiting.h"
#include "engine/tools/SyntheticDesign.h"
#include "korvenapi/AutomationRegistry.h"
#include "script/ScriptLoader.h"
#include "testlogic/RunWindow.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include <malloc.h>
#include <time.h>
#include <unistd.h>

namespace lumora::bench {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kFlawEvery = 100; // a few findings, as a real board has
constexpr int kAllFilesFilter = 3;      // open the script as it is named
const fs::path kScript = fs::path(LUMORA_SOURCE_DIR) / "examples/scripts/all-tests.dfm";

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The process's peak resident size starts again from its present size.
void restartResidentPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double residentPeakMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) {
            return std::stod(line.substr(6)) / 1024.0; // kB
        }
    }
    return 0;
}

// A front end that shows nothing and asks nothing.
class QuietInterface : public UserInterface {
  public:
    std::optional<FileDialogResult> chooseScriptFiles(const std::string&) override { return std::nullopt; }
    void openTextFile(const fs::path&) override {}
    void showMessage(const std::string&, MessageKind) override {}
    void showStatus(const std::string&, int16_t, int16_t) override {}
    void setProgress(int16_t) override {}
    void hideStatus() override {}
};

struct TestTime {
    double seconds = 0;
    double cpuSeconds = 0; // all threads of the process: less swayed by other work on the machine
    double residentPeakMB = 0;
    double longestGapMs = 0; // without letting events through, as the desktop program would
    int16_t result = 0;
};

struct ScriptRun {
    std::map<long, TestTime> tests; // by row; rows left unchecked are missing
    double loadSeconds = 0;
    double runSeconds = 0;
    double runCpuSeconds = 0;
    double loadResidentPeakMB = 0; // loading alone
    double residentPeakMB = 0;     // loading and run together
    double longestGapMs = 0;
};

class TestClock : public TestRunListener {
  public:
    TestClock(std::map<long, TestTime>& times, GapMeter& gaps) : times_(times), gaps_(gaps) {}
    void testStarted(RunWindow&, long) override {
        peakBefore_ = std::max(peakBefore_, residentPeakMegabytes());
        restartResidentPeak();
        gaps_.takeLongestSinceMark();
        start_ = Clock::now();
        cpuStart_ = processCpuSeconds();
    }
    void testFinished(RunWindow&, long row, int16_t result) override {
        times_[row] = {secondsSince(start_), processCpuSeconds() - cpuStart_, residentPeakMegabytes(),
                       gaps_.takeLongestSinceMark(), result};
    }
    // The highest peak outside the tests since loading.
    double peakBetweenTests() const { return peakBefore_; }

  private:
    std::map<long, TestTime>& times_;
    GapMeter& gaps_;
    Clock::time_point start_;
    double cpuStart_ = 0;
    double peakBefore_ = 0;
};

// The script's test names in row order, as the script window lists them.
std::vector<std::string> scriptTestNames() {
    struct Names : ScriptSink {
        std::vector<std::string> names;
        void setUnits(int32_t) override {}
        void addTest(std::unique_ptr<clsTestItem> test) override { names.push_back(test->strName); }
    } sink;
    if (loadScript(kScript.string(), sink)) {
        throw std::runtime_error("cannot read " + kScript.string());
    }
    return sink.names;
}

fs::path writeBoard(std::size_t components, const fs::path& folder) {
    const fs::path file = folder / ("board-" + std::to_string(components) + ".json");
    engine::saveDesign(
        engine::makeSyntheticDesign({.components = components, .seed = 1, .flawEvery = kFlawEvery}), file);
    return file;
}

ScriptRun runFullScript(std::size_t components, const std::vector<std::string>& skipTests) {
    const fs::path folder = fs::temp_directory_path() / ("lumora-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path board = writeBoard(components, folder);
    malloc_trim(0);
    restartResidentPeak();

    ScriptRun run;
    Clock::time_point start = Clock::now();
    std::unique_ptr<engine::EmbeddedKorven> korven = engine::EmbeddedKorven::open(board);
    run.loadSeconds = secondsSince(start);
    run.loadResidentPeakMB = residentPeakMegabytes();
    ProviderRegistration registration(automationRegistry(), *korven);
    QuietInterface ui;
    GapMeter gaps;
    TestClock clock(run.tests, gaps);
    {
        MDIMain main(ui, folder);
        main.setTestListener(&clock);
        main.startUp();
        main.openScripts(kScript.parent_path().string(), {kScript.filename().string()}, kAllFilesFilter);
        frmTests& window = *main.windows().at(0);
        TestGrid& grid = window.grid();
        for (long row = 1; row <= grid.testRows(); ++row) {
            grid.setChecked(row, std::ranges::find(skipTests, grid.item(row).strName) == skipTests.end());
        }
        window.objKorven().openConnection(false, true, window.curUnits);
        // Events go through where the desktop program lets them: the runner's pump and the engine's waits.
        setEventPump(&gaps);
        engine::setWhileWaiting([&gaps] { gaps.events(); });
        gaps = GapMeter{};
        start = Clock::now();
        const double cpuStart = processCpuSeconds();
        window.runScript();
        run.runSeconds = secondsSince(start);
        run.runCpuSeconds = processCpuSeconds() - cpuStart;
        gaps.events();
        run.longestGapMs = gaps.longestMilliseconds();
        engine::setWhileWaiting(nullptr);
        setEventPump(nullptr);
    }
    run.residentPeakMB = std::max(clock.peakBetweenTests(), residentPeakMegabytes());
    for (const auto& [row, test] : run.tests) {
        run.residentPeakMB = std::max(run.residentPeakMB, test.residentPeakMB);
    }
    korven.reset();
    fs::remove_all(folder);
    return run;
}

// One run per board, shared by its benchmarks; the run of the previous board is dropped.
const ScriptRun& runOf(std::size_t components, const std::vector<std::string>& skipTests) {
    static std::optional<std::pair<std::size_t, ScriptRun>> last;
    if (!last || last->first != components) {
        last.reset();
        last.emplace(components, runFullScript(components, skipTests));
    }
    return last->second;
}

// Both cores busy reads 2: the CPU time of every thread of the process over the wall time.
double cpuPerWall(double cpuSeconds, double seconds) {
    return seconds > 0 ? cpuSeconds / seconds : 0;
}

void reportTime(benchmark::State& state, double seconds) {
    for (auto _ : state) {
        state.SetIterationTime(seconds);
    }
}

void registerBoard(std::size_t components, const std::vector<std::string>& names,
                   const std::vector<std::string>& skipTests) {
    const std::string prefix = "BM_FullScript/components:" + std::to_string(components) + "/";
    benchmark::RegisterBenchmark((prefix + "total").c_str(),
                                 [=](benchmark::State& state) {
                                     const ScriptRun& run = runOf(components, skipTests);
                                     reportTime(state, run.runSeconds);
                                     state.counters["cpu_s"] = run.runCpuSeconds;
                                     state.counters["cpu_per_wall"] =
                                         cpuPerWall(run.runCpuSeconds, run.runSeconds);
                                     state.counters["load_s"] = run.loadSeconds;
                                     state.counters["load_maxrss_MB"] = run.loadResidentPeakMB;
                                     state.counters["maxrss_MB"] = run.residentPeakMB;
                                     state.counters["longest_gap_ms"] = run.longestGapMs;
                                     state.counters["tests"] = static_cast<double>(run.tests.size());
                                 })
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    for (long row = 1; row <= static_cast<long>(names.size()); ++row) {
        const std::string name = names[static_cast<std::size_t>(row - 1)];
        benchmark::RegisterBenchmark((prefix + std::to_string(row) + " " + name).c_str(),
                                     [=](benchmark::State& state) {
                                         const ScriptRun& run = runOf(components, skipTests);
                                         auto found = run.tests.find(row);
                                         if (found == run.tests.end()) {
                                             state.SkipWithError("not run (skipped)");
                                             return;
                                         }
                                         reportTime(state, found->second.seconds);
                                         state.counters["cpu_s"] = found->second.cpuSeconds;
                                         state.counters["cpu_per_wall"] =
                                             cpuPerWall(found->second.cpuSeconds, found->second.seconds);
                                         state.counters["maxrss_MB"] = found->second.residentPeakMB;
                                         state.counters["longest_gap_ms"] = found->second.longestGapMs;
                                         state.counters["result"] = found->second.result;
                                     })
            ->UseManualTime()
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

void registerFullScriptBenchmarks(const FullScriptOptions& options) {
    const std::vector<std::string> names = scriptTestNames();
    for (std::size_t components : options.boards) {
        registerBoard(components, names, options.skipTests);
    }
}

} // namespace lumora::bench
