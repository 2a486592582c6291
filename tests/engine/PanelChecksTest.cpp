#include "engine/checks/CheckFunctions.h"
#include "engine/io/DesignFile.h"
#include "tests/engine/CheckTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A panel 1000 by 2000 (travelling along x: 1000 long, 2000 wide), its outline drawn with a 10 mil pen (the
// centre line counts), rails along the bottom and top, and two flatten geometries of its items: component
// bodies (C4 made of two polygons, C5 on the bottom) and the insertion points of corner marks.
constexpr const char* kPanel = R"({
  "format": "korven-design", "version": 1, "name": "panel", "units": "Mils",
  "layers": [
    {"number": 1, "name": "OUTLINE", "type": "panel-outline"},
    {"number": 2, "name": "BODY", "type": "dfx-outline"}
  ],
  "geometries": [
    {"number": 1, "name": "PANEL", "type": "panel", "data": [
      {"line": [[0, 0], [1000, 0]], "width": 10, "layer": "OUTLINE", "class": "panel-outline"},
      {"line": [[1000, 0], [1000, 2000]], "width": 10, "layer": "OUTLINE", "class": "panel-outline"},
      {"line": [[1000, 2000], [0, 2000]], "width": 10, "layer": "OUTLINE", "class": "panel-outline"},
      {"line": [[0, 2000], [0, 0]], "width": 10, "layer": "OUTLINE", "class": "panel-outline"},
      {"polygon": [[0, 0], [1000, 0], [1000, 100], [0, 100]], "layer": "OUTLINE", "class": "panel-rail"},
      {"polygon": [[0, 1900], [1000, 1900], [1000, 2000], [0, 2000]], "layer": "OUTLINE", "class": "panel-rail"}]},
    {"number": 2, "name": "BODIES", "type": "flatten", "file": 1, "data": [
      {"polygon": [[300, 120], [400, 120], [400, 200], [300, 200]], "layer": "BODY", "origin": {"component": "C1"}},
      {"polygon": [[20, 1000], [80, 1000], [80, 1100], [20, 1100]], "layer": "BODY", "origin": {"component": "C2"}},
      {"polygon": [[400, 900], [600, 900], [600, 1000], [400, 1000]], "layer": "BODY", "origin": {"component": "C3"}},
      {"polygon": [[500, 500], [600, 500], [600, 600], [500, 600]], "layer": "BODY", "origin": {"component": "C4"}},
      {"polygon": [[930, 500], [960, 500], [960, 600], [930, 600]], "layer": "BODY", "origin": {"component": "C4"}},
      {"polygon": [[300, 1950], [400, 1950], [400, 2050], [300, 2050]], "layer": "BODY",
       "origin": {"component": "C5", "surface": "bottom"}}]},
    {"number": 3, "name": "MARKS", "type": "flatten", "file": 1, "data": [
      {"mark": [200, 200], "layer": "BODY", "origin": {"component": "T1"}},
      {"mark": [800, 1800], "layer": "BODY", "origin": {"component": "T2", "surface": "bottom"}},
      {"mark": [50, 1800], "layer": "BODY", "origin": {"component": "T3"}},
      {"mark": [500, 200], "layer": "BODY", "origin": {"component": "T4"}}]}
  ],
  "files": [{"number": 1, "name": "panel.cc", "geometry": "PANEL"}]
})";

constexpr int16_t kBodies = 2;
constexpr int16_t kMarks = 3;

// The rails of kPanel moved to the left and right edges.
Design panelWithSideRails() {
    Design design = parseDesign(kPanel);
    auto& data = design.geometry(1).data;
    std::get<Graphic>(data[4]).shape = Polygon{{{0, 0}, {100, 0}, {100, 2000}, {0, 2000}}};
    std::get<Graphic>(data[5]).shape = Polygon{{{900, 0}, {1000, 0}, {1000, 2000}, {900, 2000}}};
    return design;
}

class PanelChecksTest : public ::testing::Test {
  protected:
    Design design = parseDesign(kPanel);
    CheckContext context{design, "Panel Check"};
};

TEST_F(PanelChecksTest, DimensionsAreThoseOfTheOutlinesCentreLines) {
    EXPECT_THAT(check(context, PanelDimensionsArgs{.filePos = 1, .minWidth = 2000, .minHeight = 1000}),
                IsEmpty());
    EXPECT_THAT(check(context, PanelDimensionsArgs{.filePos = 1, .maxWidth = 2000, .maxHeight = 1000}),
                IsEmpty());
}

// The rails run along x: the panel travels along x, so its length is the 1000 of x.
TEST_F(PanelChecksTest, EachDimensionOutOfRangeIsOneCriticalAtItsEdge) {
    const auto findings = check(
        context,
        PanelDimensionsArgs{.filePos = 1, .minWidth = 2200, .maxWidth = 0, .minHeight = 0, .maxHeight = 900});
    EXPECT_THAT(findingTexts(findings), ElementsAre("width 2000/2200 Critical", "length 1000/900 Critical"));
    EXPECT_THAT(findingPoints(findings), ElementsAre(Point{0, 1000}, Point{500, 0}));
    EXPECT_EQ(findings[0].check, "Panel Check");
}

