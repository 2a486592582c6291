#include "engine/geom/Areas.h"
#include "engine/geom/Transform.h"
#include "engine/io/DesignFile.h"
#include "engine/io/OpenDesign.h"
#include "engine/io/kicad/KicadBoard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include <ranges>

namespace lumora::engine {
namespace {

using kicad::BoardCounts;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Pair;
using ::testing::ThrowsMessage;

const std::filesystem::path kData = std::filesystem::path(LUMORA_SOURCE_DIR) / "tests" / "engine" / "kicad";
const std::filesystem::path kDemos = "/usr/share/kicad/demos";

const Geometry& boardOf(const Design& design) {
    return design.geometry(design.files.front().geometry);
}

const Insert& insertNamed(const Design& design, std::string_view ref) {
    for (const DataItem& item : boardOf(design).data) {
        if (const auto* insert = std::get_if<Insert>(&item); insert && insert->refName == ref) {
            return *insert;
        }
    }
    throw std::runtime_error("no insert " + std::string(ref));
}

template <class T> std::vector<const T*> boardShapes(const Design& design, std::string_view layer) {
    std::vector<const T*> shapes;
    for (const DataItem& item : boardOf(design).data) {
        const auto* graphic = std::get_if<Graphic>(&item);
        if (graphic && design.layer(graphic->layer).name == layer &&
            std::holds_alternative<T>(graphic->shape)) {
            shapes.push_back(&std::get<T>(graphic->shape));
        }
    }
    return shapes;
}

struct PlacedPin {
    Point at;
    const Geometry& padstack;
    const Insert& pin;
};

PlacedPin pinOf(const Design& design, std::string_view component, std::string_view number) {
    const Insert& owner = insertNamed(design, component);
    for (const DataItem& item : design.geometry(owner.geometry).data) {
        if (const auto* pin = std::get_if<Insert>(&item); pin && pin->refName == number) {
            const Point at = Transform::of(*pin).then(Transform::of(owner)).apply(Point{});
            return {at, design.geometry(pin->geometry), *pin};
        }
    }
    throw std::runtime_error("no pin " + std::string(number));
}

// The pad of a padstack on a layer, by the layer's name.
const Shape& shapeOn(const Design& design, const Geometry& geometry, std::string_view layer) {
    for (const DataItem& item : geometry.data) {
        const auto* graphic = std::get_if<Graphic>(&item);
        if (graphic && design.layer(graphic->layer).name == layer) {
            return graphic->shape;
        }
    }
    throw std::runtime_error("nothing on " + std::string(layer));
}

std::vector<std::string> layersOf(const Design& design, const Geometry& padstack) {
    std::vector<std::string> names;
    for (const DataItem& item : padstack.data) {
        names.push_back(design.layer(std::get<Graphic>(item).layer).name);
    }
    return names;
}

void expectNear(Point actual, Point expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

void expectNear(const Ring& actual, const Ring& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        expectNear(actual[i], expected[i]);
    }
}

// Copper layers, footprints, pads, vias, segments, arcs, zones and nets as KiCad 6 counts them.
struct DemoBoard {
    std::string_view file;
    BoardCounts counts;
};

const DemoBoard kDemoBoards[] = {
    {"video/video.kicad_pcb", {4, 189, 2238, 808, 7972, 0, 2, 487}},
    {"kit-dev-coldfire-xilinx_5213/kit-dev-coldfire-xilinx_5213.kicad_pcb",
     {4, 160, 825, 253, 2940, 0, 3, 279}},
    {"stickhub/StickHub.kicad_pcb", {2, 94, 278, 87, 1111, 180, 5, 48}},
    {"interf_u/interf_u.kicad_pcb", {2, 25, 379, 84, 731, 0, 1, 174}},
    {"flat_hierarchy/flat_hierarchy.kicad_pcb", {2, 64, 247, 7, 366, 0, 1, 112}},
    {"pic_programmer/pic_programmer.kicad_pcb", {2, 63, 247, 6, 370, 0, 1, 112}},
    {"complex_hierarchy/complex_hierarchy.kicad_pcb", {2, 68, 165, 0, 365, 0, 1, 53}},
    {"test_xil_95108/carte_test.kicad_pcb", {2, 42, 282, 12, 635, 0, 1, 101}},
    {"custom_pads_test/custom_pads_test.kicad_pcb", {2, 5, 11, 0, 19, 0, 1, 4}},
    {"ecc83/ecc83-pp.kicad_pcb", {2, 15, 33, 0, 59, 0, 1, 10}},
    {"test_pads_inside_pads/test_pads_inside_pads.kicad_pcb", {2, 4, 14, 0, 4, 0, 0, 3}},
    {"microwave/microwave.kicad_pcb", {2, 4, 8, 0, 0, 0, 0, 1}},
};

TEST(KicadDemoBoards, LoadWithTheCountsKicadReports) {
    if (!std::filesystem::exists(kDemos)) {
        GTEST_SKIP() << "kicad-demos is not installed (scripts/install-deps)";
    }
    for (const DemoBoard& demo : kDemoBoards) {
        SCOPED_TRACE(demo.file);
        EXPECT_EQ(kicad::loadKicadBoard(kDemos / demo.file).counts, demo.counts);
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kDemos)) {
        if (entry.path().extension() == ".kicad_pcb") {
            EXPECT_NO_THROW(openDesign(entry.path())) << entry.path();
        }
    }
}

TEST(KicadDemoBoards, PlacePadsWhereKicadShowsThem) {
    if (!std::filesystem::exists(kDemos)) {
        GTEST_SKIP() << "kicad-demos is not installed (scripts/install-deps)";
    }
    // C1 on the front at (141.605, 99.695), turned 90: pad 2 at (5, 0) turns to (0, -5) on KiCad's
    // page, whose y runs down.
    const Design ecc83 = openDesign(kDemos / "ecc83/ecc83-pp.kicad_pcb");
    expectNear(pinOf(ecc83, "C1", "2").at, {141.605, -94.695});
    EXPECT_EQ(pinOf(ecc83, "C1", "1").padstack.hole, (Hole{1, true}));
    // C2 on the back at (345.567, 67.437), turned 90: pad 1 at (-1.5925, 0) lands 1.5925 lower.
    const Design video = openDesign(kDemos / "video/video.kicad_pcb");
    const PlacedPin c2 = pinOf(video, "C2", "1");
    expectNear(c2.at, {345.567, -69.0295});
    EXPECT_TRUE(insertNamed(video, "C2").mirror);
    EXPECT_EQ(std::get<Pad>(shapeOn(video, c2.padstack, "F.Cu")).shape, pad_shape::Rectangle);
    EXPECT_NEAR(boardOf(video).thickness, 1.600198, 1e-9); // its stack-up's layers added up
}

class KicadMapping : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        board_ = new kicad::BoardImport(kicad::loadKicadBoard(kData / "mapping.kicad_pcb"));
    }
    static void TearDownTestSuite() { delete board_; }
    const Design& design() const { return board_->design; }
    static kicad::BoardImport* board_;
};
kicad::BoardImport* KicadMapping::board_ = nullptr;

