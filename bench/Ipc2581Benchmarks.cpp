// How fast an IPC-2581 file streams into a design and how much heap the design holds against the
// file's size (the reader's goal: 50 MB/s, a design at most five times its file). The files come
// from LUMORA_BENCH_IPC2581; scripts/make-large-ipc2581 makes a large board from a small one.

#include "bench/Ipc2581Benchmarks.h"

#include "bench/HeapPeak.h"
#include "engine/io/ipc2581/Ipc2581File.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <ranges>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::bench {

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

std::vector<std::filesystem::path> chosenFiles() {
    std::vector<std::filesystem::path> files;
    const char* text = std::getenv("LUMORA_BENCH_IPC2581");
    for (auto part : std::views::split(std::string_view(text != nullptr ? text : ""), ';')) {
        if (!part.empty()) {
            files.emplace_back(std::string(part.begin(), part.end()));
        }
    }
    return files;
}

// The heap is counted through operator new: the design and the reader's records. libxml2's own
// buffers are malloc'd and bounded by its 256 KiB pieces, so they are left out.
void loadIpc2581(benchmark::State& state, const std::filesystem::path& file) {
    if (!std::filesystem::exists(file)) {
        state.SkipWithError("no such IPC-2581 file");
        return;
    }
    const std::size_t before = HeapPeak::liveBytes();
    std::size_t peak = 0;
    std::size_t held = 0;
    for (auto _ : state) {
        HeapPeak::restart();
        engine::ipc2581::Ipc2581Import imported = engine::ipc2581::loadIpc2581(file);
        held = HeapPeak::liveBytes() - before;
        peak = std::max(peak, HeapPeak::peakBytes() - before);
        benchmark::DoNotOptimize(imported);
    }
    const auto fileBytes = static_cast<double>(std::filesystem::file_size(file));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(fileBytes));
    state.counters["file_MB"] = fileBytes / kMegabyte;
    state.counters["design_MB"] = static_cast<double>(held) / kMegabyte;
    state.counters["peak_heap_MB"] = static_cast<double>(peak) / kMegabyte;
    state.counters["design_per_file_byte"] = static_cast<double>(held) / fileBytes;
}

} // namespace

void registerIpc2581Benchmarks() {
    for (const std::filesystem::path& file : chosenFiles()) {
        benchmark::RegisterBenchmark(("BM_LoadIpc2581/" + file.filename().string()).c_str(), loadIpc2581,
                                     file)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace lumora::bench
