#include "engine/checks/CheckFunctions.h"
#include "engine/io/DesignFile.h"
#include "tests/engine/CheckTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A 62 mil board with vias: V1 (12 drill, pads 24 top / 30 bottom), V2 (20 drill, pads 24 / 40),
// V3 a 4 mil laser via with a top pad only, V4 (14 drill, a 20 by 36 top pad, no bottom pad) turned
// by 90 degrees, V5 like V1 but mirrored, V6 like V1 at twice the size; a 10 mil unplated tooling
// hole and connector J1 whose pin 1 is drilled 10. The panel places the board twice.
constexpr const char* kVias = R"({
  "format": "korven-design", "version": 1, "name": "vias", "units": "Mils",
  "layers": [
    {"number": 1, "name": "TOP", "type": "signal", "electrical": 1},
    {"number": 2, "name": "BOTTOM", "type": "signal", "electrical": 2},
    {"number": 3, "name": "PAD_TOP", "type": "pad-top", "mirror": "PAD_BOTTOM"},
    {"number": 4, "name": "PAD_BOTTOM", "type": "pad-bottom"},
    {"number": 5, "name": "PAD_INNER", "type": "pad-inner"},
    {"number": 6, "name": "OUTLINE", "type": "board-outline"}
  ],
  "geometries": [
    {"number": 1, "name": "VIA12", "type": "padstack", "hole": {"size": 12}, "data": [
      {"pad": "round", "size": 24, "layer": "PAD_TOP"},
      {"pad": "round", "size": 50, "layer": "PAD_INNER"},
      {"pad": "round", "size": 30, "layer": "PAD_BOTTOM"}]},
    {"number": 2, "name": "VIA20", "type": "padstack", "hole": {"size": 20}, "data": [
      {"pad": "round", "size": 24, "layer": "PAD_TOP"},
      {"pad": "round", "size": 40, "layer": "PAD_BOTTOM"}]},
    {"number": 3, "name": "LASER", "type": "padstack", "hole": {"size": 4}, "data": [
      {"pad": "round", "size": 10, "layer": "PAD_TOP"}]},
    {"number": 4, "name": "VIA14_RECT", "type": "padstack", "hole": {"size": 14}, "data": [
      {"pad": "rectangle", "size": [20, 36], "layer": "PAD_TOP"}]},
    {"number": 5, "name": "TOOL", "type": "padstack", "hole": {"size": 10, "plated": false}, "data": []},
    {"number": 6, "name": "PIN10", "type": "padstack", "hole": {"size": 10}, "data": [
      {"pad": "round", "size": 30, "layer": "PAD_TOP"}]},
    {"number": 7, "name": "CONN", "type": "component", "data": [
      {"insert": "pin", "geometry": "PIN10", "ref": "1"}]},
    {"number": 10, "name": "BOARD", "type": "board", "thickness": 62, "data": [
      {"insert": "via", "geometry": "VIA12", "at": [100, 100], "ref": "V1", "net": "A"},
      {"insert": "via", "geometry": "VIA20", "at": [200, 100], "ref": "V2", "net": "B"},
      {"insert": "via", "geometry": "LASER", "at": [300, 100], "ref": "V3"},
      {"insert": "via", "geometry": "VIA14_RECT", "at": [400, 100], "rotation": 90, "ref": "V4"},
      {"insert": "via", "geometry": "VIA12", "at": [500, 100], "mirror": true, "ref": "V5"},
      {"insert": "via", "geometry": "VIA12", "at": [600, 100], "scale": 2, "ref": "V6"},
      {"insert": "tooling-hole", "geometry": "TOOL", "at": [700, 100], "ref": "T1"},
      {"insert": "component", "geometry": "CONN", "at": [800, 100], "ref": "J1", "pinNets": {"1": "C"}},
      {"polygon": [[0, 0], [1000, 0], [1000, 200], [0, 200]], "layer": "OUTLINE", "class": "board-outline"}]},
    {"number": 11, "name": "PANEL", "type": "panel", "data": [
      {"insert": "board", "geometry": "BOARD", "at": [0, 0], "ref": "B1"},
      {"insert": "board", "geometry": "BOARD", "at": [0, 300], "ref": "B2"}]}
  ],
  "files": [{"number": 1, "name": "vias.cc", "geometry": "BOARD"},
            {"number": 2, "name": "panel.cc", "geometry": "PANEL"}]
})";

class ViaChecksTest : public ::testing::Test {
  protected:
    Design design = parseDesign(kVias);
    CheckContext context{design, "Via Check"};
};

TEST_F(ViaChecksTest, HoleSizeOutOfRangeIsCriticalAndLaserViasAreIgnored) {
    const auto findings =
        check(context, ViaHoleSizeArgs{.filePos = 1, .minSize = 13, .maxSize = 18, .ignoreHoleSize = 8});
    EXPECT_THAT(findingTexts(findings),
                ElementsAre("V1 hole size 12/13 Critical", "V2 hole size 20/18 Critical",
                            "V5 hole size 12/13 Critical", "V6 hole size 24/18 Critical"));
    EXPECT_EQ(findings[1].items[0].net, "B");
    EXPECT_THAT(findingPoints(findings),
                ElementsAre(Point{100, 100}, Point{200, 100}, Point{500, 100}, Point{600, 100}));
}

