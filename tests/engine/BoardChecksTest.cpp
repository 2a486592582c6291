#include "engine/checks/CheckFunctions.h"
#include "engine/io/DesignFile.h"
#include "engine/ops/DfxOutlines.h"
#include "tests/engine/CheckTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora::engine::test {

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Thru-hole connectors on a three-layer board whose middle layer is a GND plane. Square pads keep
// the rings exact: TH rings 15 on both sides with mask openings wider than the pads; SMALL rings 5
// on top with an opening of 36 (3 of exposed ring) and none below; RELIEF is TH with a thermal pad on
// the plane; NPTH is unplated. J2 is J1 mirrored, so its SMALL pin has the small pad below.
constexpr const char* kConnectors = R"({
  "format": "korven-design", "version": 1, "name": "connectors", "units": "Mils",
  "layers": [
    {"number": 1, "name": "TOP", "type": "signal", "electrical": 1, "physical": 1, "artwork": 1},
    {"number": 2, "name": "GND_PLANE", "type": "plane", "electrical": 2, "physical": 2, "artwork": 2},
    {"number": 3, "name": "BOTTOM", "type": "signal", "electrical": 3, "physical": 3, "artwork": 3},
    {"number": 4, "name": "PAD_TOP", "type": "pad-top", "mirror": "PAD_BOTTOM"},
    {"number": 5, "name": "PAD_BOTTOM", "type": "pad-bottom"},
    {"number": 6, "name": "SMT", "type": "soldermask-top", "mirror": "SMB"},
    {"number": 7, "name": "SMB", "type": "soldermask-bottom"},
    {"number": 8, "name": "OUTLINE", "type": "board-outline"},
    {"number": 9, "name": "BODY_TOP", "type": "body-top", "mirror": "BODY_BOTTOM"},
    {"number": 10, "name": "BODY_BOTTOM", "type": "body-bottom"},
    {"number": 11, "name": "SIG_PLANE", "type": "split-plane", "attributes": {"NETNAME": "SIG"}}
  ],
  "geometries": [
    {"number": 1, "name": "TH", "type": "padstack", "hole": {"size": 30}, "data": [
      {"pad": "square", "size": 60, "layer": "PAD_TOP"}, {"pad": "square", "size": 60, "layer": "PAD_BOTTOM"},
      {"pad": "square", "size": 70, "layer": "SMT"}, {"pad": "square", "size": 70, "layer": "SMB"}]},
    {"number": 2, "name": "SMALL", "type": "padstack", "hole": {"size": 30}, "data": [
      {"pad": "square", "size": 40, "layer": "PAD_TOP"}, {"pad": "square", "size": 60, "layer": "PAD_BOTTOM"},
      {"pad": "square", "size": 36, "layer": "SMT"}]},
    {"number": 3, "name": "RELIEF", "type": "padstack", "hole": {"size": 30}, "data": [
      {"pad": "square", "size": 60, "layer": "PAD_TOP"}, {"pad": "square", "size": 60, "layer": "PAD_BOTTOM"},
      {"pad": "square", "size": 70, "layer": "SMT"}, {"pad": "square", "size": 70, "layer": "SMB"},
      {"pad": "thermal", "size": 70, "inner": 40, "spokes": 4, "spokeWidth": 10, "layer": "GND_PLANE"}]},
    {"number": 4, "name": "NPTH", "type": "padstack", "hole": {"size": 30, "plated": false}, "data": []},
    {"number": 5, "name": "CONN", "type": "component", "data": [
      {"insert": "pin", "geometry": "TH", "at": [0, 0], "ref": "1"},
      {"insert": "pin", "geometry": "SMALL", "at": [100, 0], "ref": "2"},
      {"insert": "pin", "geometry": "NPTH", "at": [200, 0], "ref": "3"},
      {"insert": "pin", "geometry": "RELIEF", "at": [300, 0], "ref": "4"},
      {"polygon": [[-50, -50], [350, -50], [350, 50], [-50, 50]], "layer": "BODY_TOP"}]},
    {"number": 6, "name": "BOARD", "type": "board", "thickness": 62, "data": [
      {"insert": "component", "geometry": "CONN", "at": [1000, 1000], "ref": "J1",
       "pinNets": {"1": "GND", "2": "SIG", "3": "GND", "4": "GND"}},
      {"insert": "component", "geometry": "CONN", "at": [2000, 1000], "mirror": true, "ref": "J2",
       "pinNets": {"1": "VCC", "2": "GND", "3": "GND", "4": "GND"}},
      {"polygon": [[0, 0], [1500, 0], [1500, 2000], [0, 2000]], "layer": "GND_PLANE", "net": "GND"},
      {"polygon": [[0, 0], [3000, 0], [3000, 2000], [0, 2000]], "layer": "OUTLINE", "class": "board-outline"}]}
  ],
  "files": [{"number": 1, "name": "connectors.cc", "geometry": "BOARD"}]
})";