TEST_F(KicadMapping, CopperStacksUpAndTheBoardIsAsThickAsItsStackUp) {
    EXPECT_EQ(board_->counts, (BoardCounts{4, 6, 13, 3, 1, 1, 2, 3}));
    EXPECT_EQ(design().name, "Mapping rules");
    EXPECT_EQ(design().pageUnits, page_units::Millimetres);
    for (int16_t n = 1; n <= 4; ++n) {
        EXPECT_EQ(design().layer(n).type, layer_type::Signal);
        EXPECT_EQ(design().layer(n).electrical, n);
        EXPECT_EQ(design().layer(n).physical, n);
    }
    EXPECT_EQ(design().layer(2).name, "In1.Cu");
    EXPECT_EQ(design().layer(design().layer(1).mirror).name, "B.Cu");
    EXPECT_EQ(design().findLayer("F.Mask")->type, layer_type::SoldermaskTop);
    EXPECT_EQ(design().layer(design().findLayer("F.Paste")->mirror).name, "B.Paste");
    EXPECT_DOUBLE_EQ(boardOf(design()).thickness, 1.66);
}

// Whatever the import builds is a design the native format holds and reads back unchanged.
TEST_F(KicadMapping, SavesAndLoadsBackAsANativeDesign) {
    EXPECT_EQ(parseDesign(serializeDesign(design())), design());
}

