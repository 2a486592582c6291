// The exact distance kernel against an independent reference on random pairs of traces, arcs,
// discs and polygons, turned and mirrored (bench/ runs millions of pairs).

#include "engine/geom/Footprint.h"
#include "tests/engine/DistanceReference.h"

#include <gtest/gtest.h>

namespace lumora::engine::test {
namespace {

TEST(DistanceKernelTest, RandomPairsAgreeWithDenseSamplingToAMillionth) {
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> turn(0, 2 * std::numbers::pi);
    for (int pair = 0; pair < 3000; ++pair) {
        const reference::Placement placement{turn(random), pair % 2 == 1};
        const reference::Primitive a = reference::randomPrimitive(random, placement);
        const reference::Primitive b = reference::randomPrimitive(random, placement);
        const double expected = reference::distance(a, b, 400);
        ASSERT_NEAR(Footprint(a.shape).distanceTo(Footprint(b.shape)), expected, 1e-6) << "pair " << pair;
    }
}

} // namespace
} // namespace lumora::engine::test
