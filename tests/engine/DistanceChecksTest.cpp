#include "engine/checks/CheckFunctions.h"
#include "tests/engine/CheckTestSupport.h"
#include "tests/engine/FlatItemsSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Round pads of diameter 20 on y = 0: A at x 0, B 10 to the right of A, C 20 to the right of B.
std::vector<Graphic> threePads(const std::string& netA = "N1", const std::string& netB = "N2",
                               const std::string& netC = "N3") {
    return {flatItem(roundPad(0, 0, 20), "A-1", netA), flatItem(roundPad(30, 0, 20), "B-1", netB),
            flatItem(roundPad(70, 0, 20), "C-1", netC)};
}

class DistanceCheckTest : public ::testing::Test {
  protected:
    Design design = tinyBoard();
    CheckContext context{design, "Pad To Pad"};

    std::vector<Finding> selfCheck(std::vector<Graphic> items, DistanceCheck2Args args) {
        const int16_t geometry = flatGeometry(design, std::move(items));
        args.geomNum1 = args.geomNum2 = geometry;
        return check(context, args);
    }
};

TEST_F(DistanceCheckTest, CloserThanCriticalIsCriticalElseCloserThanMarginalIsMarginal) {
    const auto findings = selfCheck(threePads(), {.limits = {25, 15}});

    EXPECT_THAT(findingTexts(findings),
                ElementsAre("A-1 B-1 distance 10/15 Critical", "B-1 C-1 distance 20/25 Marginal"));
    EXPECT_THAT(findingPoints(findings), ElementsAre(Point{15, 0}, Point{50, 0}))
        << "markers sit in the gaps";
    EXPECT_EQ(findings[0].check, "Pad To Pad");
    EXPECT_EQ(findings[0].file, 1);
    EXPECT_EQ(findings[0].items[0].net, "N1");
}

TEST_F(DistanceCheckTest, TwoGeometriesMeasureOnlyAcrossNotWithin) {
    std::vector<Graphic> pads = threePads();
    const int16_t first = flatGeometry(design, {pads[0], pads[1]});
    const int16_t second = flatGeometry(design, {pads[2]});

    const auto findings =
        check(context, DistanceCheck2Args{.geomNum1 = first, .geomNum2 = second, .limits = {25, 15}});

    EXPECT_THAT(findingTexts(findings), ElementsAre("B-1 C-1 distance 20/25 Marginal"));
}

TEST_F(DistanceCheckTest, SkipSameNetsLeavesPairsOnOneNet) {
    EXPECT_THAT(
        findingTexts(selfCheck(threePads("N1", "N1", "N3"), {.limits = {25, 15}, .skipSameNets = true})),
        ElementsAre("B-1 C-1 distance 20/25 Marginal"));
}

TEST_F(DistanceCheckTest, ItemsWithoutNetAreNeverOnTheSameNet) {
    EXPECT_EQ(selfCheck(threePads("", "", ""), {.limits = {25, 15}, .skipSameNets = true}).size(), 2u);
}

TEST_F(DistanceCheckTest, SkipSameCompsLeavesPairsOfOneComponent) {
    std::vector<Graphic> pads = threePads();
    pads[1] = flatItem(roundPad(30, 0, 20), "A-2", "N2");

    EXPECT_THAT(findingTexts(selfCheck(pads, {.limits = {25, 15}, .skipSameComps = true})),
                ElementsAre("A-2 C-1 distance 20/25 Marginal"));
    EXPECT_EQ(selfCheck(pads, {.limits = {25, 15}}).size(), 2u) << "without the flag both pairs count";
}

// Contact of two named nets is a short, Critical whatever the flags; with CanTouch, contact with an
// item without a net is a connection.
TEST_F(DistanceCheckTest, ContactIsCriticalUnlessItemsMayTouch) {
    const std::vector<Graphic> items{flatItem(rectangle(0, 0, 10, 10), "A", "N1"),
                                     flatItem(rectangle(10, 0, 20, 10), "B", ""),    // touches A
                                     flatItem(rectangle(15, 5, 25, 15), "C", "N3")}; // overlaps B

    EXPECT_THAT(
        findingTexts(selfCheck(items, {.limits = {8, 4}})),
        ElementsAre("A B distance 0/4 Critical", "A C distance 5/8 Marginal", "B C distance 0/4 Critical"));
    EXPECT_THAT(findingTexts(selfCheck(items, {.limits = {8, 4}, .canTouch = true})),
                ElementsAre("A C distance 5/8 Marginal"));
}

