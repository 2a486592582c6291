#include "engine/checks/CheckFunctions.h"
#include "engine/io/DesignFile.h"
#include "tests/engine/CheckTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Thru-hole connectors (CONN: square pin 1, round pins 2 and 3; CONN_BAD: round pin 1, square pin 2,
// each round on the bottom), two-pin chips and a pinless bracket M1, on both sides of a board:
// U1 0, U2 90, U3 (CONN_BAD) 0 degrees on top, U4 mirrored; chips R1, R2 at 0 and R3 at 180 on
// top, R4 at 90, R5 at 45 and R6 at 180 mirrored.
constexpr const char* kComponents = R"({
  "format": "korven-design", "version": 1, "name": "components", "units": "Mils",
  "layers": [
    {"number": 1, "name": "PAD_TOP", "type": "pad-top", "mirror": "PAD_BOTTOM"},
    {"number": 2, "name": "PAD_BOTTOM", "type": "pad-bottom"},
    {"number": 3, "name": "BODY_TOP", "type": "body-top"}
  ],
  "geometries": [
    {"number": 1, "name": "SMD", "type": "padstack", "data": [
      {"pad": "rectangle", "size": [20, 40], "layer": "PAD_TOP"}]},
    {"number": 2, "name": "TH_ROUND", "type": "padstack", "hole": {"size": 30}, "data": [
      {"pad": "round", "size": 60, "layer": "PAD_TOP"},
      {"pad": "round", "size": 60, "layer": "PAD_BOTTOM"}]},
    {"number": 3, "name": "TH_SQUARE", "type": "padstack", "hole": {"size": 30}, "data": [
      {"pad": "square", "size": 60, "layer": "PAD_TOP"},
      {"pad": "round", "size": 60, "layer": "PAD_BOTTOM"}]},
    {"number": 4, "name": "CONN", "type": "component", "data": [
      {"insert": "pin", "geometry": "TH_SQUARE", "at": [0, 0], "ref": "1"},
      {"insert": "pin", "geometry": "TH_ROUND", "at": [100, 0], "ref": "2"},
      {"insert": "pin", "geometry": "TH_ROUND", "at": [200, 0], "ref": "3"}]},
    {"number": 5, "name": "CONN_BAD", "type": "component", "data": [
      {"insert": "pin", "geometry": "TH_ROUND", "at": [0, 0], "ref": "1"},
      {"insert": "pin", "geometry": "TH_SQUARE", "at": [100, 0], "ref": "2"}]},
    {"number": 6, "name": "CHIP", "type": "component", "data": [
      {"insert": "pin", "geometry": "SMD", "at": [-50, 0], "ref": "1"},
      {"insert": "pin", "geometry": "SMD", "at": [50, 0], "ref": "2"}]},
    {"number": 7, "name": "MECH", "type": "component", "data": [
      {"polygon": [[0, 0], [50, 0], [50, 50], [0, 50]], "layer": "BODY_TOP"}]},
    {"number": 10, "name": "BOARD", "type": "board", "thickness": 62, "data": [
      {"insert": "component", "geometry": "CONN", "at": [100, 100], "ref": "U1", "pinNets": {"1": "VCC"},
       "attributes": {"COMPHEIGHT": "300", "PACKAGE_FAMILY": "HDR"}},
      {"insert": "component", "geometry": "CONN", "at": [400, 100], "rotation": 90, "ref": "U2",
       "attributes": {"COMPHEIGHT": "450", "PACKAGE_FAMILY": "HDR"}},
      {"insert": "component", "geometry": "CONN_BAD", "at": [700, 100], "ref": "U3",
       "attributes": {"COMPHEIGHT": "150,5"}},
      {"insert": "component", "geometry": "CONN", "at": [1000, 100], "mirror": true, "ref": "U4",
       "attributes": {"COMPHEIGHT": "120", "PACKAGE_FAMILY": "HDR"}},
      {"insert": "component", "geometry": "CHIP", "at": [100, 500], "ref": "R1",
       "attributes": {"PACKAGE_FAMILY": "R0603", "VOLTAGE": "2.5"}},
      {"insert": "component", "geometry": "CHIP", "at": [300, 500], "ref": "R2",
       "attributes": {"PACKAGE_FAMILY": "R0603"}},
      {"insert": "component", "geometry": "CHIP", "at": [500, 500], "rotation": 180, "ref": "R3",
       "attributes": {"PACKAGE_FAMILY": "R0603"}},
      {"insert": "component", "geometry": "CHIP", "at": [700, 500], "rotation": 90, "mirror": true, "ref": "R4",
       "attributes": {"PACKAGE_FAMILY": "R0603"}},
      {"insert": "component", "geometry": "CHIP", "at": [900, 500], "rotation": 45, "mirror": true, "ref": "R5",
       "attributes": {"PACKAGE_FAMILY": "R0402"}},
      {"insert": "component", "geometry": "CHIP", "at": [1100, 500], "rotation": 180, "mirror": true, "ref": "R6",
       "attributes": {"PACKAGE_FAMILY": "R0603", "VOLTAGE": "5"}},
      {"insert": "component", "geometry": "MECH", "at": [100, 800], "ref": "M1",
       "attributes": {"COMPHEIGHT": "500", "PACKAGE_FAMILY": "BRACKET"}}]}
  ],
  "files": [{"number": 1, "name": "components.cc", "geometry": "BOARD"}]
})";