TEST_F(ViaChecksTest, HoleSizeWithoutMaximumOrIgnoreLimit) {
    EXPECT_THAT(findingTexts(check(context, ViaHoleSizeArgs{.filePos = 1, .minSize = 5})),
                ElementsAre("V3 hole size 4/5 Critical"));
}

TEST_F(ViaChecksTest, PadSizeMeasuresEachSideOfTheBoardAcrossThePadsOwnAxes) {
    const auto findings = check(context, ViaPadSizeArgs{.filePos = 1,
                                                        .topMinSize = 22,
                                                        .topMaxSize = 28,
                                                        .bottomMinSize = 28,
                                                        .bottomMaxSize = 35,
                                                        .ignoreHoleSize = 8});
    EXPECT_THAT(findingTexts(findings),
                ElementsAre("V2 bottom pad size 40/35 Critical", "V4 top pad size 20/22 Critical",
                            "V5 bottom pad size 24/28 Critical", "V5 top pad size 30/28 Critical",
                            "V6 bottom pad size 60/35 Critical", "V6 top pad size 48/28 Critical"))
        << "V4's narrow side counts whatever its rotation, and it has no bottom pad; V5 is mirrored";
}

TEST_F(ViaChecksTest, WideSideOfAPadCountsAgainstTheMaximum) {
    const auto findings = check(
        context, ViaPadSizeArgs{.filePos = 1, .topMinSize = 10, .topMaxSize = 30, .ignoreHoleSize = 13});
    EXPECT_THAT(findingTexts(findings),
                ElementsAre("V4 top pad size 36/30 Critical", "V6 top pad size 48/30 Critical"))
        << "a bottom without limits is not measured";
}

TEST_F(ViaChecksTest, ViasOfEveryBoardOfAPanelAreNamedByBoard) {
    const auto findings = check(context, ViaHoleSizeArgs{.filePos = 2, .maxSize = 18, .ignoreHoleSize = 8});
    EXPECT_THAT(findingTexts(findings),
                ElementsAre("B1/V2 hole size 20/18 Critical", "B2/V2 hole size 20/18 Critical",
                            "B1/V6 hole size 24/18 Critical", "B2/V6 hole size 24/18 Critical"));
    EXPECT_THAT(findingPoints(findings),
                ElementsAre(Point{200, 100}, Point{200, 400}, Point{600, 100}, Point{600, 400}));
}

TEST_F(ViaChecksTest, ThicknessToDrillRatioOfEveryPlatedHole) {
    const auto findings = check(context, BoardThicknessToDrillDiameterArgs{.filePos = 1, .maxRatio = 5});
    EXPECT_THAT(findingTexts(findings), ElementsAre("V1 thickness to drill ratio 5.166666667/5 Critical",
                                                    "V3 thickness to drill ratio 15.5/5 Critical",
                                                    "V5 thickness to drill ratio 5.166666667/5 Critical",
                                                    "J1-1 thickness to drill ratio 6.2/5 Critical"))
        << "the unplated tooling hole T1 and the doubled V6 stay below";
    EXPECT_EQ(findings.back().items[0].net, "C");
    EXPECT_THAT(check(context, BoardThicknessToDrillDiameterArgs{.filePos = 1}), IsEmpty());
}

TEST_F(ViaChecksTest, ThicknessOfEachBoardOfAPanel) {
    EXPECT_EQ(check(context, BoardThicknessToDrillDiameterArgs{.filePos = 2, .maxRatio = 6}).size(), 4u)
        << "V3 and J1-1 on both boards";
}

TEST_F(ViaChecksTest, ViaChecksAnswerThroughKorvenDfm) {
    design.geometry(10).thickness = 0;
    DfmHarness korven(design);
    EXPECT_EQ(
        korven.dfm->Check(ViaHoleSizeArgs{
            .filePos = 1, .minSize = 13, .maxSize = 18, .ignoreHoleSize = 8, .algName = "Via Hole Size"}),
        rc::Ok);
    EXPECT_THAT(korven.announced, ElementsAre("Critical", "Critical", "Critical", "Critical"));
    EXPECT_EQ(markerText(korven.markers()[0]), "hole size 12, required 13: V1 A");
    EXPECT_EQ(korven.markers()[0].check, "Via Hole Size");
    EXPECT_EQ(korven.dfm->Check(
                  BoardThicknessToDrillDiameterArgs{.filePos = 1, .maxRatio = 5, .algName = "Thickness"}),
              rc::DfmTestFailed)
        << "a board without thickness cannot be measured";
    EXPECT_EQ(korven.markers().size(), 4u);
}

} // namespace
} // namespace lumora::engine::test