TEST_F(KicadMapping, FootprintsBecomeComponentInserts) {
    const Insert& u1 = insertNamed(design(), "U1");
    EXPECT_EQ(u1.insertType, insert_type::Component);
    expectNear(u1.at, {50, -40});
    EXPECT_EQ(u1.rotation, 90);
    EXPECT_FALSE(u1.mirror);
    EXPECT_EQ(u1.attributes, (AttributeList{{"Height", "2.5mm"},
                                            {"MPN", "XYZ \"rev B\""},
                                            {"VALUE", "LM358"},
                                            {"PACKAGE_FAMILY", "Package:Test"},
                                            {"COMPHEIGHT", "2.5"},
                                            {"KICAD_ATTR", "smd"}}));
    EXPECT_EQ(u1.pinNets, (PinNets{{"1", "GND"}, {"2", "VCC"}, {"3", "VCC"}}));
    // The fab drawing outlines the body, not the larger courtyard.
    EXPECT_EQ(std::get<Polygon>(shapeOn(design(), design().geometry(u1.geometry), "F.Body")).outline,
              (Ring{{-3, -1.5}, {-3, 1.5}, {3, 1.5}, {3, -1.5}}));
    expectNear(pinOf(design(), "U1", "3").at, {52, -40});

    // On the back: mirrored, turned half a turn more, its layers read as the front's; no fab
    // drawing, so the courtyard outlines the body.
    const Insert& r1 = insertNamed(design(), "R1");
    EXPECT_TRUE(r1.mirror);
    EXPECT_EQ(r1.rotation, 270);
    EXPECT_EQ(*r1.attributes.find("COMPHEIGHT"), "0.6");
    EXPECT_EQ(*r1.attributes.find("VALUE"), "10k");
    expectNear(pinOf(design(), "R1", "1").at, {60, -41.5925});
    EXPECT_THAT(layersOf(design(), pinOf(design(), "R1", "1").padstack),
                ElementsAre("F.Cu", "F.Paste", "F.Mask"));
    EXPECT_NO_THROW(shapeOn(design(), design().geometry(r1.geometry), "F.Body"));
}

