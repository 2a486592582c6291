#include "bench/PumpGapBenchmarks.h"

#include "bench/GapMeter.h"
#include "bench/SyntheticKorven.h"
#include "engine/runtime/WhileWaiting.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace lumora::bench {

namespace {

// Every electrical layer flattened and checked, as the runner's copper distance test does; the
// runner itself lets events through only between such calls.
void BM_LongestPumpGap(benchmark::State& state) {
    SyntheticKorven korven(static_cast<std::size_t>(state.range(0)), 100);
    const bool hooked = state.range(1) != 0;
    double longest = 0;
    for (auto _ : state) {
        GapMeter meter;
        double checkLongest = 0;
        if (hooked) {
            engine::setWhileWaiting([&] { meter.events(); });
        }
        for (int16_t stackup = 1; stackup <= korven.maxStackup(); ++stackup) {
            const int16_t geomNum = korven.flattenCopper(stackup);
            meter = GapMeter{}; // the runner pumps between its calls into KORVEN
            korven.checkCopper(geomNum);
            meter.events();
            checkLongest = std::max(checkLongest, meter.longestMilliseconds());
            korven.deleteGeometry(geomNum);
        }
        engine::setWhileWaiting(nullptr);
        longest = checkLongest;
        state.PauseTiming();
        korven.clearDrcs();
        state.ResumeTiming();
    }
    state.counters["longest_gap_ms"] = longest;
}

} // namespace

void registerPumpGapBenchmarks() {
    benchmark::RegisterBenchmark("BM_LongestPumpGap", BM_LongestPumpGap)
        ->ArgNames({"components", "hook"})
        ->ArgsProduct({{10'000, 30'000}, {0, 1}})
        ->Iterations(1)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}

} // namespace lumora::bench