class ComponentChecksTest : public ::testing::Test {
  protected:
    Design design = parseDesign(kComponents);
    CheckContext context{design, "Component Check"};
};

TEST_F(ComponentChecksTest, PadShapesOfDrilledPinsOnEachSideOfTheBoard) {
    const auto findings = check(context, ThruHolePadShapesArgs{.filePos = 1,
                                                               .topAll = pad_shape::Round,
                                                               .bottomAll = pad_shape::Round,
                                                               .topOne = pad_shape::Square,
                                                               .bottomOne = pad_shape::Round});
    EXPECT_THAT(findingTexts(findings),
                ElementsAre("U3-1 top pad shape 1/2 Critical", "U3-2 top pad shape 2/1 Critical",
                            "U4-1 bottom pad shape 2/1 Critical", "U4-1 top pad shape 1/2 Critical"))
        << "U4 is mirrored: its square pad is on the bottom; surface-mount chips are not measured";
    EXPECT_THAT(findingPoints(findings),
                ElementsAre(Point{700, 100}, Point{800, 100}, Point{1000, 100}, Point{1000, 100}));
}

// Pad shapes read as numbers in every marker ("top pad shape 1, required 2").
TEST_F(ComponentChecksTest, PadShapesReadAsWordsInTheMarker) {
    DfmHarness korven(design);
    ASSERT_EQ(korven.dfm->Check(ThruHolePadShapesArgs{.filePos = 1, .topOne = pad_shape::Square}), rc::Ok);
    EXPECT_EQ(markerText(korven.markers()[0]), "top pad shape round, required square: U3-1");
    EXPECT_EQ(valueWord("bottom pad shape", 0), "no pad");
    EXPECT_EQ(valueWord("distance", 2), std::nullopt);
}

TEST_F(ComponentChecksTest, ShapeCodeZeroAcceptsAnyShape) {
    const auto findings = check(context, ThruHolePadShapesArgs{.filePos = 1, .topOne = pad_shape::Square});
    EXPECT_THAT(findingTexts(findings),
                ElementsAre("U3-1 top pad shape 1/2 Critical", "U4-1 top pad shape 1/2 Critical"));
}

TEST_F(ComponentChecksTest, TopThruHoleComponentsTurnedOffTheAllowedRotations) {
    EXPECT_THAT(
        findingTexts(
            check(context, AllowableComponentOrientationArgs{.filePos = 1, .top = true, .horizontal = true})),
        ElementsAre("U2 rotation 90/0 Critical"))
        << "chips, the pinless bracket and the bottom connector U4 are not looked at";
    EXPECT_THAT(findingTexts(check(context, AllowableComponentOrientationArgs{.filePos = 1, .top = true})),
                ElementsAre("U1 rotation 0/90 Critical", "U3 rotation 0/90 Critical"));
}

TEST_F(ComponentChecksTest, BottomSurfaceMountComponentsTurnedOffTheAllowedRotations) {
    const auto findings = check(context, AllowableComponentOrientationArgs{.filePos = 1, .horizontal = true});
    EXPECT_THAT(findingTexts(findings), ElementsAre("R4 rotation 90/0 Critical", "R5 rotation 45/0 Critical"))
        << "R6 at 180 is horizontal too";
    EXPECT_THAT(
        findingTexts(check(
            context, AllowableComponentOrientationArgs{.filePos = 1, .top = false, .horizontal = false})),
        ElementsAre("R5 rotation 45/90 Critical", "R6 rotation 180/90 Critical"));
}

TEST_F(ComponentChecksTest, PinOneFollowsTheRotationMostOfAGeometrysComponentsShare) {
    const auto findings = check(
        context,
        Pin1OrientationArgs{
            .filePos = 1, .top = true, .bottom = true, .thruHole = false, .smd = true, .ignoreCount = 3});
    EXPECT_THAT(findingTexts(findings),
                ElementsAre("R3 rotation 180/0 Critical", "R4 rotation 90/45 Critical",
                            "R6 rotation 180/45 Critical"))
        << "top chips: two at 0 outvote R3; bottom chips: all differ, the smallest rotation wins";
    EXPECT_EQ(findings.front().at, (Point{550, 500})) << "R3's pin 1, turned to the right";
}

TEST_F(ComponentChecksTest, PinOneIgnoresGeometriesWithFewerInsertsAndUnchosenKindsOrSides) {
    EXPECT_THAT(
        check(
            context,
            Pin1OrientationArgs{
                .filePos = 1, .top = true, .bottom = true, .thruHole = false, .smd = true, .ignoreCount = 4}),
        IsEmpty());
    EXPECT_THAT(findingTexts(check(context, Pin1OrientationArgs{.filePos = 1,
                                                                .top = true,
                                                                .bottom = true,
                                                                .thruHole = true,
                                                                .smd = false,
                                                                .ignoreCount = 2})),
                ElementsAre("U2 rotation 90/0 Critical"));
    EXPECT_THAT(findingTexts(check(context, Pin1OrientationArgs{.filePos = 1,
                                                                .top = true,
                                                                .bottom = false,
                                                                .thruHole = true,
                                                                .smd = true,
                                                                .ignoreCount = 0})),
                ElementsAre("U2 rotation 90/0 Critical", "R3 rotation 180/0 Critical"));
}