TEST_F(KicadMapping, PadsKeepTheirShapesDrillsAndOpenings) {
    auto pad = [&](std::string_view number, std::string_view layer) {
        return std::get<Pad>(shapeOn(design(), pinOf(design(), "U1", number).padstack, layer));
    };
    EXPECT_EQ(pad("1", "F.Cu"), (Pad{.shape = pad_shape::Rectangle, .sizeX = 1, .sizeY = 0.5}));
    EXPECT_EQ(pad("1", "F.Mask"), (Pad{.shape = pad_shape::Rectangle, .sizeX = 1.2, .sizeY = 0.7}));
    EXPECT_EQ(pad("1", "F.Paste"), (Pad{.shape = pad_shape::Rectangle, .sizeX = 1, .sizeY = 0.5}));
    EXPECT_EQ(pinOf(design(), "U1", "1").pin.rotation, 0);
    // Rounded corners: the rectangle's corners with their radius, which the checks measure as arcs;
    // the board's mask margin widens the opening and its radii.
    EXPECT_EQ(pad("2", "F.Cu").shape, pad_shape::Complex);
    expectNear(pad("2", "F.Cu").complex->outline, {{-0.5, 0.25}, {0.5, 0.25}, {0.5, -0.25}, {-0.5, -0.25}});
    EXPECT_EQ(*pad("2", "F.Cu").complex->cornerRadii, std::vector<double>(4, 0.125));
    EXPECT_NEAR(pad("2", "F.Mask").complex->outline.front().x, -0.55, 1e-9);
    EXPECT_NEAR(pad("2", "F.Mask").complex->cornerRadii->front(), 0.175, 1e-9);
    // A slot: its width is the hole size, drawn as a line between the ends' centres.
    const PlacedPin slot = pinOf(design(), "U1", "3");
    EXPECT_EQ(pad("3", "In2.Cu"), (Pad{.shape = pad_shape::Oblong, .sizeX = 1.5, .sizeY = 1}));
    EXPECT_EQ(slot.padstack.hole, (Hole{0.6, true}));
    EXPECT_EQ(std::get<Line>(shapeOn(design(), slot.padstack, "Drill")), (Line{{-0.3, 0}, {0.3, 0}, 0.6}));
    EXPECT_EQ(pad("4", "B.Mask"), (Pad{.shape = pad_shape::Round, .sizeX = 1.6, .sizeY = 1.6}));
    // One corner cut, three sharp: five points, the cut 0.2 long on both sides (y negated).
    expectNear(pad("5", "F.Cu").complex->outline,
               {{-0.5, 0.3}, {-0.3, 0.5}, {0.5, 0.5}, {0.5, -0.5}, {-0.5, -0.5}});
    EXPECT_EQ(pad("6", "F.Cu").complex->outline, (Ring{{-0.7, -0.5}, {-0.3, 0.5}, {0.3, 0.5}, {0.7, -0.5}}));
    const Geometry& custom = pinOf(design(), "U1", "7").padstack;
    EXPECT_EQ(custom.data.size(), 2u);
    EXPECT_EQ(std::get<Polygon>(std::get<Graphic>(custom.data[1]).shape).outline,
              (Ring{{0, 0}, {1, 0}, {1, -1}}));
    // A hole without copper around it: the mounting hole's drill only.
    const PlacedPin hole = pinOf(design(), "H1", "");
    EXPECT_EQ(hole.padstack.hole, (Hole{3.2, false}));
    EXPECT_THAT(layersOf(design(), hole.padstack), ElementsAre("F.Mask", "B.Mask", "Drill NPTH"));
}

TEST_F(KicadMapping, ViasSpanTheirLayers) {
    std::vector<std::vector<std::string>> spans;
    std::vector<std::string> types;
    for (const DataItem& item : boardOf(design()).data) {
        if (const auto* via = std::get_if<Insert>(&item); via && via->insertType == insert_type::Via) {
            spans.push_back(layersOf(design(), design().geometry(via->geometry)));
            types.push_back(*via->attributes.find("VIA_TYPE"));
        }
    }
    EXPECT_THAT(spans,
                ElementsAre(ElementsAre("F.Cu", "In1.Cu", "In2.Cu", "B.Cu", "Drill"),
                            ElementsAre("F.Cu", "In1.Cu", "Drill"), ElementsAre("In2.Cu", "B.Cu", "Drill")));
    EXPECT_THAT(types, ElementsAre("through", "blind", "micro"));
}

TEST_F(KicadMapping, TracksZonesAndEdgeCutsKeepTheirCurves) {
    EXPECT_THAT(boardShapes<Line>(design(), "F.Cu"),
                ElementsAre(::testing::Pointee(Line{{70, -20}, {80, -20}, 0.25})));
    const Arc& arc = *boardShapes<Arc>(design(), "B.Cu").at(0);
    // KiCad writes the middle point to six decimals.
    expectNear(arc.center, {80, -24}, 1e-6);
    EXPECT_NEAR(arc.radius, 4, 1e-6);
    EXPECT_NEAR(arc.start, 90, 1e-4);
    EXPECT_NEAR(arc.sweep, -90, 1e-4);
    EXPECT_EQ(boardShapes<Polygon>(design(), "In1.Cu").at(0)->outline,
              (Ring{{1.5, -1.5}, {98.5, -1.5}, {98.5, -48.5}, {1.5, -48.5}}));
    EXPECT_EQ(boardShapes<Polygon>(design(), "F.Cu").size(), 0u); // a keep-out area holds no copper
    // The rectangle's four sides, U1's edge line, the round cutout, the corner arc, the triangle.
    EXPECT_EQ(boardShapes<Line>(design(), "Edge.Cuts").size(), 5u);
    expectNear(boardShapes<Line>(design(), "Edge.Cuts").at(0)->from, {50, -30});
    EXPECT_EQ(*boardShapes<Circle>(design(), "Edge.Cuts").at(0), (Circle{{50, -25}, 2, 0.1}));
    EXPECT_NEAR(boardShapes<Arc>(design(), "Edge.Cuts").at(0)->center.y, -44, 1e-6);
    EXPECT_EQ(boardShapes<Polygon>(design(), "Edge.Cuts").size(), 1u);
}