TEST_F(DistanceCheckTest, ZeroLimitsReportContactOnly) {
    const std::vector<Graphic> items{flatItem(rectangle(0, 0, 10, 10), "A"),
                                     flatItem(rectangle(10, 0, 20, 10), "B"),  // touches A
                                     flatItem(rectangle(15, 5, 25, 15), "C"),  // overlaps B
                                     flatItem(rectangle(40, 0, 50, 10), "D")}; // 15 from C

    EXPECT_THAT(findingTexts(selfCheck(items, {})),
                ElementsAre("A B distance 0/0 Critical", "B C distance 0/0 Critical"));
    EXPECT_THAT(selfCheck(items, {.canTouch = true}), IsEmpty());
}

TEST_F(DistanceCheckTest, OneDrcPerNetKeepsTheClosestPairOfEachTwoNets) {
    const std::vector<Graphic> items{flatItem(rectangle(0, 0, 10, 10), "A", "N1"),
                                     flatItem(rectangle(13, 0, 23, 10), "B", "N2"),  // 3 from A
                                     flatItem(rectangle(-12, 0, -2, 10), "C", "N2"), // 2 from A
                                     flatItem(rectangle(100, 0, 110, 10), "D", "N3"),
                                     flatItem(rectangle(114, 0, 124, 10), "E", "N1"), // 4 from D
                                     flatItem(rectangle(200, 0, 210, 10), "F"),
                                     flatItem(rectangle(213, 0, 223, 10), "G"),  // 3 from F
                                     flatItem(rectangle(188, 0, 198, 10), "H")}; // 2 from F

    EXPECT_THAT(findingTexts(selfCheck(items, {.limits = {6, 1}, .oneDrcPerNet = true})),
                ElementsAre("A C distance 2/6 Marginal", "D E distance 4/6 Marginal",
                            "F H distance 2/6 Marginal", "F G distance 3/6 Marginal"))
        << "items without a net are not grouped";
    EXPECT_EQ(selfCheck(items, {.limits = {6, 1}}).size(), 5u);
}

TEST_F(DistanceCheckTest, InsertionPointsMeasureFromTheirPoint) {
    const std::vector<Graphic> items{flatItem(Mark{{0, 0}}, "TP1", "N1"),
                                     flatItem(rectangle(30, -10, 50, 10), "U1"),
                                     flatItem(Mark{{0, 5}}, "TP2", "N2")};

    EXPECT_THAT(findingTexts(selfCheck(items, {.limits = {40, 20}})),
                ElementsAre("TP1 TP2 distance 5/20 Critical", "TP1 U1 distance 30/40 Marginal",
                            "U1 TP2 distance 30/40 Marginal"));
}

TEST_F(DistanceCheckTest, ItemsReachedOnlyDiagonallyAreMeasuredTrueToTheCorner) {
    // Box gaps of 6 in x and y, so the corners lie 8.49 apart: beyond a limit of 8.
    const std::vector<Graphic> items{flatItem(rectangle(0, 0, 10, 10), "A"),
                                     flatItem(rectangle(16, 16, 26, 26), "B")};
    EXPECT_THAT(selfCheck(items, {.limits = {8, 8}}), IsEmpty());
    EXPECT_EQ(selfCheck(items, {.limits = {9, 8}}).size(), 1u);
}

