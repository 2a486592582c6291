#include "engine/checks/CheckFunctions.h"
#include "tests/engine/CheckTestSupport.h"
#include "tests/engine/FlatItemsSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RoutingCheckTest : public ::testing::Test {
  protected:
    Design design = tinyBoard();
    CheckContext context{design, "Etch Width - Top"};

    static Graphic trace(double width, const std::string& net, Point from = {0, 0}, Point to = {100, 0}) {
        return flatItem(Line{from, to, width}, "", net);
    }
};

TEST_F(RoutingCheckTest, TracesNarrowerThanTheLimitsAtTheirMiddle) {
    const int16_t etch =
        flatGeometry(design, {trace(6, "A"), trace(9, "B", {0, 50}, {0, 150}), trace(12, "C")});

    auto findings = check(context, RouteTraceWidthMinimumArgs{.geomNum = etch, .limits = {10, 8}});

    std::ranges::sort(findings, reportedBefore);
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_THAT(findingTexts(findings), ElementsAre(" width 9/10 Marginal", " width 6/8 Critical"));
    EXPECT_THAT(findingPoints(findings), ElementsAre(Point{0, 100}, Point{50, 0}));
    EXPECT_EQ(findings[0].items[0].net, "B");
    EXPECT_EQ(findings[1].items[0].net, "A");
}

TEST_F(RoutingCheckTest, ArcsAreTracesAndOtherShapesAreNot) {
    const int16_t etch = flatGeometry(design, {flatItem(Arc{{0, 0}, 50, 0, 90, 5}, "", "A"),
                                               flatItem(rectangle(0, 0, 2, 2), "", "B"),
                                               flatItem(roundPad(0, 0, 3), "", "C")});

    const auto findings = check(context, RouteTraceWidthMinimumArgs{.geomNum = etch, .limits = {10, 8}});

    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].items[0].net, "A");
    EXPECT_NEAR(findings[0].at.x, 35.355, 1e-3) << "the middle of the arc";
    EXPECT_NEAR(findings[0].at.y, 35.355, 1e-3);
}

TEST_F(RoutingCheckTest, ExcludedNetsContainOneOfTheTextsIgnoringCase) {
    const int16_t etch = flatGeometry(design, {trace(6, "VCC_3V3"), trace(6, "AGND"), trace(6, "gnd_sense"),
                                               trace(6, "SIG"), trace(6, "")});

    const auto findings = check(
        context, RouteTraceWidthMinimumArgs{.geomNum = etch, .limits = {10, 8}, .excludeNets = "VCC, GND,,"});

    std::vector<std::string> nets;
    for (const Finding& finding : findings) {
        nets.push_back(finding.items[0].net.str());
    }
    EXPECT_THAT(nets, ElementsAre("SIG", ""));
}

TEST_F(RoutingCheckTest, NoExclusionsMeasureEveryTrace) {
    const int16_t etch = flatGeometry(design, {trace(6, "VCC"), trace(6, "GND")});
    EXPECT_EQ(check(context, RouteTraceWidthMinimumArgs{.geomNum = etch, .limits = {10, 8}}).size(), 2u);
}

class ViaUnderPartTest : public RoutingCheckTest {
  protected:
    int16_t bodies = flatGeometry(
        design, {flatItem(rectangle(0, 0, 100, 50), "U1"), flatItem(rectangle(200, 0, 300, 50), "U2")});
};

TEST_F(ViaUnderPartTest, ViasReachingIntoABodyOncePerViaAndComponent) {
    const int16_t vias =
        flatGeometry(design, {flatItem(roundPad(50, 25, 20), "V1", "GND"),         // under U1
                              flatItem(rectangle(45, 20, 55, 30), "V1", "GND"),    // its other pad
                              flatItem(roundPad(100, 60, 20), "V2", "SIG"),        // beside U1
                              flatItem(rectangle(295, 0, 305, 10), "V3", "SIG")}); // half under U2

    const auto findings = check(context, ViaUnderPartArgs{.geomNum1 = vias, .geomNum2 = bodies});

    ASSERT_EQ(findings.size(), 2u);
    EXPECT_THAT(findingPoints(findings), ElementsAre(Point{50, 25}, Point{300, 5}));
    EXPECT_EQ(findings[0].items[0].net, "GND");
    EXPECT_EQ(findings[0].items[1].component, "U1");
    EXPECT_EQ(findings[1].items[1].component, "U2");
    EXPECT_NEAR(findings[1].measured, 50, 1e-9) << "5 by 10 of V3 lies under U2";
    EXPECT_EQ(findings[0].severity, Severity::Critical);
}

TEST_F(ViaUnderPartTest, AViaTouchingABodyIsNotUnderIt) {
    const int16_t vias = flatGeometry(design, {flatItem(rectangle(100, 0, 110, 10), "V1")});
    EXPECT_THAT(check(context, ViaUnderPartArgs{.geomNum1 = vias, .geomNum2 = bodies}), IsEmpty());
}

class SoldermaskClearanceTest : public RoutingCheckTest {
  protected:
    static Graphic opening(double x0, double y0, double x1, double y1) {
        return flatItem(rectangle(x0, y0, x1, y1), "", "", 6);
    }
};

TEST_F(SoldermaskClearanceTest, MarginsAreTheNarrowerSideOfEachAxis) {
    const int16_t pads = flatGeometry(
        design, {flatItem(rectangle(0, 0, 20, 40), "U1-1"), flatItem(rectangle(100, 0, 120, 40), "U1-2")});
    // U1-1: 3 left, 5 right, 4 below, 4 above. U1-2: 5 on every side.
    const int16_t mask = flatGeometry(design, {opening(-3, -4, 25, 44), opening(95, -5, 125, 45)});

    const auto findings =
        check(context, SMDSoldermaskClearanceArgs{
                           .geomNum = pads, .soldermaskGeomNum = mask, .minXMargin = 4, .minYMargin = 5});

    EXPECT_THAT(findingTexts(findings), ElementsAre("U1-1 soldermask x margin 3/4 Critical",
                                                    "U1-1 soldermask y margin 4/5 Critical"));
}

TEST_F(SoldermaskClearanceTest, ACoveredPadHasNegativeMarginsOfHalfItsSize) {
    const int16_t pads = flatGeometry(design, {flatItem(rectangle(0, 0, 20, 40), "U1-1")});
    const int16_t mask = flatGeometry(design, {opening(100, 100, 120, 120)});

    const auto findings =
        check(context, SMDSoldermaskClearanceArgs{
                           .geomNum = pads, .soldermaskGeomNum = mask, .minXMargin = 0, .minYMargin = 0});

    EXPECT_THAT(findingTexts(findings), ElementsAre("U1-1 soldermask x margin -10/0 Critical",
                                                    "U1-1 soldermask y margin -20/0 Critical"));
}

TEST_F(SoldermaskClearanceTest, OnlyOpeningsOverThePadCount) {
    const int16_t pads = flatGeometry(design, {flatItem(rectangle(0, 0, 20, 40), "U1-1")});
    // The pad's own opening with 5 all round; its neighbour's opening touches it on the right.
    const int16_t mask = flatGeometry(design, {opening(-5, -5, 25, 45), opening(25, -5, 60, 45)});

    EXPECT_THAT(check(context,
                      SMDSoldermaskClearanceArgs{
                          .geomNum = pads, .soldermaskGeomNum = mask, .minXMargin = 5, .minYMargin = 5}),
                IsEmpty());
}

} // namespace
} // namespace lumora::engine::test