TEST_F(KicadMapping, RolesComeFromPadPropertiesAndNames) {
    EXPECT_EQ(insertNamed(design(), "FID1").insertType, insert_type::Fiducial);
    const Insert& byProperty = insertNamed(design(), "X1");
    EXPECT_EQ(byProperty.insertType, insert_type::Testpoint);
    EXPECT_EQ(byProperty.net, "VCC");
    EXPECT_TRUE(byProperty.attributes.has("TEST"));
    EXPECT_EQ(insertNamed(design(), "TP2").insertType, insert_type::Testpoint);
    EXPECT_EQ(insertNamed(design(), "H1").insertType, insert_type::ToolingHole);
}

// Vendor library names ("TESTPOINT-30MIL", "MARK1MM") were taken for components, and nothing said
// that a board had no fiducials or testpoints for the tests to find.
TEST(KicadRoles, DefaultsKnowTheUsualSpellingsAndTheBoardSaysWhatWasFound) {
    const kicad::BoardImport board = kicad::loadKicadBoard(kData / "vendor-roles.kicad_pcb");
    EXPECT_EQ(insertNamed(board.design, "X1").insertType, insert_type::Testpoint);
    EXPECT_EQ(insertNamed(board.design, "X2").insertType, insert_type::Fiducial);
    EXPECT_EQ(insertNamed(board.design, "X3").insertType, insert_type::ToolingHole);
    EXPECT_EQ(insertNamed(board.design, "J1").insertType, insert_type::Component) << "a word inside a name";
    EXPECT_THAT(board.notes,
                ElementsAre("recognised 1 fiducial (1 by footprint \"*Mark?mm*\"), "
                            "2 testpoints (1 by footprint \"*TestPoint*\", 1 by reference \"TP*\"), "
                            "1 tooling hole (1 by footprint \"MTG*Hole*\")"));
    const kicad::BoardImport bare = kicad::loadKicadBoard(kData / "unconnected-pads.kicad_pcb");
    EXPECT_THAT(bare.notes,
                ElementsAre(HasSubstr("recognised 0 fiducials, 0 testpoints, 0 tooling holes; the "
                                      "tests find none where a count is 0: name them in")));
    EXPECT_THAT(bare.notes.front(), ::testing::EndsWith("unconnected-pads.roles.json"));
}

TEST(KicadRolesFile, NamesRolesBesideTheBoard) {
    const Design design = openDesign(kData / "roles" / "board.kicad_pcb");
    EXPECT_EQ(insertNamed(design, "M1").insertType, insert_type::Fiducial);      // footprint pattern
    EXPECT_EQ(insertNamed(design, "PROBE3").insertType, insert_type::Testpoint); // reference pattern
    EXPECT_EQ(insertNamed(design, "J9").insertType, insert_type::Testpoint);     // property value
    // Naming a role replaces its defaults; roles not named keep theirs.
    EXPECT_EQ(insertNamed(design, "TP1").insertType, insert_type::Component);
    EXPECT_EQ(insertNamed(design, "FID2").insertType, insert_type::Component);
    EXPECT_EQ(insertNamed(design, "H2").insertType, insert_type::ToolingHole);
}

