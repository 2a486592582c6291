#include "engine/ops/PinData.h"
#include "engine/model/Refusal.h"
#include "engine/ops/Filter.h"
#include "engine/ops/Flatten.h"
#include "tests/engine/EngineTestDesigns.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;

// A row of fine-pitch pads at x 0, 20, 40 and 70 with one bottom-only pad under the first, placed
// once at (1000, 1000) and once scaled by 2.
constexpr const char* kFineRow = R"(
    {"number": 20, "name": "FINE", "type": "padstack", "data": [
      {"pad": "rectangle", "size": [10, 40], "layer": "PAD_TOP"}]},
    {"number": 21, "name": "FINE_BOTTOM", "type": "padstack", "data": [
      {"pad": "rectangle", "size": [10, 40], "layer": "PAD_BOTTOM"}]},
    {"number": 22, "name": "ROW", "type": "component", "data": [
      {"insert": "pin", "geometry": "FINE", "at": [0, 0], "ref": "1"},
      {"insert": "pin", "geometry": "FINE", "at": [20, 0], "ref": "2"},
      {"insert": "pin", "geometry": "FINE", "at": [40, 0], "ref": "3"},
      {"insert": "pin", "geometry": "FINE", "at": [70, 0], "ref": "4"},
      {"insert": "pin", "geometry": "FINE_BOTTOM", "at": [0, 0], "ref": "B"}]},)";

Design withFineRow() {
    std::string text = kTinyBoard;
    text.insert(text.find("\"geometries\": [") + 15, kFineRow);
    const std::string board =
        "\"data\": [\n      {\"insert\": \"component\", \"geometry\": \"CHIP\", \"at\": [1000, 500]";
    text.insert(text.find(board) + 11,
                R"({"insert": "component", "geometry": "ROW", "at": [1000, 1000], "ref": "U5"},
      {"insert": "component", "geometry": "ROW", "at": [1000, 1500], "scale": 2, "ref": "U6"},
      )");
    return parseDesign(text);
}

const Insert& insertOf(const Design& design, int16_t geomNum, std::size_t position) {
    return std::get<Insert>(design.geometry(geomNum).data.at(position));
}

std::string attributeOrNone(const Insert& insert, std::string_view keyword) {
    const std::string* value = insert.attributes.find(keyword);
    return value ? *value : "(none)";
}

TEST(PinPitchTest, EachPinGetsTheDistanceToItsNearestNeighbourOnACommonSide) {
    Design design = withFineRow();
    generatePinPitch(design);

    std::vector<std::string> pitches;
    for (std::size_t pin = 0; pin < 5; ++pin) {
        pitches.push_back(attributeOrNone(insertOf(design, 22, pin), "PIN_PITCH"));
    }
    EXPECT_THAT(pitches, ElementsAre("20", "20", "20", "30", "(none)")) << "B shares no side with the others";
    EXPECT_EQ(attributeOrNone(insertOf(design, 3, 0), "PIN_PITCH"), "100");
    EXPECT_EQ(attributeOrNone(insertOf(design, 10, 0), "PIN_PITCH"), "20") << "U5";
    EXPECT_EQ(attributeOrNone(insertOf(design, 10, 1), "PIN_PITCH"), "40") << "U6 is scaled by 2";
    EXPECT_EQ(attributeOrNone(insertOf(design, 10, 2), "PIN_PITCH"), "100") << "R1";
    EXPECT_EQ(design.keywords[design.keywordNumber("PIN_PITCH")].type, keyword_type::UnitDouble);
}

TEST(SmdDataTest, SurfaceMountPinsAndAllSurfaceMountComponentsAreMarked) {
    Design design = tinyBoard();
    std::get<Insert>(design.geometry(4).data[0]).attributes.set("SMD", ""); // stale mark on a thru-hole pin
    generateSmdData(design);

    EXPECT_EQ(attributeOrNone(insertOf(design, 3, 0), "SMD"), "");
    EXPECT_EQ(attributeOrNone(insertOf(design, 4, 0), "SMD"), "(none)");
    EXPECT_EQ(attributeOrNone(insertOf(design, 10, 0), "SMD"), "") << "R1";
    EXPECT_EQ(attributeOrNone(insertOf(design, 10, 2), "SMD"), "(none)") << "J1";
    EXPECT_EQ(design.keywords[design.keywordNumber("SMD")].type, keyword_type::Flag);
}

TEST(PinFilterTest, FiltersRemoveWhatMatches) {
    Design design = withFineRow();
    generatePinPitch(design);
    generateSmdData(design);
    const int16_t pins = createFlattenGeometry(design, 1);
    flatten(design, pins, {.layer = layerNamed(design, "PAD_TOP"), .insertType = insert_type::Pin});
    ASSERT_THAT(originsOf(design, pins), ElementsAre("U5/1", "U5/2", "U5/3", "U5/4", "U6/1", "U6/2", "U6/3",
                                                     "U6/4", "R1/1", "R1/2", "J1/1", "J1/2"));

    filterGeometry(design, pins, AttributeCondition("SMD", "", comparison::LacksKeyword));
    filterGeometry(design, pins, AttributeCondition("PIN_PITCH", "25", comparison::Greater));
    EXPECT_THAT(originsOf(design, pins), ElementsAre("U5/1", "U5/2", "U5/3", "U6/1", "U6/2", "U6/3"))
        << "pins keep the pitch of their geometry, whatever the component's scale";

    filterGeometry(design, pins, AttributeCondition("NETNAME", "", comparison::LacksKeyword));
    EXPECT_TRUE(graphicsOf(design, pins).empty()) << "the row's pins have no net";
}

TEST(PinFilterTest, NetNameAndComparisonsOnFlattenedEtch) {
    Design design = tinyBoard();
    const int16_t etch = createFlattenGeometry(design, 1);
    flatten(design, etch, {.layer = -1, .graphicClass = graphic_class::Etch});
    filterGeometry(design, etch, AttributeCondition("NETNAME", "", comparison::HasKeyword));
    ASSERT_EQ(graphicsOf(design, etch).size(), 1u);
    EXPECT_EQ(std::get<Line>(graphicsOf(design, etch)[0].shape).from, (Point{100, 1500}));
}

TEST(PinFilterTest, RefusesDesignBlocksAndEmptyKeywords) {
    Design design = tinyBoard();
    const int16_t etch = createFlattenGeometry(design, 1);
    EXPECT_THROW(filterGeometry(design, 10, AttributeCondition("SMD", "", 5)), Refusal);
    EXPECT_THROW(filterGeometry(design, etch, AttributeCondition("", "", 5)), Refusal);
    EXPECT_THROW(filterGeometry(design, 77, AttributeCondition("SMD", "", 5)), Refusal);
    EXPECT_EQ(design.geometry(10).data.size(), tinyBoard().geometry(10).data.size());
}

} // namespace
} // namespace lumora::engine::test