TEST_F(ComponentChecksTest, ComponentsNotAllowedOnTheChosenSides) {
    EXPECT_THAT(
        findingTexts(check(context, ComponentNotAllowedPerSurfaceArgs{.filePos = 1,
                                                                      .bottom = true,
                                                                      .attribKeyword = "PACKAGE_FAMILY",
                                                                      .attribValue = "R0603"})),
        ElementsAre("R4 components with PACKAGE_FAMILY=R0603 1/0 Critical",
                    "R6 components with PACKAGE_FAMILY=R0603 1/0 Critical"));
    EXPECT_THAT(
        findingTexts(check(context, ComponentNotAllowedPerSurfaceArgs{.filePos = 1,
                                                                      .top = true,
                                                                      .attribKeyword = "package_family",
                                                                      .attribValue = "BRACKET"})),
        ElementsAre("M1 components with package_family=BRACKET 1/0 Critical"));
    EXPECT_THAT(check(context, ComponentNotAllowedPerSurfaceArgs{.filePos = 1,
                                                                 .top = true,
                                                                 .bottom = true,
                                                                 .attribKeyword = "PACKAGE_FAMILY",
                                                                 .attribValue = ""}),
                IsEmpty())
        << "an empty value finds only attributes whose value is empty";
}

TEST_F(ComponentChecksTest, NotAllowedValuesCompareAsNumbersWhateverTheDecimalMark) {
    EXPECT_THAT(findingTexts(check(context, ComponentNotAllowedPerSurfaceArgs{.filePos = 1,
                                                                              .top = true,
                                                                              .bottom = true,
                                                                              .attribKeyword = "VOLTAGE",
                                                                              .attribValue = "2,5"})),
                ElementsAre("R1 components with VOLTAGE=2,5 1/0 Critical"));
}

TEST_F(ComponentChecksTest, HeightAboveCriticalIsCriticalElseAboveMarginalIsMarginal) {
    const auto findings =
        check(context, ComponentHeightArgs{.filePos = 1,
                                           .top = true,
                                           .bottom = true,
                                           .heightKeyword = "COMPHEIGHT",
                                           .topHeight = {.marginal = 150, .critical = 400},
                                           .bottomHeight = {.marginal = 100, .critical = 150}});
    EXPECT_THAT(findingTexts(findings),
                ElementsAre("U1 height 300/150 Marginal", "M1 height 500/400 Critical",
                            "U2 height 450/400 Critical", "U3 height 150.5/150 Marginal",
                            "U4 height 120/100 Marginal"))
        << "U3's height is written with a decimal comma; chips have no height";
}

TEST_F(ComponentChecksTest, HeightOnlyOnTheChosenSide) {
    EXPECT_THAT(
        findingTexts(check(context, ComponentHeightArgs{.filePos = 1,
                                                        .bottom = true,
                                                        .heightKeyword = "COMPHEIGHT",
                                                        .topHeight = {.marginal = 1, .critical = 1},
                                                        .bottomHeight = {.marginal = 100, .critical = 110}})),
        ElementsAre("U4 height 120/110 Critical"));
}

TEST_F(ComponentChecksTest, ComponentChecksAnswerThroughKorvenDfm) {
    std::get<Insert>(design.geometry(10).data[1]).attributes.set("COMPHEIGHT", "tall");
    DfmHarness korven(design);
    EXPECT_EQ(korven.dfm->Check(Pin1OrientationArgs{
                  .filePos = 1, .top = true, .bottom = true, .smd = true, .ignoreCount = 3}),
              rc::Ok);
    EXPECT_THAT(korven.announced, ElementsAre("Critical", "Critical", "Critical"));
    EXPECT_EQ(korven.markers()[0].check, "Pin1Orientation") << "the method's name when no name is given";
    EXPECT_EQ(markerText(korven.markers()[0]), "rotation 180, required 0: R3");
    EXPECT_EQ(korven.dfm->Check(ComponentHeightArgs{.filePos = 1,
                                                    .top = true,
                                                    .bottom = true,
                                                    .heightKeyword = "COMPHEIGHT",
                                                    .topHeight = {150, 400},
                                                    .bottomHeight = {100, 150}}),
              rc::WrongType)
        << "U2's height is no number";
    EXPECT_EQ(korven.dfm->Check(ThruHolePadShapesArgs{.filePos = 1,
                                                      .topAll = 11,
                                                      .bottomAll = 1,
                                                      .topOne = 2,
                                                      .bottomOne = 1,
                                                      .algName = "Pad Shapes"}),
              rc::ValueOutOfRange);
    EXPECT_EQ(korven.markers().size(), 3u);
}

} // namespace
} // namespace lumora::engine::test