TEST(KicadRolesFile, MalformedMappingIsRefused) {
    EXPECT_THROW(readRoleRules(R"({"fiducial": {"footprint": ["F*"]}})", "x.roles.json"), DesignFormatError);
    EXPECT_THROW(readRoleRules(R"({"drill": {}})", "x.roles.json"), DesignFormatError);
    EXPECT_THROW(readRoleRules(R"({"testpoint": {"references": "TP*"}})", "x.roles.json"), DesignFormatError);
    try {
        readRoleRules(R"({"fiducial": {"properties": {"Kind": ")" + std::string(300, '*') + "\"}}}",
                      "x.roles.json");
        ADD_FAILURE() << "a 300-character pattern was read";
    } catch (const DesignFormatError& error) {
        EXPECT_THAT(error.what(),
                    HasSubstr("x.roles.json: /fiducial/properties/Kind: a pattern is at most 256"));
    }
    // 100,000 nested objects overflowed the stack.
    std::string deep;
    for (int level = 0; level < 100000; ++level) {
        deep += R"({"a": )";
    }
    deep += "1" + std::string(100000, '}');
    EXPECT_THAT([&] { readRoleRules(deep, "x.roles.json"); },
                ThrowsMessage<DesignFormatError>(
                    "x.roles.json: nested deeper than 256 levels at byte 1537 (line 1, column 1537)"));
}

// Lists nested far beyond any board's are refused where the first too deep opens, not walked.
TEST(KicadMalformed, NestingDeeperThanAnyBoardIsRefusedWhereItStarts) {
    const std::string deep =
        "(kicad_pcb (version 20211014)\n  " + std::string(100000, '(') + std::string(100000, ')') + ")\n";
    EXPECT_THAT([&] { kicad::readKicadBoard(deep, "deep.kicad_pcb"); },
                ThrowsMessage<DesignFormatError>("deep.kicad_pcb:2:258: nested deeper than 256 levels"));
}

// Footprints named alike, one of them as the import names a repeat, still get geometry names of their
// own, so that the saved design reads back.
TEST(KicadNames, RepeatedFootprintNamesStayApartAndTheDesignLoadsBack) {
    const Design design = openDesign(kData / "repeated-names.kicad_pcb");
    std::set<std::string> names;
    for (const auto& [number, geometry] : design.geometries) {
        EXPECT_TRUE(names.insert(geometry.name).second) << geometry.name;
    }
    EXPECT_TRUE(names.contains("U1 X:Y #2 #2"));
    EXPECT_EQ(parseDesign(serializeDesign(design)), design);
}

// Inner copper layers stack by the number in their names, however long, between F.Cu and B.Cu.
TEST(KicadNames, InnerLayersStackByTheirNumbersEvenHugeOnes) {
    const Design design = openDesign(kData / "huge-inner-layer.kicad_pcb");
    EXPECT_EQ(design.layer(1).name, "F.Cu");
    EXPECT_EQ(design.layer(2).name, "In1.Cu");
    EXPECT_EQ(design.layer(3).name, "In99999999999.Cu");
    EXPECT_EQ(design.layer(4).name, "B.Cu");
}

// A negative mask or paste margin wider than half a pad leaves no opening, as in KiCad; the copper
// stays, and so does the opening of a margin that only narrows it.
TEST(KicadOpenings, ANegativeMarginCanCloseThemButNeverMakesASizeNegative) {
    const Design design = openDesign(kData / "closed-openings.kicad_pcb");
    std::map<std::string, std::vector<std::string>> layersOfPad;
    for (const auto& [number, geometry] : design.geometries) {
        for (const DataItem& item : geometry.data) {
            if (const auto* graphic = std::get_if<Graphic>(&item);
                graphic && geometry.blockType == block_type::Padstack) {
                layersOfPad[geometry.name].push_back(design.layer(graphic->layer).name);
            }
        }
    }
    EXPECT_THAT(layersOfPad, ElementsAre(Pair(HasSubstr("1"), ElementsAre("F.Cu", "F.Paste")),
                                         Pair(HasSubstr("2"), ElementsAre("F.Cu", "F.Cu"))));
    EXPECT_EQ(parseDesign(serializeDesign(design)), design);
}

