// How the copper distance check grows with the board: DistanceCheck2 alone on a flattened layer,
// and the whole test as the runner calls it, on synthetic boards whose checks measure about 1k to
// 1M items (a component brings about ten: pads, vias, drills, traces). Growth is fitted against
// the items measured.

#include "bench/CheckBenchmarks.h"

#include "bench/HeapPeak.h"
#include "bench/SyntheticKorven.h"

#include <benchmark/benchmark.h>

#include <array>

#include <malloc.h>
#include <sys/resource.h>

namespace lumora::bench {

namespace {

constexpr int16_t kTopStackup = 1;
constexpr std::size_t kFlawEvery = 100; // a few findings, as a real board has
constexpr double kMegabyte = 1024.0 * 1024.0;

double residentPeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// Heap held before the measured loop (design, flattened items), the most the loop added to it,
// and the process's peak resident size so far.
void reportMemory(benchmark::State& state, std::size_t heldBefore) {
    state.counters["heap_MB"] = static_cast<double>(heldBefore) / kMegabyte;
    state.counters["extra_peak_MB"] = static_cast<double>(HeapPeak::peakBytes() - heldBefore) / kMegabyte;
    state.counters["maxrss_MB"] = residentPeakMegabytes();
}

// Gives the memory earlier cases freed back to the system, so that every case runs on memory it
// touches for the first time, as a run does: the allocator would otherwise serve the cases after a
// large one without page faults and make them look cheaper than the largest.
void startCold() {
    malloc_trim(0);
}

std::size_t components(const benchmark::State& state) {
    return static_cast<std::size_t>(state.range(0));
}

void reportItems(benchmark::State& state, std::size_t items, std::size_t findings) {
    state.SetComplexityN(static_cast<int64_t>(items));
    state.counters["items"] = static_cast<double>(items);
    state.counters["findings"] = static_cast<double>(findings);
}

void BM_DistanceCheck2(benchmark::State& state) {
    SyntheticKorven korven(components(state), kFlawEvery);
    const int16_t geomNum = korven.flattenCopper(kTopStackup);
    startCold();
    const std::size_t heldBefore = HeapPeak::liveBytes();
    HeapPeak::restart();
    std::size_t findings = 0;
    for (auto _ : state) {
        korven.checkCopper(geomNum);
        state.PauseTiming();
        findings = korven.announced();
        korven.clearDrcs();
        state.ResumeTiming();
    }
    reportItems(state, korven.design().geometry(geomNum).data.size(), findings);
    reportMemory(state, heldBefore);
}

// Every electrical layer: create the geometry, flatten its copper, check it, delete it.
void BM_FlattenAndCheck(benchmark::State& state) {
    SyntheticKorven korven(components(state), kFlawEvery);
    startCold();
    const std::size_t heldBefore = HeapPeak::liveBytes();
    HeapPeak::restart();
    std::size_t findings = 0;
    std::size_t items = 0;
    for (auto _ : state) {
        items = 0;
        for (int16_t stackup = kTopStackup; stackup <= korven.maxStackup(); ++stackup) {
            const int16_t geomNum = korven.flattenCopper(stackup);
            items += korven.design().geometry(geomNum).data.size();
            korven.checkCopper(geomNum);
            korven.deleteGeometry(geomNum);
        }
        state.PauseTiming();
        findings = korven.announced();
        korven.clearDrcs();
        state.ResumeTiming();
    }
    reportItems(state, items, findings);
    reportMemory(state, heldBefore);
}

struct NamedBenchmark {
    const char* name;
    void (*function)(benchmark::State&);
};

constexpr std::array kBenchmarks{NamedBenchmark{"BM_DistanceCheck2", BM_DistanceCheck2},
                                 NamedBenchmark{"BM_FlattenAndCheck", BM_FlattenAndCheck}};

} // namespace

// One call per board, as a run makes it. Repeating only the small boards would time them on memory
// already touched, and the sizes would no longer compare.
void registerCheckBenchmarks(std::size_t largestBoard) {
    for (const auto& [name, function] : kBenchmarks) {
        benchmark::internal::Benchmark* benchmark = benchmark::RegisterBenchmark(name, function);
        benchmark->ArgName("components");
        for (std::size_t components = kSmallestBoard; components <= largestBoard; components *= 10) {
            benchmark->Arg(static_cast<int64_t>(components));
        }
        benchmark->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);
    }
}

} // namespace lumora::bench
