#include "engine/geom/Transform.h"

#include <gtest/gtest.h>

#include <utility>

namespace lumora::engine {
namespace {

constexpr double kTolerance = 1e-9;

void expectPoint(Point actual, Point expected) {
    EXPECT_NEAR(actual.x, expected.x, kTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTolerance);
}

TEST(TransformTest, MirrorsBeforeScalingTurningAndMoving) {
    const Transform t({100, 200}, 90, true, 2);
    // (10, 5): mirrored (-10, 5), scaled (-20, 10), turned (-10, -20), moved (90, 180).
    expectPoint(t.apply({10, 5}), {90, 180});
}

// Also catches a composition that takes one side's turn as is where that side does not turn, but
// the outer one mirrors the inner turn or the inner one turns.
TEST(TransformTest, NestedPlacementEqualsApplyingInnerThenOuter) {
    const Transform turned({30, -10}, 45, true, 1);
    const Transform still({2, 1}, 0, false, 1);
    const std::pair<Transform, Transform> pairs[] = {{turned, Transform({-5, 7}, 120, true, 0.5)},
                                                     {still, Transform({-5, 7}, 120, true, 0.5)},
                                                     {turned, still},
                                                     {turned, Transform({-5, 7}, 0, true, 2)}};
    for (const auto& [inner, outer] : pairs) {
        for (Point p : {Point{0, 0}, Point{12, 3}, Point{-7, 20}}) {
            expectPoint(inner.then(outer).apply(p), outer.apply(inner.apply(p)));
        }
    }
    EXPECT_FALSE(pairs[0].first.then(pairs[0].second).mirrored()) << "two mirrors cancel";
    EXPECT_TRUE(turned.then(Transform({0, 0}, 30, false, 1)).mirrored());
}

// Catches an inverse that turns a mirrored placement the wrong way (imports place pins back into
// mirrored components with it).
TEST(TransformTest, InverseUndoesMirroredTurnedScaledPlacements) {
    for (const Transform& t : {Transform({100, 200}, 82.601, true, 2), Transform({-3, 5}, 315, false, 0.5)}) {
        for (Point p : {Point{0, 0}, Point{12, 3}, Point{-7, 20}}) {
            expectPoint(t.inverse().apply(t.apply(p)), p);
        }
        EXPECT_FALSE(t.then(t.inverse()).mirrored());
    }
}

TEST(TransformTest, AnglesAreNormalised) {
    EXPECT_DOUBLE_EQ(normalizedDegrees(-90), 270);
    EXPECT_DOUBLE_EQ(normalizedDegrees(720), 0);
    EXPECT_DOUBLE_EQ(Transform({0, 0}, 90, true, 1).applyAngle(30), 240) << "mirrored 150, turned by 90";
}

TEST(TransformTest, MirroredArcRunsTheOtherWay) {
    const Shape arc = Transform({0, 0}, 0, true, 1).apply(Arc{{10, 0}, 5, 0, 90, 2});
    const Arc& result = std::get<Arc>(arc);
    expectPoint(result.center, {-10, 0});
    EXPECT_DOUBLE_EQ(result.start, 180);
    EXPECT_DOUBLE_EQ(result.sweep, -90);
    EXPECT_DOUBLE_EQ(result.width, 2);
}

TEST(TransformTest, PadsKeepTheirShapeAndTurnWithTheirInsert) {
    const Transform mirroredTurned({0, 0}, 90, true, 2);
    const Pad turned = std::get<Pad>(mirroredTurned.apply(
        Pad{.shape = pad_shape::Rectangle, .at = {5, 0}, .sizeX = 10, .sizeY = 4, .rotation = 30}));
    expectPoint(turned.at, {0, -10});
    EXPECT_NEAR(turned.rotation, 60, kTolerance);
    EXPECT_DOUBLE_EQ(turned.sizeX, 20);
    EXPECT_DOUBLE_EQ(turned.sizeY, 8);

    // A complex outline carries the orientation itself, so mirroring stays exact.
    const Pad complex =
        std::get<Pad>(Transform({0, 0}, 0, true, 1)
                          .apply(Pad{.shape = pad_shape::Complex,
                                     .at = {0, 0},
                                     .rotation = 90,
                                     .complex = ComplexShape{.outline = {{1, 0}, {3, 0}, {3, 1}}}}));
    EXPECT_DOUBLE_EQ(complex.rotation, 0);
    ASSERT_EQ(outlineOf(complex).size(), 3u);
    expectPoint(outlineOf(complex)[1], {0, 3});
    expectPoint(outlineOf(complex)[2], {1, 3});
}

} // namespace
} // namespace lumora::engine
