// The exact distance kernel against the dense-sampling reference on a million random pairs of
// traces, arcs, discs and polygons, turned and mirrored. Counters: the largest disagreement and the
// pairs off by more than a millionth of a unit (both must stay 0 to within 1e-6).

#include "bench/DistanceKernelAgreement.h"

#include "engine/geom/Footprint.h"
#include "tests/engine/DistanceReference.h"

#include <benchmark/benchmark.h>

namespace lumora::bench {

namespace {

constexpr int64_t kPairs = 1'000'000;
constexpr int kSamples = 200;

void BM_DistanceKernelAgreement(benchmark::State& state) {
    namespace ref = engine::reference;
    std::mt19937_64 random(1);
    std::uniform_real_distribution<double> turn(0, 2 * std::numbers::pi);
    double worst = 0;
    int64_t off = 0;
    for (auto _ : state) {
        for (int64_t pair = 0; pair < state.range(0); ++pair) {
            const ref::Placement placement{turn(random), pair % 2 == 1};
            const ref::Primitive a = ref::randomPrimitive(random, placement);
            const ref::Primitive b = ref::randomPrimitive(random, placement);
            const double error = std::abs(engine::Footprint(a.shape).distanceTo(engine::Footprint(b.shape)) -
                                          ref::distance(a, b, kSamples));
            worst = std::max(worst, error);
            off += error > 1e-6 ? 1 : 0;
        }
    }
    state.counters["pairs"] = static_cast<double>(state.range(0));
    state.counters["max_error"] = worst;
    state.counters["off"] = static_cast<double>(off);
}

} // namespace

void registerKernelBenchmarks() {
    benchmark::RegisterBenchmark("BM_DistanceKernelAgreement", BM_DistanceKernelAgreement)
        ->Arg(kPairs)
        ->Iterations(1)
        ->Unit(benchmark::kSecond);
}

} // namespace lumora::bench