TEST_F(PanelChecksTest, LengthToWidthRatioIsLengthOverWidth) {
    EXPECT_THAT(check(context, PanelLengthToWidthRatioArgs{.filePos = 1, .minRatio = 0.5}), IsEmpty());
    const auto findings = check(context, PanelLengthToWidthRatioArgs{.filePos = 1, .minRatio = 0.6});
    EXPECT_THAT(findingTexts(findings), ElementsAre("length to width ratio 0.5/0.6 Critical"));
    EXPECT_THAT(findingPoints(findings), ElementsAre(Point{500, 1000}));
}

TEST_F(PanelChecksTest, ClearanceMeasuresEachComponentToTheNearerEdgeOfEachKind) {
    const auto findings = check(
        context, ClearanceToPanelEdgeArgs{.geomNum = kBodies, .minRailEdge = 150, .minNonRailEdge = 200});
    EXPECT_THAT(findingTexts(findings), ElementsAre("C2 leading/trailing edge distance 20/200 Critical",
                                                    "C1 rail edge distance 120/150 Critical",
                                                    "C5 rail edge distance -50/150 Critical",
                                                    "C4 leading/trailing edge distance 40/200 Critical"));
    EXPECT_THAT(findingPoints(findings),
                ElementsAre(Point{20, 1050}, Point{350, 120}, Point{350, 2050}, Point{960, 550}));
}

TEST_F(PanelChecksTest, RailsAlongTheSidesSwapTheEdges) {
    Design sideRails = panelWithSideRails();
    CheckContext sideContext(sideRails, "Panel Check");
    const auto findings = check(
        sideContext, ClearanceToPanelEdgeArgs{.geomNum = kBodies, .minRailEdge = 150, .minNonRailEdge = 200});
    EXPECT_THAT(findingTexts(findings), ElementsAre("C2 rail edge distance 20/150 Critical",
                                                    "C1 leading/trailing edge distance 120/200 Critical",
                                                    "C5 leading/trailing edge distance -50/200 Critical",
                                                    "C4 rail edge distance 40/150 Critical"));
}

TEST_F(PanelChecksTest, ClearanceNeedsAFlattenGeometryAndAnOutline) {
    EXPECT_THROW(check(context, ClearanceToPanelEdgeArgs{.geomNum = 1}), Refusal);
    std::erase_if(design.geometry(1).data, [](const DataItem& item) {
        return std::get<Graphic>(item).graphicClass == graphic_class::PanelOutline;
    });
    try {
        check(context, ClearanceToPanelEdgeArgs{.geomNum = kBodies});
        FAIL() << "a panel without outline was measured";
    } catch (const Refusal& failure) {
        EXPECT_EQ(failure.code(), rc::ItemNotFound);
    }
}

TEST_F(PanelChecksTest, CornersHeldByItemsInsideBothWindows) {
    const ItemsInCornersArgs args{.geomNum = kMarks,
                                  .minRailEdge = 100,
                                  .maxRailEdge = 300,
                                  .minNonRailEdge = 100,
                                  .maxNonRailEdge = 300,
                                  .minCorners = 2};
    EXPECT_THAT(check(context, args), IsEmpty()) << "T1 and T2 hold two corners";

    ItemsInCornersArgs three = args;
    three.minCorners = 3;
    const auto findings = check(context, three);
    EXPECT_THAT(findingTexts(findings),
                ElementsAre("corners with items (top left empty) 2/3 Critical",
                            "corners with items (bottom right empty) 2/3 Critical"));
    EXPECT_THAT(findingPoints(findings), ElementsAre(Point{200, 1800}, Point{800, 200}))
        << "the empty corners, in the middle of their windows";
}

TEST_F(PanelChecksTest, CornerWindowsIncludeTheirLimits) {
    const ItemsInCornersArgs args{.geomNum = kMarks,
                                  .minRailEdge = 200,
                                  .maxRailEdge = 200,
                                  .minNonRailEdge = 50,
                                  .maxNonRailEdge = 200,
                                  .minCorners = 4};
    EXPECT_THAT(findingPoints(check(context, args)), ElementsAre(Point{875, 200}))
        << "T1 (200, 200), T2 and T3 (50 from the left edge) hold the other corners";
}

TEST_F(PanelChecksTest, CornersCountOnlyItemsOfTheGivenSurface) {
    ItemsInCornersArgs args{.geomNum = kMarks,
                            .minRailEdge = 100,
                            .maxRailEdge = 300,
                            .minNonRailEdge = 100,
                            .maxNonRailEdge = 300,
                            .minCorners = 2,
                            .surface = surface::Top};
    EXPECT_THAT(findingPoints(check(context, args)),
                ElementsAre(Point{200, 1800}, Point{800, 200}, Point{800, 1800}));
    args.surface = surface::Bottom;
    EXPECT_THAT(findingPoints(check(context, args)),
                ElementsAre(Point{200, 200}, Point{200, 1800}, Point{800, 200}));
}