TEST_F(DistanceCheckTest, ManyItemsGiveTheSameFindingsEveryRun) {
    std::vector<Graphic> row;
    for (int i = 0; i < 400; ++i) {
        row.push_back(flatItem(rectangle(i * 20, 0, i * 20 + 10, 10), "P" + std::to_string(i)));
    }
    const int16_t geometry = flatGeometry(design, row);
    const DistanceCheck2Args args{.geomNum1 = geometry, .geomNum2 = geometry, .limits = {15, 5}};

    const auto first = check(context, args);

    ASSERT_EQ(first.size(), 399u) << "neighbours only: the next but one is 30 away";
    EXPECT_EQ(check(context, args), first);
}

// Top pads and drills of J1's thru-hole pins (500 and 600, 1000) and of the two vias (1500 and
// 1600, 800): pads of 60, drills of 30, so neighbouring pads are 40 apart and a pad is 55 from the
// neighbour's drill, while every pad holds its own drill.
class PadstackPairsTest : public DistanceCheckTest {
  protected:
    int16_t flattened(const std::vector<std::string>& layers) {
        const int16_t geometry = createFlattenGeometry(design, 1);
        for (const std::string& layer : layers) {
            flatten(design, geometry, {.layer = layerNamed(design, layer), .insertType = insert_type::Any});
        }
        return geometry;
    }
};

TEST_F(PadstackPairsTest, APadIsNeverMeasuredAgainstItsOwnDrill) {
    const int16_t geometry = flattened({"PAD_TOP", "DRILL"});

    const auto findings =
        check(context, DistanceCheck2Args{.geomNum1 = geometry, .geomNum2 = geometry, .limits = {45, 35}});

    EXPECT_THAT(findingTexts(findings),
                ElementsAre("J1-1 J1-2 distance 40/45 Marginal", "  distance 40/45 Marginal"));
}

TEST_F(PadstackPairsTest, TwoGeometriesOfOneFileKeepTheRule) {
    const int16_t pads = flattened({"PAD_TOP"});
    const int16_t drills = flattened({"DRILL"});

    const auto findings =
        check(context, DistanceCheck2Args{.geomNum1 = pads, .geomNum2 = drills, .limits = {60, 50}});

    EXPECT_THAT(findingTexts(findings),
                ElementsAre("J1-2 J1-1 distance 55/60 Marginal", "  distance 55/60 Marginal"))
        << "each pin's pad to the other's drill is one pair of pins, reported once";
}

TEST_F(PadstackPairsTest, TopAndBottomPadOfOnePinAreOneObject) {
    const int16_t geometry = flattened({"PAD_TOP", "PAD_BOTTOM"});

    const auto findings =
        check(context, DistanceCheck2Args{.geomNum1 = geometry, .geomNum2 = geometry, .limits = {45, 35}});

    EXPECT_THAT(findingTexts(findings),
                ElementsAre("J1-1 J1-2 distance 40/45 Marginal", "  distance 40/45 Marginal"))
        << "both pads of one pin or via against both of its neighbour's: one pair of objects each";
}

TEST_F(DistanceCheckTest, DiffNetsMeasuresOnlyPairsOnDifferentNets) {
    const int16_t geometry = flatGeometry(design, threePads("N1", "N1", ""));

    const auto findings = check(context, DistanceCheckDiffNetsArgs{.geomNum = geometry, .limits = {25, 15}});

    EXPECT_THAT(findingTexts(findings), ElementsAre("B-1 C-1 distance 20/25 Marginal"));
}

TEST_F(DistanceCheckTest, DiffNetsHonoursCanTouch) {
    const int16_t geometry = flatGeometry(
        design, {flatItem(rectangle(0, 0, 10, 10), "A", "N1"), flatItem(rectangle(10, 0, 20, 10), "B", "")});

    EXPECT_EQ(check(context, DistanceCheckDiffNetsArgs{.geomNum = geometry, .limits = {5, 2}}).size(), 1u);
    EXPECT_THAT(
        check(context, DistanceCheckDiffNetsArgs{.geomNum = geometry, .limits = {5, 2}, .canTouch = true}),
        IsEmpty());
}

class DistanceCheckCallTest : public ::testing::Test {
  protected:
    Design prepared() {
        Design design = tinyBoard();
        geometry = flatGeometry(design, threePads());
        return design;
    }

    int16_t geometry = 0;
    DfmHarness harness{prepared()};
};