// roundrect_rratio 1e6 made a 1 mm pad reach 500 m and chamfer_ratio 50 cut far beyond its pad; a
// negative ratio gave a negative radius. KiCad keeps both ratios within 0 and 0.5, and so does the import.
TEST(KicadPadRatios, StayWithinHalfThePadAsInKicad) {
    const Design design = openDesign(kData / "pad-ratios.kicad_pcb");
    auto pad = [&](std::string_view number) {
        return std::get<Pad>(shapeOn(design, pinOf(design, "U1", number).padstack, "F.Cu"));
    };
    EXPECT_EQ(*pad("1").complex->cornerRadii, std::vector<double>(4, 0.5));
    const Box reach = *extentOf(pad("1"));
    EXPECT_NEAR(reach.max_corner().x() - reach.min_corner().x(), 1, 1e-9);
    expectNear(pad("2").complex->outline, {{-0.5, 0}, {0, 0.5}, {0.5, 0.5}, {0.5, -0.5}, {-0.5, -0.5}});
    EXPECT_EQ(pad("3").shape, pad_shape::Rectangle);
}

// KiCad 6 gives every unconnected pad a net of its own, "unconnected-(U1-Pad2)": taken as nets, they
// made a third of a board's nets, each demanding its testpoint.
TEST(KicadNets, AnUnconnectedPadsOwnNetIsNoNet) {
    const kicad::BoardImport board = kicad::loadKicadBoard(kData / "unconnected-pads.kicad_pcb");
    EXPECT_EQ(insertNamed(board.design, "U1").pinNets, (PinNets{{"1", "GND"}}));
    EXPECT_EQ(board.counts.nets, 4) << "KiCad's own count of its net table";
}

// Items without a name of their own carry KiCad's uuid (SOURCE_ID), so that a marker's key tells
// 240 stitching vias apart; pads do only where their number does not name them.
TEST(KicadIdentity, ItemsWithoutANameOfTheirOwnCarryKicadsUuid) {
    const Design design = openDesign(kData / "identities.kicad_pcb");
    std::vector<std::string> ids;
    for (const DataItem& item : boardOf(design).data) {
        const AttributeList& attributes =
            std::visit([](const auto& i) -> const AttributeList& { return i.attributes; }, item);
        const std::string* id = attributes.find(keyword::SourceId);
        ids.push_back(id ? *id : "-");
    }
    EXPECT_THAT(ids, ElementsAre("-", "track-1", "via-1", "zone-1/1", "zone-1/2"));
    std::vector<std::string> pins;
    for (const DataItem& item : design.geometry(insertNamed(design, "SW1").geometry).data) {
        if (const auto* pin = std::get_if<Insert>(&item)) {
            const std::string* id = pin->attributes.find(keyword::SourceId);
            pins.push_back(pin->refName.str() + (id ? " " + *id : ""));
        }
    }
    EXPECT_THAT(pins, ElementsAre("1 pad-a", "1 pad-b", "2"));
}

// A byte-order mark before the board was read as an atom ("expected '('"); it also hid the board
// from the content test.
TEST(KicadByteOrderMark, IsPassedOverAndPositionsCountAfterIt) {
    const Design design = openDesign(kData / "byte-order-mark.kicad_pcb");
    EXPECT_EQ(boardShapes<Line>(design, "F.Cu").size(), 1u);
    EXPECT_TRUE(kicad::isKicadBoard("\xEF\xBB\xBF(kicad_pcb (version 20211014))"));
    try {
        kicad::readKicadBoard("\xEF\xBB\xBF(kicad_pcb (version x))", "bom.kicad_pcb");
        ADD_FAILURE() << "loaded";
    } catch (const DesignFormatError& error) {
        EXPECT_THAT(error.what(), HasSubstr("bom.kicad_pcb:1:1: (kicad_pcb ...) has no (layers ...)"));
    }
}

