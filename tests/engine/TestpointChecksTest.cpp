#include "engine/checks/CheckFunctions.h"
#include "engine/ops/Flatten.h"
#include "tests/engine/CheckTestSupport.h"
#include "tests/engine/FlatItemsSupport.h"

#include <cmath>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class TestpointCheckTest : public ::testing::Test {
  protected:
    Design design = tinyBoard();
    CheckContext context{design, "Testpoint Pad Size - Top"};

    // The testpoints of tiny.cc as the runner flattens them: every insert with "TEST".
    int16_t flattenedTestpoints() {
        const int16_t geometry = createFlattenGeometry(design, 1);
        flatten(design, geometry,
                {.insertType = insert_type::Any,
                 .condition = AttributeCondition("TEST", "", comparison::HasKeyword)});
        return geometry;
    }
};

TEST_F(TestpointCheckTest, PadSizesOutsideTheRangeAreCritical) {
    const int16_t drill = layerNamed(design, "DRILL");
    const int16_t testpoints = flatGeometry(
        design,
        {flatItem(roundPad(0, 0, 40), "TP1", "A"), flatItem(Circle{{0, 0}, 30, 0}, "TP1", "A", drill),
         flatItem(
             Pad{.shape = pad_shape::Rectangle, .at = {100, 0}, .sizeX = 20, .sizeY = 50, .rotation = 45},
             "TP2", "B"),
         flatItem(roundPad(200, 0, 50), "TP3", "C"), flatItem(rectangle(300, 0, 330, 22), "TP4", "D")});

    const auto findings =
        check(context, ExposedTestpointPadSizeArgs{.geomNum = testpoints, .minSize = 25, .maxSize = 45});

    EXPECT_THAT(findingTexts(findings),
                ElementsAre("TP2 pad size 20/25 Critical", "TP3 pad size 50/45 Critical",
                            "TP4 pad size 22/25 Critical"))
        << "TP1's drill is no copper, TP2 measures as a pad whatever its turn, TP4 by its box";
    EXPECT_THAT(findingPoints(findings), ElementsAre(Point{100, 0}, Point{200, 0}, Point{315, 11}));
}

// A complex pad measured by its box: a 20 x 60 rounded rectangle turned 45 degrees read as 56.6 wide.
TEST_F(TestpointCheckTest, AComplexPadMeasuresAcrossItsNarrowestSides) {
    const double c = std::sqrt(0.5);
    const auto turned = [c](double x, double y) { return Point{(x - y) * c, (x + y) * c}; };
    const int16_t testpoints = flatGeometry(
        design, {flatItem(Pad{.shape = pad_shape::Complex,
                              .at = {0, 0},
                              .complex = ComplexShape{.outline = {turned(-30, -10), turned(30, -10),
                                                                  turned(30, 10), turned(-30, 10)},
                                                      .cornerRadii = std::vector<double>(4, 5)}},
                          "TP5", "A")});
    const auto findings = check(context, ExposedTestpointPadSizeArgs{.geomNum = testpoints, .minSize = 25});
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_NEAR(findings[0].measured, 20, 1e-9);
}

TEST_F(TestpointCheckTest, NoMaximumWhenItIsZero) {
    const int16_t testpoints = flatGeometry(design, {flatItem(roundPad(0, 0, 500), "TP1")});
    EXPECT_THAT(check(context, ExposedTestpointPadSizeArgs{.geomNum = testpoints, .minSize = 25}), IsEmpty());
}

TEST_F(TestpointCheckTest, TheLargestExposedPieceOfATestpointCounts) {
    // What the soldermask leaves of one pad: two pieces of one testpoint.
    const int16_t testpoints = flatGeometry(
        design, {flatItem(rectangle(0, 0, 10, 40), "TP1"), flatItem(rectangle(12, 0, 42, 40), "TP1")});
    EXPECT_THAT(
        findingTexts(check(context, ExposedTestpointPadSizeArgs{.geomNum = testpoints, .minSize = 35})),
        ElementsAre("TP1 pad size 30/35 Critical"));
}

TEST_F(TestpointCheckTest, NetsOfTheBoardWithTooFewTestpoints) {
    // tiny.cc: nets GND, SIG and VCC; the one testpoint is the via on SIG.
    const auto findings =
        check(context, TestpointsPerNetArgs{.geomNum = flattenedTestpoints(), .minTestpoints = 1});

    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].items[0].net, "GND");
    EXPECT_EQ(findings[1].items[0].net, "VCC");
    EXPECT_THAT(findingTexts(findings), ElementsAre(" testpoints 0/1 Critical", " testpoints 0/1 Critical"));
    EXPECT_THAT(findingPoints(findings), ElementsAre(Point{950, 500}, Point{1050, 500}))
        << "at the first pin of each net: R1's pin 1 (VCC) and pin 2 (GND)";
}

TEST_F(TestpointCheckTest, EveryItemOfOneTestpointCountsOnce) {
    const auto findings =
        check(context, TestpointsPerNetArgs{.geomNum = flattenedTestpoints(), .minTestpoints = 2});

    std::vector<std::string> counts;
    for (const Finding& finding : findings) {
        counts.push_back(finding.items[0].net.str() + " " + formatNumber(finding.measured));
    }
    EXPECT_THAT(counts, ElementsAre("GND 0", "SIG 1", "VCC 0"))
        << "the SIG via has pads on both sides and a drill";
}

TEST_F(TestpointCheckTest, TestpointsOnOneNetAddUp) {
    const int16_t testpoints = flatGeometry(
        design, {flatItem(roundPad(0, 0, 40), "TP1", "GND"), flatItem(roundPad(100, 0, 40), "TP2", "GND"),
                 flatItem(roundPad(200, 0, 40), "TP3", "SIG"), flatItem(roundPad(300, 0, 40), "TP4", "VCC")});

    const auto findings = check(context, TestpointsPerNetArgs{.geomNum = testpoints, .minTestpoints = 2});

    std::vector<std::string> nets;
    for (const Finding& finding : findings) {
        nets.push_back(finding.items[0].net.str());
    }
    EXPECT_THAT(nets, ElementsAre("SIG", "VCC"));
}

TEST_F(TestpointCheckTest, NothingIsMissingBelowOneTestpoint) {
    EXPECT_THAT(check(context, TestpointsPerNetArgs{.geomNum = flattenedTestpoints(), .minTestpoints = 0}),
                IsEmpty());
}

} // namespace
} // namespace lumora::engine::test
