// How long reading a real KiCad board takes and how much heap it needs at its most, against the
// size of the file: tokenizer, node table and design together.

#include "bench/KicadBenchmarks.h"

#include "bench/HeapPeak.h"
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

} // namespace

void registerKicadBenchmarks() {
    benchmark::RegisterBenchmark("BM_LoadKicadBoard", BM_LoadKicadBoard)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}

} // namespace lumora::bench