class BoardCheckTest : public ::testing::Test {
  protected:
    Design design = parseDesign(kConnectors);
    CheckContext context{design, "Board Check"};
};

TEST_F(BoardCheckTest, AnnularRingsOfPadsAndOfTheCopperTheMaskLeavesOpen) {
    const auto findings =
        check(context, AnnularRingArgs{.filePos = 1, .padTop = 10, .padBottom = 10, .soldTop = 4});

    EXPECT_THAT(findingTexts(findings), ElementsAre("J1-2 pad annular ring top 5/10 Critical",
                                                    "J1-2 soldermask annular ring top 3/4 Critical",
                                                    "J2-2 pad annular ring bottom 5/10 Critical",
                                                    "J2-2 soldermask annular ring top -15/4 Critical"))
        << "J2-2's mask opening went below with its small pad: nothing on top is open";
    EXPECT_THAT(findingPoints(findings),
                ElementsAre(Point{1100, 1000}, Point{1100, 1000}, Point{1900, 1000}, Point{1900, 1000}));
    EXPECT_EQ(findings[0].items[0].net, "SIG");
}

TEST_F(BoardCheckTest, AnnularRingMinimaOfZeroAreNotChecked) {
    EXPECT_THAT(check(context, AnnularRingArgs{.filePos = 1}), IsEmpty());
}

TEST_F(BoardCheckTest, AnnularRingOfAScaledPinScalesWithIt) {
    auto& j1 = std::get<Insert>(design.geometry(6).data[0]);
    j1.scale = 2; // the ring of its SMALL pin becomes 10
    const auto findings = check(context, AnnularRingArgs{.filePos = 1, .padTop = 10, .padBottom = 10});
    EXPECT_THAT(findingTexts(findings), ElementsAre("J2-2 pad annular ring bottom 5/10 Critical"));
}

TEST_F(BoardCheckTest, PlaneTiesWithoutThermalReliefPlugTheBarrel) {
    const auto findings = check(context, GerberThermalBarrelPlugCheckArgs{.filePos = 1});

    // J1-1 GND on the GND plane, J1-2 SIG on the SIG plane; J1-4 has a thermal pad, J1-3 no plating,
    // J2 lies beyond the GND plane's polygon.
    EXPECT_THAT(findingTexts(findings), ElementsAre("J1-1 plane ties without thermal relief 1/0 Critical",
                                                    "J1-2 plane ties without thermal relief 1/0 Critical"));
}

TEST_F(BoardCheckTest, PlaneDrawnInPiecesTiesPinsOnTheirJoinsAndInEachPiece) {
    auto& board = design.geometry(6).data;
    auto& plane = std::get<Polygon>(std::get<Graphic>(board[2]).shape);
    plane.outline = {{0, 0}, {1000, 0}, {1000, 2000}, {0, 2000}}; // J1-1 on the join with the next piece
    for (const Ring& piece : {Ring{{1000, 0}, {1500, 0}, {1500, 2000}, {1000, 2000}},
                              Ring{{1850, 950}, {1950, 950}, {1950, 1050}, {1850, 1050}}}) { // J2-2
        board.emplace_back(Graphic{.shape = Polygon{piece, {}}, .layer = 2, .net = "GND"});
    }

    EXPECT_THAT(findingTexts(check(context, GerberThermalBarrelPlugCheckArgs{.filePos = 1})),
                ElementsAre("J1-1 plane ties without thermal relief 1/0 Critical",
                            "J1-2 plane ties without thermal relief 1/0 Critical",
                            "J2-2 plane ties without thermal relief 1/0 Critical"));
}

TEST_F(BoardCheckTest, ComponentShadowGapsPerSideOnOneSurface) {
    generateDfxOutlines(design);
    auto& board = design.geometry(6).data;
    // J3 70 right of J1's body, J4 40 above it; J5 on the bottom 20 below it.
    board.emplace_back(
        Insert{.insertType = insert_type::Component, .geometry = 5, .at = {1470, 1000}, .refName = "J3"});
    board.emplace_back(
        Insert{.insertType = insert_type::Component, .geometry = 5, .at = {1000, 1140}, .refName = "J4"});
    board.emplace_back(Insert{.insertType = insert_type::Component,
                              .geometry = 5,
                              .mirror = true,
                              .at = {1000, 880},
                              .refName = "J5"});

    const auto findings =
        check(context,
              ComponentShadowArgs{.left = {50, 20}, .right = {80, 60}, .top = {45, 30}, .bottom = {100, 90}});

    EXPECT_THAT(findingTexts(findings),
                ElementsAre("J1 J4 gap top 40/45 Marginal", "J4 J1 gap bottom 40/90 Critical",
                            "J1 J3 gap right 70/80 Marginal"))
        << "the gap left of J3 is wide enough for the left limits";
}

