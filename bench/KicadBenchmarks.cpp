// How long reading a real KiCad board takes and how much heap it needs at its most, against the
// size of the file: tokenizer, node table and design together; and the copper distance test on it,
// whose zone fills are polygons of tens of thousands of points.

#include "bench/KicadBenchmarks.h"

#include "bench/HeapPeak.h"
#include "bench/SyntheticKorven.h"
#include "engine/io/kicad/KicadBoard.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace lumora::bench {

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

std::filesystem::path boardFile() {
    const char* chosen = std::getenv("LUMORA_BENCH_KICAD_BOARD");
    return chosen != nullptr ? chosen : "/usr/share/kicad/demos/video/video.kicad_pcb";
}

void BM_LoadKicadBoard(benchmark::State& state) {
    const std::filesystem::path file = boardFile();
    if (!std::filesystem::exists(file)) {
        state.SkipWithError("no KiCad board (install kicad-demos or set LUMORA_BENCH_KICAD_BOARD)");
        return;
    }
    const std::size_t held = HeapPeak::liveBytes();
    std::size_t peak = 0;
    for (auto _ : state) {
        HeapPeak::restart();
        engine::kicad::BoardImport board = engine::kicad::loadKicadBoard(file);
        benchmark::DoNotOptimize(board);
        peak = std::max(peak, HeapPeak::peakBytes() - held);
    }
    const auto fileBytes = static_cast<double>(std::filesystem::file_size(file));
    state.counters["file_MB"] = fileBytes / kMegabyte;
    state.counters["peak_heap_MB"] = static_cast<double>(peak) / kMegabyte;
    state.counters["heap_per_file_byte"] = static_cast<double>(peak) / fileBytes;
}

// The copper test's defaults, 5 and 3 mils, in a KiCad board's millimetres.
constexpr CopperRules kCopperRulesInMillimetres{.marginal = 5 * 0.0254, .critical = 3 * 0.0254};

// Every electrical layer as the copper distance test takes it: create, flatten, check, delete.
void BM_KicadCopperDistance(benchmark::State& state) {
    const std::filesystem::path file = boardFile();
    if (!std::filesystem::exists(file)) {
        state.SkipWithError("no KiCad board (install kicad-demos or set LUMORA_BENCH_KICAD_BOARD)");
        return;
    }
    SyntheticKorven korven(engine::kicad::loadKicadBoard(file).design);
    std::size_t findings = 0;
    for (auto _ : state) {
        for (int16_t stackup = 1; stackup <= korven.maxStackup(); ++stackup) {
            const int16_t geomNum = korven.flattenCopper(stackup);
            korven.checkCopper(geomNum, kCopperRulesInMillimetres);
            korven.deleteGeometry(geomNum);
        }
        state.PauseTiming();
        findings = korven.announced();
        korven.clearDrcs();
        state.ResumeTiming();
    }
    state.counters["findings"] = static_cast<double>(findings);
}

} // namespace

void registerKicadBenchmarks() {
    benchmark::RegisterBenchmark("BM_LoadKicadBoard", BM_LoadKicadBoard)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    // The check measures on worker threads: CPU time is the whole process's.
    benchmark::RegisterBenchmark("BM_KicadCopperDistance", BM_KicadCopperDistance)
        ->MeasureProcessCPUTime()
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}

} // namespace lumora::bench