TEST_F(PanelChecksTest, CornerArgumentsOutOfRangeFailTheCheck) {
    DfmHarness korven(parseDesign(kPanel));
    ItemsInCornersArgs corners{.geomNum = kMarks,
                               .minRailEdge = 100,
                               .maxRailEdge = 300,
                               .minNonRailEdge = 100,
                               .maxNonRailEdge = 300,
                               .minCorners = 5,
                               .algName = "Corners"};
    EXPECT_EQ(korven.dfm->Check(corners), rc::ValueOutOfRange) << "a panel has four corners";
    corners.minCorners = 2;
    corners.surface = 4;
    EXPECT_EQ(korven.dfm->Check(corners), rc::ValueOutOfRange) << "surfaces are 0 to 3";
    EXPECT_THAT(korven.markers(), IsEmpty());
}

TEST_F(PanelChecksTest, PanelChecksAnswerThroughKorvenDfm) {
    DfmHarness korven(parseDesign(kPanel));
    EXPECT_EQ(korven.dfm->Check(PanelLengthToWidthRatioArgs{
                  .filePos = 1, .minRatio = 2.5, .algName = "Length_To_Width_Ratio"}),
              rc::Ok);
    EXPECT_EQ(korven.dfm->Check(ClearanceToPanelEdgeArgs{.geomNum = kBodies,
                                                         .minRailEdge = 150,
                                                         .minNonRailEdge = 200,
                                                         .algName = "Fiducial Clearance To Panel Edge"}),
              rc::Ok);
    ASSERT_EQ(korven.markers().size(), 5u);
    EXPECT_EQ(korven.markers()[0].check, "Length_To_Width_Ratio");
    EXPECT_EQ(markerText(korven.markers()[1]), "leading/trailing edge distance 20, required 200: C2");
    EXPECT_EQ(korven.markers()[1].check, "Fiducial Clearance To Panel Edge");
    EXPECT_THAT(korven.announced, ElementsAre("Critical", "Critical", "Critical", "Critical", "Critical"));
    EXPECT_EQ(korven.dfm->Check(PanelDimensionsArgs{.filePos = 7, .algName = "Panel Dimensions"}),
              rc::ItemNotFound);
}

// A board 1000 by 500 whose outline is one polygon, and the pin extents of three gold-finger
// connectors: P1 on the edge, P2 20 inside, P3 with top extents 5 inside and bottom ones 8 inside.
constexpr const char* kFingers = R"({
  "format": "korven-design", "version": 1, "name": "fingers", "units": "Mils",
  "layers": [
    {"number": 1, "name": "OUTLINE", "type": "board-outline"},
    {"number": 2, "name": "EXTENTS", "type": "dfx-outline"}
  ],
  "geometries": [
    {"number": 1, "name": "BOARD", "type": "board", "thickness": 62, "data": [
      {"polygon": [[0, 0], [1000, 0], [1000, 500], [0, 500]], "layer": "OUTLINE", "class": "board-outline"}]},
    {"number": 2, "name": "FINGERS", "type": "flatten", "file": 1, "data": [
      {"polygon": [[100, 0], [300, 0], [300, 50], [100, 50]], "layer": "EXTENTS", "origin": {"component": "P1"}},
      {"polygon": [[500, 20], [700, 20], [700, 70], [500, 70]], "layer": "EXTENTS", "origin": {"component": "P2"}},
      {"polygon": [[800, 5], [900, 5], [900, 50], [800, 50]], "layer": "EXTENTS", "origin": {"component": "P3"}},
      {"polygon": [[800, 8], [900, 8], [900, 50], [800, 50]], "layer": "EXTENTS",
       "origin": {"component": "P3", "surface": "bottom"}}]}
  ],
  "files": [{"number": 1, "name": "fingers.cc", "geometry": "BOARD"}]
})";

TEST(ComponentFlushWithOutlineTest, MeasuresEachComponentToTheOutlinesBorder) {
    Design design = parseDesign(kFingers);
    CheckContext context(design, "Goldfinger Flush With Board Outline");
    const auto findings = check(context, ComponentFlushWithOutlineArgs{.geomNum = 2, .maxDistance = 10});
    EXPECT_THAT(findingTexts(findings), ElementsAre("P2 distance to outline 20/10 Critical"))
        << "P3 is flush by its nearer extents";
    EXPECT_THAT(findingPoints(findings), ElementsAre(Point{600, 45}));
    EXPECT_THAT(findingTexts(check(context, ComponentFlushWithOutlineArgs{.geomNum = 2})),
                ElementsAre("P2 distance to outline 20/0 Critical", "P3 distance to outline 5/0 Critical"));
}

} // namespace
} // namespace lumora::engine::test
