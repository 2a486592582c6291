// lumora-bench: Google Benchmark's options, plus LUMORA_BENCH_LARGEST, the components of the
// largest board (100000 unless set; a million needs about 20 GB and several minutes),
// LUMORA_BENCH_KICAD_BOARD, the KiCad board loaded (the video demo board unless set),
// LUMORA_BENCH_IPC2581, the IPC-2581 files loaded (none unless set; several separated by ";"),
// LUMORA_BENCH_SCRIPT_LARGEST, the largest board the full script runs on (10000 unless set), and
// LUMORA_BENCH_SCRIPT_SKIP, names of tests the full script leaves out, separated by ";".

#include "bench/BoardBenchmarks.h"
#include "bench/CheckBenchmarks.h"
#include "bench/DistanceKernelAgreement.h"
#include "bench/FullScriptBenchmarks.h"
#include "bench/Ipc2581Benchmarks.h"
#include "bench/KicadBenchmarks.h"
#include "bench/PlaneBenchmarks.h"
#include "bench/PumpGapBenchmarks.h"
#include "bench/WindowBenchmarks.h"

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <ranges>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kDefaultLargestBoard = 100'000;
constexpr std::size_t kDefaultLargestScriptBoard = 10'000;
// 30k is the size at which the desktop program's longest stretch without events is judged.
constexpr std::array<std::size_t, 4> kScriptBoards{1'000, 10'000, 30'000, 100'000};

std::optional<std::size_t> largestBoard(const char* variable, std::size_t fallback) {
    const char* text = std::getenv(variable);
    if (text == nullptr) {
        return fallback;
    }
    const std::string_view value(text);
    std::size_t components = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), components);
    if (error != std::errc() || end != value.data() + value.size() ||
        components < lumora::bench::kSmallestBoard) {
        return std::nullopt;
    }
    return components;
}

std::vector<std::string> skippedTests() {
    std::vector<std::string> names;
    const char* text = std::getenv("LUMORA_BENCH_SCRIPT_SKIP");
    for (auto part : std::views::split(std::string_view(text != nullptr ? text : ""), ';')) {
        if (!part.empty()) {
            names.emplace_back(part.begin(), part.end());
        }
    }
    return names;
}

lumora::bench::FullScriptOptions fullScriptOptions(std::size_t largest) {
    lumora::bench::FullScriptOptions options{.boards = {}, .skipTests = skippedTests()};
    for (std::size_t components : kScriptBoards) {
        if (components <= largest) {
            options.boards.push_back(components);
        }
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    const std::optional<std::size_t> largest = largestBoard("LUMORA_BENCH_LARGEST", kDefaultLargestBoard);
    const std::optional<std::size_t> largestScript =
        largestBoard("LUMORA_BENCH_SCRIPT_LARGEST", kDefaultLargestScriptBoard);
    if (!largest || !largestScript) {
        std::cerr
            << "LUMORA_BENCH_LARGEST and LUMORA_BENCH_SCRIPT_LARGEST must be whole numbers of components, "
               "at least "
            << lumora::bench::kSmallestBoard << '\n';
        return 2;
    }
    lumora::bench::registerCheckBenchmarks(*largest);
    lumora::bench::registerPumpGapBenchmarks();
    lumora::bench::registerKicadBenchmarks();
    lumora::bench::registerIpc2581Benchmarks();
    lumora::bench::registerPlaneBenchmarks(*largest);
    lumora::bench::registerKernelBenchmarks();
    lumora::bench::registerFullScriptBenchmarks(fullScriptOptions(*largestScript));
#ifdef LUMORA_PICTURES
    lumora::bench::registerBoardBenchmarks(*largest);
#endif
#ifdef LUMORA_DESKTOP
    lumora::bench::registerWindowBenchmarks();
#endif
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