TEST_F(DistanceCheckCallTest, AnnouncesEveryMarkerWhileTheCheckRuns) {
    EXPECT_EQ(harness.dfm->Check(DistanceCheck2Args{
                  .geomNum1 = geometry, .geomNum2 = geometry, .limits = {25, 15}, .algName = "Pad To Pad"}),
              rc::Ok);

    EXPECT_THAT(harness.announced, ElementsAre("Critical", "Marginal"));
    ASSERT_EQ(harness.markers().size(), 2u);
    EXPECT_EQ(harness.markers()[0].check, "Pad To Pad");
    EXPECT_EQ(markerText(harness.markers()[0]), "distance 10, required 15: A-1 N1, B-1 N2");
}

TEST_F(DistanceCheckCallTest, StopsAtTheDrcLimitAndReturnsOne) {
    harness.dfm->setMaxErrorsPerTest(1);

    EXPECT_EQ(harness.dfm->Check(DistanceCheck2Args{
                  .geomNum1 = geometry, .geomNum2 = geometry, .limits = {25, 15}, .algName = "Pad To Pad"}),
              rc::TooManyErrors);
    EXPECT_THAT(harness.announced, ElementsAre("Critical"));
}

TEST_F(DistanceCheckCallTest, BadGeometriesAndAlgorithmsFailWithoutMarkers) {
    EXPECT_EQ(harness.dfm->Check(DistanceCheck2Args{
                  .geomNum1 = geometry, .geomNum2 = 999, .limits = {25, 15}, .algName = "x"}),
              rc::ItemNotFound);
    EXPECT_EQ(harness.dfm->Check(DistanceCheck2Args{
                  .geomNum1 = geometry, .geomNum2 = 10, .limits = {25, 15}, .algName = "x"}),
              rc::WrongType)
        << "geometry 10 is the board itself";
    EXPECT_EQ(
        harness.dfm->Check(DistanceCheck2Args{
            .geomNum1 = geometry, .geomNum2 = geometry, .limits = {25, 15}, .algName = "x", .algType = 1}),
        rc::ValueOutOfRange);
    EXPECT_EQ(
        harness.dfm->Check(DistanceCheckDiffNetsArgs{.geomNum = 999, .limits = {25, 15}, .algName = "x"}),
        rc::ItemNotFound);
    EXPECT_THAT(harness.markers(), IsEmpty());
    EXPECT_THAT(harness.announced, IsEmpty());
}

// Geometry made by calls rather than read from a file can hold what no file may; the checks refuse it
// at their one entry instead of measuring it (an infinite coordinate broke the search index).
TEST(NonFiniteGeometryTest, ChecksRefuseItWithoutMarkers) {
    for (const double bad :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        Design design = tinyBoard();
        std::vector<Graphic> pads = threePads();
        pads[1] = flatItem(roundPad(bad, 0, 20), "B-1", "N2");
        const int16_t geometry = flatGeometry(design, pads);
        DfmHarness harness(std::move(design));

        EXPECT_EQ(
            harness.dfm->Check(DistanceCheck2Args{
                .geomNum1 = geometry, .geomNum2 = geometry, .limits = {25, 15}, .algName = "Pad To Pad"}),
            rc::ValueOutOfRange)
            << bad;
        EXPECT_EQ(harness.dfm->Check(DistanceCheckDiffNetsArgs{
                      .geomNum = geometry, .limits = {25, 15}, .algName = "Diff Nets"}),
                  rc::ValueOutOfRange)
            << bad;
        EXPECT_THAT(harness.markers(), IsEmpty());
        EXPECT_THAT(harness.announced, IsEmpty());
    }
}

TEST_F(DistanceCheckCallTest, MarkersWithoutAnAlgorithmNameCarryTheChecksName) {
    harness.dfm->Check(DistanceCheckDiffNetsArgs{.geomNum = geometry, .limits = {25, 15}});
    ASSERT_FALSE(harness.markers().empty());
    EXPECT_EQ(harness.markers()[0].check, "DistanceCheckDiffNets");
}

} // namespace
} // namespace lumora::engine::test