TEST_F(BoardCheckTest, ComponentShadowWithoutBodyOutlinesFindsNothing) {
    EXPECT_THAT(check(context, ComponentShadowArgs{.left = {50, 20}, .right = {80, 60}}), IsEmpty());
}

// Testpoints on a 1000 square board: three in the lower left grid square of 500, two in the lower
// right, one on the corner of the upper right square.
constexpr const char* kTestpoints = R"({
  "format": "korven-design", "version": 1, "name": "density", "units": "Mils",
  "layers": [{"number": 1, "name": "PAD_TOP", "type": "pad-top"},
             {"number": 2, "name": "OUTLINE", "type": "board-outline"}],
  "geometries": [
    {"number": 1, "name": "TP", "type": "padstack", "data": [{"pad": "round", "size": 30, "layer": "PAD_TOP"}]},
    {"number": 2, "name": "BOARD", "type": "board", "data": [
      {"insert": "testpoint", "geometry": "TP", "at": [100, 100], "ref": "TP1", "net": "A"},
      {"insert": "testpoint", "geometry": "TP", "at": [200, 200], "ref": "TP2", "net": "B"},
      {"insert": "via", "geometry": "TP", "at": [300, 300], "net": "C", "attributes": {"TEST": ""}},
      {"insert": "via", "geometry": "TP", "at": [400, 400], "net": "D"},
      {"insert": "testpoint", "geometry": "TP", "at": [600, 100], "ref": "TP4", "net": "E"},
      {"insert": "testpoint", "geometry": "TP", "at": [700, 100], "ref": "TP5", "net": "F"},
      {"insert": "testpoint", "geometry": "TP", "at": [500, 500], "ref": "TP6", "net": "G"},
      {"polygon": [[0, 0], [1000, 0], [1000, 1000], [0, 1000]], "layer": "OUTLINE", "class": "board-outline"}]}
  ],
  "files": [{"number": 1, "name": "density.cc", "geometry": "BOARD"}]
})";

// "TP_DENSITY" of every data item of the board, "-" for none.
std::vector<std::string> densitiesOf(const Design& design) {
    std::vector<std::string> densities;
    for (const DataItem& item : design.geometry(2).data) {
        const auto* insert = std::get_if<Insert>(&item);
        const std::string* density = insert ? insert->attributes.find("TP_DENSITY") : nullptr;
        densities.push_back(density ? *density : "-");
    }
    return densities;
}

class TestPadDensityTest : public ::testing::Test {
  protected:
    Design design = parseDesign(kTestpoints);
    CheckContext context{design, "TestPadDensityCheck"};
};

TEST_F(TestPadDensityTest, SquaresWithMoreTestpointsThanTheLimits) {
    const auto findings =
        check(context, TestPadDensityCheckArgs{.filePos = 1, .marginal = 1, .critical = 2, .gridSize = 500});

    EXPECT_THAT(findingTexts(findings), ElementsAre("TP1 TP2  testpoints in square 3/2 Critical",
                                                    "TP4 TP5 testpoints in square 2/1 Marginal"))
        << "the via with TEST counts (it has no reference), the one without does not";
    EXPECT_THAT(findingPoints(findings), ElementsAre(Point{250, 250}, Point{750, 250}));
    EXPECT_THAT(densitiesOf(design), ::testing::Each("-")) << "no attribute unless asked for";
}

TEST_F(TestPadDensityTest, ALimitOfZeroIsNoLimit) {
    EXPECT_THAT(check(context, TestPadDensityCheckArgs{.filePos = 1, .gridSize = 500}), IsEmpty());
}

TEST_F(TestPadDensityTest, WritesTheCountOfTheSquareOnEveryTestpointWhenAsked) {
    check(context, TestPadDensityCheckArgs{.filePos = 1, .gridSize = 500, .addTPDensityAttrib = true});

    EXPECT_THAT(densitiesOf(design), ElementsAre("3", "3", "3", "-", "2", "2", "1", "-"));
}

TEST(TestPadDensityCallTest, RefusesNegativeCountsAndEmptySquares) {
    DfmHarness harness(parseDesign(kTestpoints));
    EXPECT_EQ(harness.dfm->Check(
                  TestPadDensityCheckArgs{.filePos = 1, .marginal = -3, .critical = 2, .gridSize = 500}),
              rc::ValueOutOfRange);
    EXPECT_EQ(harness.dfm->Check(TestPadDensityCheckArgs{.filePos = 1, .marginal = 1, .critical = 2}),
              rc::ValueOutOfRange);
    EXPECT_EQ(harness.dfm->Check(
                  TestPadDensityCheckArgs{.filePos = 7, .marginal = 1, .critical = 2, .gridSize = 500}),
              rc::ItemNotFound);
    EXPECT_THAT(harness.markers(), IsEmpty());
}

} // namespace
} // namespace lumora::engine::test
