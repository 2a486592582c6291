// lumora-bench: Google Benchmark's options, plus LUMORA_BENCH_LARGEST, the components of the
// largest board (100000 unless set; a million needs about 20 GB and several minutes), and
// LUMORA_BENCH_KICAD_BOARD, the KiCad board loaded (the video demo board unless set).

#include "bench/BoardBenchmarks.h"
#include "bench/CheckBenchmarks.h"
#include "bench/DistanceKernelAgreement.h"
#include "bench/KicadBenchmarks.h"
#include "bench/PlaneBenchmarks.h"
#include "bench/PumpGapBenchmarks.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string_view>

namespace {

constexpr std::size_t kDefaultLargestBoard = 100'000;

std::optional<std::size_t> largestBoard() {
    const char* text = std::getenv("LUMORA_BENCH_LARGEST");
    if (text == nullptr) {
        return kDefaultLargestBoard;
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

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    const std::optional<std::size_t> largest = largestBoard();
    if (!largest) {
        std::cerr << "LUMORA_BENCH_LARGEST must be a whole number of components, at least "
                  << lumora::bench::kSmallestBoard << '\n';
        return 2;
    }
    lumora::bench::registerCheckBenchmarks(*largest);
    lumora::bench::registerPumpGapBenchmarks();
    lumora::bench::registerKicadBenchmarks();
    lumora::bench::registerPlaneBenchmarks(*largest);
    lumora::bench::registerKernelBenchmarks();
#ifdef LUMORA_PICTURES
    lumora::bench::registerBoardBenchmarks(*largest);
#endif
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