// A board beyond KORVEN's 16-bit geometry numbers ended in "no geometry number left", naming neither
// the file nor where.
TEST(KicadMalformed, FootprintsBeyondTheGeometryNumbersAreRefusedWhereTheyStart) {
    std::string board = "(kicad_pcb (version 20211014)\n  (layers (0 \"F.Cu\" signal))\n";
    for (int i = 1; i <= 32768; ++i) {
        board += "  (footprint \"L:F\" (at 0 0) (property \"Reference\" \"R" + std::to_string(i) + "\"))\n";
    }
    board += ")\n";
    try {
        kicad::readKicadBoard(board, "many.kicad_pcb");
        ADD_FAILURE() << "loaded";
    } catch (const DesignFormatError& error) {
        EXPECT_THAT(
            error.what(),
            HasSubstr("many.kicad_pcb:32770:3: no geometry number left: a design holds at "
                      "most 32,767 geometries (footprints, pad shapes, boards and panels), "
                      "numbered in 16 bits: the board has more footprints and distinct pads than that"));
    }
}

TEST(KicadMalformed, RefusedWithTheFaultsPosition) {
    const std::pair<std::string_view, std::string_view> kCases[] = {
        {"unclosed-list", ":4:1: the file ends inside the list opened at line 1, column 1 (missing ')')"},
        {"unclosed-text", ":3:10: text string not closed"},
        {"extra-close", ":4:1: unexpected text after the closing ')' of the file's list"},
        {"bad-number", ":3:31: expected a number in (end ...), found \"4x\""},
        {"not-a-board", ":1:1: not a KiCad board: the file starts with (kicad_sch ...)"},
        {"empty", ":3:1: the file is empty"},
        {"no-layers", ":1:1: (kicad_pcb ...) has no (layers ...)"},
        {"unknown-pad-shape", ":4:18: unknown pad shape \"hexagon\""},
        {"track-off-copper",
         ":3:3: (segment ...) is on \"F.SilkS\", which is not a copper layer of the board"},
        {"unknown-net", ":4:63: net 7 is not in the board's net table"},
        // A net number beyond an int was read as a net's name.
        {"net-number-beyond-int", ":4:63: net 99999999999 is not in the board's net table"},
        {"net-number-not-integer", ":3:8: expected a net number in (net ...), found \"2.2e104\""},
        {"footprint-without-position", ":3:3: (footprint ...) has no (at ...)"},
        {"control-character", ":4:13: unexpected control character 1"},
        {"copper-listed-twice", ":2:29: copper layer \"F.Cu\" is listed twice"},
        {"property-without-name", ":4:15: a property needs a name"},
        {"pad-beyond-reach", ": \"U1\" in \"pad-beyond-reach\": the item reaches beyond 1e+09 once placed"},
        {"not-utf8", ":3:14: text that is not UTF-8 (byte 0xB6 in this atom)"},
        {"negative-pad-size", ":4:38: (size ...) cannot be negative"},
        {"negative-width", ":3:56: (width ...) cannot be negative"},
        {"nan-width", ":3:56: expected a number in (width ...), found \"nan\""},
        {"negative-via-size", ":3:23: (size ...) cannot be negative"},
        // A delta beyond the pad crossed the trapezoid's sides; a negative height passed every limit.
        {"trapezoid-beyond-its-pad", ":4:48: (rect_delta ...) narrows a side of the pad below nothing"},
        {"negative-height", ":4:24: a component height cannot be negative"},
        {"arc-beyond-numbers",
         ": geometry \"arc-beyond-numbers\", item 1 (arc): centre is not a finite number"},
    };
    for (const auto& [name, message] : kCases) {
        const std::filesystem::path file = kData / "malformed" / (std::string(name) + ".kicad_pcb");
        try {
            openDesign(file);
            ADD_FAILURE() << name << " loaded";
        } catch (const DesignFormatError& error) {
            EXPECT_THAT(error.what(), HasSubstr(file.string() + std::string(message))) << name;
        }
    }
}

} // namespace
} // namespace lumora::engine
