#include "engine/tools/ExampleDesigns.h"

#include <array>
#include <map>
#include <string_view>

namespace lumora::engine {

namespace {

// Layer numbers of the examples; 0 is left a hole, as designs converted from elsewhere often have.
namespace layer {
constexpr int16_t Top = 1, Gnd = 2, Pwr = 3, Bottom = 4, PadTop = 5, PadInner = 6, PadBottom = 7, Drill = 8,
                  DrillNpth = 9, Smt = 10, Smb = 11, Spt = 12, Spb = 13, Sst = 14, Ssb = 15, BodyTop = 16,
                  BodyBottom = 17, NozzleTop = 18, NozzleBottom = 19, PackageTop = 20, PackageBottom = 21,
                  BoardOutline = 22, PanelOutline = 23, AntipadGnd = 24, Doc = 25;
} // namespace layer

struct LayerSpec {
    int16_t number;
    std::string_view name;
    int16_t type;
    int16_t electrical;
    int16_t mirror; // 0: itself
};

constexpr std::array kLayers{
    LayerSpec{layer::Top, "TOP", layer_type::Signal, 1, 0},
    LayerSpec{layer::Gnd, "GND", layer_type::Plane, 2, 0},
    LayerSpec{layer::Pwr, "PWR", layer_type::Plane, 3, 0},
    LayerSpec{layer::Bottom, "BOTTOM", layer_type::Signal, 4, 0},
    LayerSpec{layer::PadTop, "PAD_TOP", layer_type::PadTop, 0, layer::PadBottom},
    LayerSpec{layer::PadInner, "PAD_INNER", layer_type::PadInner, 0, 0},
    LayerSpec{layer::PadBottom, "PAD_BOTTOM", layer_type::PadBottom, 0, layer::PadTop},
    LayerSpec{layer::Drill, "DRILL", layer_type::Drill, 0, 0},
    LayerSpec{layer::DrillNpth, "DRILL_NPTH", layer_type::DrillUnplated, 0, 0},
    LayerSpec{layer::Smt, "SMT", layer_type::SoldermaskTop, 0, layer::Smb},
    LayerSpec{layer::Smb, "SMB", layer_type::SoldermaskBottom, 0, layer::Smt},
    LayerSpec{layer::Spt, "SPT", layer_type::PasteTop, 0, layer::Spb},
    LayerSpec{layer::Spb, "SPB", layer_type::PasteBottom, 0, layer::Spt},
    LayerSpec{layer::Sst, "SST", layer_type::SilkscreenTop, 0, layer::Ssb},
    LayerSpec{layer::Ssb, "SSB", layer_type::SilkscreenBottom, 0, layer::Sst},
    LayerSpec{layer::BodyTop, "BODY_TOP", layer_type::BodyTop, 0, layer::BodyBottom},
    LayerSpec{layer::BodyBottom, "BODY_BOTTOM", layer_type::BodyBottom, 0, layer::BodyTop},
    LayerSpec{layer::NozzleTop, "NOZZLE_TOP", layer_type::PlacementKeepoutTop, 0, layer::NozzleBottom},
    LayerSpec{layer::NozzleBottom, "NOZZLE_BOTTOM", layer_type::PlacementKeepoutBottom, 0, layer::NozzleTop},
    LayerSpec{layer::PackageTop, layer_name::PackageBodyTop, layer_type::PackageBodyTop, 0,
              layer::PackageBottom},
    LayerSpec{layer::PackageBottom, layer_name::PackageBodyBottom, layer_type::PackageBodyBottom, 0,
              layer::PackageTop},
    LayerSpec{layer::BoardOutline, "BOARD_OUTLINE", layer_type::BoardOutline, 0, 0},
    LayerSpec{layer::PanelOutline, "PANEL_OUTLINE", layer_type::PanelOutline, 0, 0},
    LayerSpec{layer::AntipadGnd, "ANTIPAD_GND", layer_type::PlaneClearance, 2, 0},
    LayerSpec{layer::Doc, "DOC", layer_type::Documentation, 0, 0},
};

// Geometry numbers.
namespace geom {
constexpr int16_t ViaTented = 1, ViaOpen = 2, Smd0603 = 3, SmdSoic = 4, SmdQfp = 5, SmdTab = 6, ThRound = 7,
                  ThSquare = 8, ThOctagon = 9, ThOblong = 10, ThThermal = 11, Fiducial = 12,
                  PanelFiducial = 13, Tooling = 14, Testpoint = 15, MountingHole = 16, GoldTop = 17,
                  GoldBottom = 18, SmdQfpPinOne = 19, SmdSod = 30, TestpointSmall = 31, TestpointTop = 32,
                  ViaLarge = 33, ViaMicro = 34, ViaWideRing = 35;
constexpr int16_t R0603 = 20, Soic8 = 21, Qfp32 = 22, Dpak = 23, Dip8 = 24, Header4 = 25, TallConnector = 26,
                  EdgeConnector = 27, Sod323 = 28, UsbConnector = 29;
constexpr int16_t PackageSoic8 = 40, PackageQfp32 = 41, Logo = 42, PackageSod323 = 43;
constexpr int16_t Board = 50, Panel = 60;
} // namespace geom

Ring rectangle(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}
Ring centred(double width, double height, Point c = {}) {
    return rectangle(c.x - width / 2, c.y - height / 2, c.x + width / 2, c.y + height / 2);
}

Graphic item(Shape shape, int16_t layer, int16_t graphicClass = graphic_class::Normal, std::string net = "") {
    return Graphic{
        .shape = std::move(shape), .layer = layer, .graphicClass = graphicClass, .net = std::move(net)};
}

Graphic pad(int16_t shape, int16_t layer, double width, double height = 0, Point at = {}) {
    return item(Pad{.shape = shape, .at = at, .sizeX = width, .sizeY = height > 0 ? height : width}, layer);
}

Graphic roundPad(int16_t layer, double diameter) {
    return pad(pad_shape::Round, layer, diameter);
}
Graphic drill(int16_t layer, double diameter) {
    return item(Circle{{0, 0}, diameter / 2, 0}, layer);
}
Graphic line(Point from, Point to, double width, int16_t layer, int16_t graphicClass = graphic_class::Normal,
             std::string net = "") {
    return item(Line{from, to, width}, layer, graphicClass, std::move(net));
}
Graphic area(Ring outline, int16_t layer, int16_t graphicClass = graphic_class::Normal, std::string net = "",
             std::vector<Ring> holes = {}) {
    return item(Polygon{std::move(outline), std::move(holes)}, layer, graphicClass, std::move(net));
}

Insert place(int16_t type, int16_t geometry, Point at, std::string ref, double rotation = 0,
             bool mirror = false) {
    return Insert{.insertType = type,
                  .geometry = geometry,
                  .mirror = mirror,
                  .at = at,
                  .rotation = rotation,
                  .refName = std::move(ref)};
}

Geometry& block(Design& design, int16_t number, std::string name, int16_t blockType) {
    Geometry& geometry = design.geometries[number];
    geometry.number = number;
    geometry.name = std::move(name);
    geometry.blockType = blockType;
    return geometry;
}

void padstack(Design& design, int16_t number, std::string name, Hole hole, std::vector<Graphic> graphics) {
    Geometry& geometry = block(design, number, std::move(name), block_type::Padstack);
    geometry.hole = hole;
    for (Graphic& graphic : graphics) {
        geometry.data.emplace_back(std::move(graphic));
    }
}

void addLayers(Design& design) {
    design.layers.resize(kLayers.back().number + 1);
    for (const LayerSpec& spec : kLayers) {
        design.layers[spec.number] = Layer{.number = spec.number,
                                           .name = std::string(spec.name),
                                           .type = spec.type,
                                           .electrical = spec.electrical,
                                           .physical = spec.electrical,
                                           .artwork = spec.electrical,
                                           .mirror = spec.mirror != 0 ? spec.mirror : spec.number};
    }
    design.layers[layer::Doc]->show = false;
}

// How a thru-hole pad meets the planes: through a thermal relief, or solid.
enum class PlaneJoint { Thermal, Solid };

// Thru-hole copper on both sides and the inner layers, its drill, and mask openings 6 mils larger.
std::vector<Graphic> thruHole(int16_t shape, double width, double height, double drillSize,
                              PlaneJoint joint) {
    const Graphic inner = joint == PlaneJoint::Solid ? roundPad(layer::PadInner, width)
                                                     : item(Pad{.shape = pad_shape::Thermal,
                                                                .spokes = 4,
                                                                .sizeX = width + 20,
                                                                .sizeY = width + 20,
                                                                .ring = padRing(width - 10, 12)},
                                                            layer::PadInner);
    return {pad(shape, layer::PadTop, width, height),      inner,
            pad(shape, layer::PadBottom, width, height),   drill(layer::Drill, drillSize),
            pad(shape, layer::Smt, width + 6, height + 6), pad(shape, layer::Smb, width + 6, height + 6)};
}

// How much larger than its land a mask opening is, and how far off its centre.
struct MaskOpening {
    Point growth{6, 6};
    Point shift{};
};

// A surface-mount land with its mask opening and, on the top, its paste.
std::vector<Graphic> land(int16_t copperLayer, int16_t maskLayer, double width, double height,
                          MaskOpening mask = {}) {
    std::vector<Graphic> graphics{
        pad(pad_shape::Rectangle, copperLayer, width, height),
        pad(pad_shape::Rectangle, maskLayer, width + mask.growth.x, height + mask.growth.y, mask.shift)};
    if (copperLayer == layer::PadTop) {
        graphics.push_back(pad(pad_shape::Rectangle, layer::Spt, width, height));
    }
    return graphics;
}

std::vector<Graphic> viaCopper(double padSize, double drillSize) {
    return {roundPad(layer::PadTop, padSize), roundPad(layer::PadInner, padSize),
            roundPad(layer::PadBottom, padSize), drill(layer::Drill, drillSize)};
}

void addVias(Design& design) {
    padstack(design, geom::ViaTented, "VIA24_12_TENTED", {12, true}, viaCopper(24, 12));
    std::vector<Graphic> openVia = viaCopper(24, 12);
    openVia.push_back(roundPad(layer::Smt, 30));
    openVia.push_back(roundPad(layer::Smb, 30));
    padstack(design, geom::ViaOpen, "VIA24_12", {12, true}, openVia);
    padstack(design, geom::ViaLarge, "VIA40_24_TENTED", {24, true}, viaCopper(40, 24));
    // An 11 mil ring: with a pad 14.5 from something, its drill stays 25.5 away, beyond the via tests'
    // Marginal 25, so only the pad is found.
    padstack(design, geom::ViaWideRing, "VIA34_12_TENTED", {12, true}, viaCopper(34, 12));
    padstack(design, geom::ViaMicro, "VIA16_6_TENTED", {6, true}, viaCopper(16, 6));
}

void addPadstacks(Design& design) {
    addVias(design);
    padstack(design, geom::Smd0603, "SMD30X35", {}, land(layer::PadTop, layer::Smt, 30, 35));
    padstack(design, geom::SmdSoic, "SMD24X60", {}, land(layer::PadTop, layer::Smt, 24, 60));
    // Fine-pitch lands share one mask opening per row: each opening reaches into its neighbours'.
    const MaskOpening gang{.growth = {10, 6}};
    padstack(design, geom::SmdQfp, "SMD12X50", {}, land(layer::PadTop, layer::Smt, 12, 50, gang));
    // Soldermask Clearance for SMT Components: the opening leaves the land 3 mils under the mask.
    padstack(design, geom::SmdQfpPinOne, "SMD12X50_MASK_SHIFTED", {},
             land(layer::PadTop, layer::Smt, 12, 50, {.growth = gang.growth, .shift = {8, 0}}));
    padstack(design, geom::SmdSod, "SMD24X30", {}, land(layer::PadTop, layer::Smt, 24, 30));
    Pad tab{.shape = pad_shape::Complex,
            .complex = ComplexShape{
                .outline = {{-110, -90}, {110, -90}, {110, 50}, {60, 100}, {-60, 100}, {-110, 50}}}};
    padstack(design, geom::SmdTab, "DPAK_TAB", {}, {item(tab, layer::PadTop), item(tab, layer::Smt)});
    padstack(design, geom::ThRound, "TH60_38", {38, true},
             thruHole(pad_shape::Round, 60, 60, 38, PlaneJoint::Thermal));
    padstack(design, geom::ThSquare, "TH60_38_SQ", {38, true},
             thruHole(pad_shape::Square, 60, 60, 38, PlaneJoint::Solid));
    padstack(design, geom::ThOctagon, "TH64_40_OCT", {40, true},
             thruHole(pad_shape::Octagon, 64, 64, 40, PlaneJoint::Thermal));
    padstack(design, geom::ThOblong, "TH60X90_45", {45, true},
             thruHole(pad_shape::Oblong, 60, 90, 45, PlaneJoint::Solid));
    padstack(design, geom::ThThermal, "TH70_45_THERMAL", {45, true},
             thruHole(pad_shape::Square, 70, 70, 45, PlaneJoint::Thermal));
    padstack(design, geom::Fiducial, "FID40", {}, {roundPad(layer::PadTop, 40), roundPad(layer::Smt, 100)});
    padstack(design, geom::PanelFiducial, "FID_TARGET60", {},
             {pad(pad_shape::Target, layer::PadTop, 60), roundPad(layer::Smt, 140)});
    padstack(design, geom::Tooling, "TOOL125", {125, false},
             {drill(layer::DrillNpth, 125), pad(pad_shape::Blank, layer::PadTop, 0)});
    padstack(design, geom::Testpoint, "TP40", {}, {roundPad(layer::PadBottom, 40), roundPad(layer::Smb, 46)});
    padstack(design, geom::TestpointSmall, "TP16", {},
             {roundPad(layer::PadBottom, 16), roundPad(layer::Smb, 22)});
    padstack(design, geom::TestpointTop, "TP40_TOP", {},
             {roundPad(layer::PadTop, 40), roundPad(layer::Smt, 46)});
    padstack(design, geom::MountingHole, "MTG200_125", {125, true},
             {item(Pad{.shape = pad_shape::Donut, .sizeX = 200, .sizeY = 200, .ring = padRing(125)},
                   layer::PadTop),
              item(Pad{.shape = pad_shape::Donut, .sizeX = 200, .sizeY = 200, .ring = padRing(125)},
                   layer::PadBottom),
              drill(layer::Drill, 125), roundPad(layer::Smt, 210), roundPad(layer::Smb, 210)});
    padstack(design, geom::GoldTop, "FINGER60X300_TOP", {}, land(layer::PadTop, layer::Smt, 60, 300));
    padstack(design, geom::GoldBottom, "FINGER60X300_BOTTOM", {},
             land(layer::PadBottom, layer::Smb, 60, 300));
}

struct PinSpec {
    std::string ref;
    int16_t padstack;
    Point at;
    double rotation = 0;
};

void component(Design& design, int16_t number, std::string name, const std::vector<PinSpec>& pins, Ring body,
               std::vector<Graphic> extras = {}) {
    Geometry& geometry = block(design, number, std::move(name), block_type::Component);
    for (const PinSpec& pin : pins) {
        geometry.data.emplace_back(place(insert_type::Pin, pin.padstack, pin.at, pin.ref, pin.rotation));
    }
    const Ring silk = body;
    geometry.data.emplace_back(area(std::move(body), layer::BodyTop));
    for (std::size_t i = 0; i < silk.size(); ++i) {
        geometry.data.emplace_back(line(silk[i], silk[(i + 1) % silk.size()], 6, layer::Sst));
    }
    for (Graphic& graphic : extras) {
        geometry.data.emplace_back(std::move(graphic));
    }
}

// Pins in a row from `first`, `step` apart, numbered from `number`.
std::vector<PinSpec> row(int count, int number, int16_t padstack, Point first, Point step,
                         double rotation = 0) {
    std::vector<PinSpec> pins;
    for (int i = 0; i < count; ++i) {
        pins.push_back(
            {std::to_string(number + i), padstack, {first.x + step.x * i, first.y + step.y * i}, rotation});
    }
    return pins;
}

std::vector<PinSpec> joined(std::vector<std::vector<PinSpec>> rows) {
    std::vector<PinSpec> pins;
    for (auto& r : rows) {
        pins.insert(pins.end(), r.begin(), r.end());
    }
    return pins;
}

void addComponents(Design& design) {
    component(design, geom::R0603, "R0603", {{"1", geom::Smd0603, {-30, 0}}, {"2", geom::Smd0603, {30, 0}}},
              centred(100, 50));
    component(design, geom::Soic8, "SOIC8",
              joined({row(4, 1, geom::SmdSoic, {-75, -100}, {50, 0}),
                      row(4, 5, geom::SmdSoic, {75, 100}, {-50, 0})}),
              centred(160, 150), {item(Circle{{-60, -45}, 8, 0}, layer::Sst)});
    component(design, geom::Qfp32, "QFP32",
              joined({{{"1", geom::SmdQfpPinOne, {-70, -180}}},
                      row(7, 2, geom::SmdQfp, {-50, -180}, {20, 0}),
                      row(8, 9, geom::SmdQfp, {180, -70}, {0, 20}, 90),
                      row(8, 17, geom::SmdQfp, {70, 180}, {-20, 0}),
                      row(8, 25, geom::SmdQfp, {-180, 70}, {0, -20}, 90)}),
              centred(300, 300),
              {area(centred(400, 400), layer::NozzleTop, graphic_class::Normal, "", {centred(320, 320)})});
    component(
        design, geom::Dpak, "DPAK",
        {{"1", geom::SmdSoic, {-90, -150}}, {"2", geom::SmdSoic, {90, -150}}, {"3", geom::SmdTab, {0, 60}}},
        centred(260, 240, {0, 20}));
    component(design, geom::Dip8, "DIP8",
              joined({{{"1", geom::ThSquare, {-150, -150}}},
                      row(3, 2, geom::ThRound, {-50, -150}, {100, 0}),
                      row(4, 5, geom::ThRound, {150, 150}, {-100, 0})}),
              centred(420, 240));
    // Pin 1 joins the planes solid (Thru-hole Pin Thermal Ties to Plane Areas); pin 4 is an octagon
    // (Thru-hole Components Pad Shape).
    component(design, geom::Header4, "HDR1X4",
              joined({{{"1", geom::ThSquare, {0, 0}}},
                      row(2, 2, geom::ThRound, {100, 0}, {100, 0}),
                      {{"4", geom::ThOctagon, {300, 0}}}}),
              rectangle(-50, -50, 350, 50));
    // Pin 2 is oblong, its ring 7.5 wide: Thru-hole Components Pad Shape and Annular Ring.
    component(design, geom::TallConnector, "CONN2_TALL",
              {{"1", geom::ThThermal, {0, 0}}, {"2", geom::ThOblong, {150, 0}}},
              rectangle(-60, -80, 210, 80));
    Geometry& edge = block(design, geom::EdgeConnector, "EDGE6", block_type::Component);
    for (int i = 0; i < 6; ++i) {
        const Point at{100.0 * i, 0};
        edge.data.emplace_back(place(insert_type::Pin, geom::GoldTop, at, "A" + std::to_string(i + 1)));
        edge.data.emplace_back(place(insert_type::Pin, geom::GoldBottom, at, "B" + std::to_string(i + 1)));
    }
    // Its lands are 9 mils apart, so the soldermask between them is a 3 mil web.
    component(design, geom::Sod323, "SOD323",
              {{"1", geom::SmdSod, {-16.5, 0}}, {"2", geom::SmdSod, {16.5, 0}}}, centred(70, 50));
    // Shield tabs only; its body reaches 60 mils behind them, over the board's edge.
    component(design, geom::UsbConnector, "USB_MICRO",
              {{"1", geom::Smd0603, {30, -80}}, {"2", geom::Smd0603, {30, 80}}},
              rectangle(-60, -130, 140, 130));

    block(design, geom::PackageSoic8, "PKG_SOIC8", block_type::Package)
        .data.emplace_back(area(centred(160, 150), layer::PackageTop));
    block(design, geom::PackageQfp32, "PKG_QFP32", block_type::Package)
        .data.emplace_back(area(centred(300, 300), layer::PackageTop));
    block(design, geom::PackageSod323, "PKG_SOD323", block_type::Package)
        .data.emplace_back(area(centred(70, 50), layer::PackageTop));
    Geometry& logo = block(design, geom::Logo, "LOGO", block_type::Symbol);
    logo.data.emplace_back(area(rectangle(0, 0, 200, 60), layer::Top, graphic_class::Etch));
    logo.data.emplace_back(area(rectangle(-10, -10, 210, 70), layer::Smt));
}

// The board's items. Every fault is seeded on purpose, and its comment names the tests of
// examples/scripts/all-tests.dfm that find it (examples/designs/SEEDED.md lists them all); everything
// else keeps the limits of that script.

struct Placement {
    std::string ref;
    int16_t geometry;
    Point at;
    double rotation;
    bool bottom;
    std::string family;
    std::string height;
    PinNets nets;
    std::string flag = {}; // an attribute without value
};

Insert componentInsert(const Placement& p) {
    Insert insert = place(insert_type::Component, p.geometry, p.at, p.ref, p.rotation, p.bottom);
    insert.pinNets = p.nets;
    insert.attributes.set("PACKAGE_FAMILY", p.family);
    insert.attributes.set("COMPHEIGHT", p.height);
    if (!p.flag.empty()) {
        insert.attributes.set(p.flag, "");
    }
    return insert;
}

std::vector<Placement> placements() {
    return {
        {"R1", geom::R0603, {500, 1500}, 0, false, "R0603", "25", {{"1", "VCC"}, {"2", "SDA"}}},
        // Pin 1 Orientation: turned unlike R1, R3 and C1. Component Package To Component Package:
        // its body 10 from R1's.
        {"R2", geom::R0603, {585, 1500}, 90, false, "R0603", "25", {{"1", "VCC"}, {"2", "SCL"}}},
        // Component Package To Component Package: its body 20 from R1's.
        {"R3", geom::R0603, {480, 1430}, 0, false, "R0603", "25", {{"1", "LED"}, {"2", "GND"}}},
        // Placement Machine Tooling Keepout: its body reaches 5 into U2's nozzle keepout. Soldermask
        // Webbing: its mask opening 8 from U2's.
        {"C1", geom::R0603, {2237, 1470}, 0, false, "C0603", "35", {{"1", "VCC"}, {"2", "GND"}}},
        {"U1",
         geom::Soic8,
         {1200, 1400},
         0,
         false,
         "SOIC8",
         "70",
         {{"1", "SDA"}, {"2", "SCL"}, {"4", "GND"}, {"8", "VCC"}}},
        {"U2",
         geom::Qfp32,
         {2100, 1250},
         0,
         false,
         "QFP32",
         "60",
         {{"1", "SDA"}, {"2", "SCL"}, {"8", "GND"}, {"16", "VCC"}},
         "ALLOW_VIA_UNDER_PART"},
        {"Q1",
         geom::Dpak,
         {1400, 700},
         0,
         false,
         "DPAK",
         "90",
         {{"1", "LED"}, {"2", "GND"}, {"3", "VIN"}},
         "ALLOW_VIA_IN_PIN"},
        {"J1", geom::Dip8, {700, 700}, 0, false, "DIP8", "200", {{"1", "VIN"}, {"4", "GND"}, {"8", "VCC"}}},
        // Component Heights: Marginal.
        {"J2",
         geom::Header4,
         {2300, 400},
         0,
         false,
         "HDR1X4",
         "330",
         {{"1", "GND"}, {"2", "SDA"}, {"3", "SCL"}, {"4", "VCC"}}},
        // Top Surface Thru-hole Component Orientation: turned 90. Component Heights: Critical.
        {"J3", geom::TallConnector, {2700, 1450}, 90, false, "CONN2", "450", {{"1", "GND"}, {"2", "VIN"}}},
        // Its fingers stop 20 short of the edge: both gold finger tests, Minimum Component Clearance
        // To Board Outline.
        {"P1",
         geom::EdgeConnector,
         {950, 170},
         0,
         false,
         "GOLDFINGER",
         "0",
         {{"A1", "GND"}, {"B1", "GND"}, {"A2", "VIN"}}},
        // Soldermask Webbing: their own lands. Real Part To Real Part: 20 and 10 from U1's body.
        {"D1", geom::Sod323, {1335, 1360}, 0, false, "SOD323", "30", {}},
        {"D2", geom::Sod323, {1325, 1420}, 0, false, "SOD323", "30", {}},
        // Over the left edge: All Components Clearance To Panel Edges, Minimum Component Clearance To
        // Board Outline; its body 5 from T1: Board and Panel Tooling Hole Keepout.
        {"J4", geom::UsbConnector, {20, 847.5}, 0, false, "USB", "120", {}},
        // Keepout Around Thru Hole Pin on Non-Mount Side: its body 7 from J1-8's bottom pad.
        {"R5", geom::R0603, {500, 912}, 0, true, "R0603", "25", {{"1", "LED"}, {"2", "GND"}}},
        // Bottom Surface SMT Component Orientation: turned 90.
        {"C2", geom::R0603, {1700, 500}, 90, true, "C0603", "35", {{"1", "VCC"}, {"2", "GND"}}},
        // Component Over Component: under U1. Components Not Allowed Per Surface: a SOIC8 on the
        // bottom.
        {"U3", geom::Soic8, {1350, 1450}, 0, true, "SOIC8", "70", {{"1", "SDA"}, {"4", "GND"}, {"8", "VCC"}}},
    };
}

struct RealPart {
    std::string_view ref;
    int16_t package;
    std::string_view family;
    Point at;
    bool bottom = false;
};

const std::array kRealParts{
    RealPart{"U1", geom::PackageSoic8, "SOIC8", {1200, 1400}},
    RealPart{"U2", geom::PackageQfp32, "QFP32", {2100, 1250}},
    RealPart{"U3", geom::PackageSoic8, "SOIC8", {1350, 1450}, true},
    RealPart{"D1", geom::PackageSod323, "SOD323", {1335, 1360}},
    RealPart{"D2", geom::PackageSod323, "SOD323", {1325, 1420}},
};

struct ViaSpec {
    int16_t padstack;
    Point at;
    std::string_view net;
    bool testpoint = false;
};

const std::array kVias{
    // Via Edge To Component Pad Edge: 20 from U1-8 (Marginal) and 14.5 from U1-1 (Critical).
    ViaSpec{geom::ViaTented, {1081, 1500}, "SDA"},
    ViaSpec{geom::ViaWideRing, {1081.5, 1300}, "SCL"},
    // Via Under Component: under U1, which does not allow it.
    ViaSpec{geom::ViaTented, {1200, 1400}, "GND"},
    ViaSpec{geom::ViaTented, {2100, 1250}, "GND"}, // under U2, which allows it
    // In Q1's tab, which allows it; Via Under Component: under Q1's body, which does not.
    ViaSpec{geom::ViaOpen, {1400, 700}, "VIN"},
    // 20 apart: Via Edge To Via Edge and Via Edge To Testpoint, Marginal; both 4 from the SCL trace
    // below them: Distance Between Copper, Marginal.
    ViaSpec{geom::ViaOpen, {1800, 969}, "VCC", true},
    ViaSpec{geom::ViaOpen, {1844, 969}, "GND"},
    // Board and Panel Tooling Hole Keepout: 15 from T2.
    ViaSpec{geom::ViaTented, {2760.5, 650}, "VCC"},
    // 14.5 apart: Via Edge To Via Edge and Via Edge To Testpoint, Critical.
    ViaSpec{geom::ViaWideRing, {1150, 650}, "VIN", true},
    ViaSpec{geom::ViaWideRing, {1150, 601.5}, "GND"},
    // Via Pad Size, Via Hole Size.
    ViaSpec{geom::ViaLarge, {1600, 1500}, "GND"},
    // Thickness to Drill Diameter Maximum Aspect Ratio; Minimum Via Pad Edge Clearance To Board
    // Outline.
    ViaSpec{geom::ViaMicro, {1000, 1867.5}, "GND"},
    // Via In SMT Pad: in U1-4, whose part does not allow it.
    ViaSpec{geom::ViaTented, {1275, 1261}, "GND"},
    // Via Edge To Feature: 20 from the mounting hole (Marginal), 14.5 from the copper without a net
    // (Critical).
    ViaSpec{geom::ViaTented, {150, 1068}, "VCC"},
    ViaSpec{geom::ViaWideRing, {2760, 221.5}, "VCC"},
    // Custom Keepouts: 15 from J2's body.
    ViaSpec{geom::ViaTented, {2450, 477}, "GND"},
};

struct TestpointSpec {
    std::string_view ref;
    int16_t padstack;
    Point at;
    std::string_view net;
};

// LED has no testpoint: the three testpoints-per-net tests.
const std::array kTestpoints{
    // Testpoint Edge To Component Pin Edge: 22 from J1-1.
    TestpointSpec{"TP1", geom::Testpoint, {550, 478}, "GND"},
    // Testpoint Edge To Feature: 22 from the mounting hole.
    TestpointSpec{"TP2", geom::Testpoint, {292, 1200}, "VCC"},
    // Testpoint Pad Size: too small. Testpoint Center To Testpoint Center: 65 from TP4.
    TestpointSpec{"TP3", geom::TestpointSmall, {685, 485}, "SDA"},
    // Testpoint Edge To Component Pin Edge: 15 from J1-3.
    TestpointSpec{"TP4", geom::Testpoint, {750, 485}, "SCL"},
    // Testpoint Center To Component Body: 45 from tall J2.
    TestpointSpec{"TP5", geom::TestpointTop, {2300, 495}, "GND"},
    // Testpoint Edge To Feature: 15 from the mounting hole. Testpoint Center To Testpoint Center:
    // 45 from TP7.
    TestpointSpec{"TP6", geom::TestpointTop, {150, 1335}, "SDA"},
    TestpointSpec{"TP7", geom::TestpointTop, {150, 1380}, "SCL"},
    // Testpoint Center To Component Body: 15 from short Q1.
    TestpointSpec{"TP8", geom::TestpointTop, {1255, 620}, "VIN"},
    // Minimum Testpoint Pad Edge Clearance To Board Outline. With TP2, TP6 and TP7 four testpoints
    // in one half-inch square (Testpad Density, Critical); TP1, TP3 and TP4 are three (Marginal).
    TestpointSpec{"TP9", geom::TestpointTop, {100, 1450}, "GND"},
};

struct Trace {
    Point from;
    Point to;
    double width;
    int16_t layer;
    std::string_view net;
};

const std::array kTraces{
    Trace{{530, 1500}, {530, 1580}, 10, layer::Top, "SDA"},
    Trace{{530, 1580}, {1081, 1580}, 10, layer::Top, "SDA"},
    Trace{{1081, 1580}, {1081, 1500}, 10, layer::Top, "SDA"},
    // Etch Width: Marginal.
    Trace{{1081.5, 1300}, {1081.5, 948}, 6, layer::Top, "SCL"},
    Trace{{1081.5, 948}, {2050, 948}, 10, layer::Top, "SCL"},
    Trace{{2050, 948}, {2050, 1070}, 10, layer::Top, "SCL"},
    Trace{{1800, 969}, {1800, 1150}, 10, layer::Top, "VCC"},
    Trace{{1700, 1250}, {1600, 1250}, 10, layer::Top, "VCC"},
    // Between U2-4 and U2-5: Routes Between SMT Pads; 2 from each: Distance Between Copper, Critical.
    Trace{{2100, 1250}, {2100, 990}, 4, layer::Top, "GND"},
    // Along the edge: Minimum Etch Edge Clearance To Board Outline.
    Trace{{950, 100}, {700, 100}, 10, layer::Top, "GND"},
    // Etch Width: Critical.
    Trace{{1081, 1500}, {1081, 1800}, 4, layer::Bottom, "SDA"},
    Trace{{1400, 700}, {1150, 650}, 20, layer::Bottom, "VIN"},
    Trace{{1150, 650}, {550, 650}, 20, layer::Bottom, "VIN"},
    Trace{{550, 650}, {550, 550}, 20, layer::Bottom, "VIN"},
};

void addBoardItems(Geometry& board) {
    auto add = [&board](auto value) { board.data.emplace_back(std::move(value)); };
    for (const Placement& p : placements()) {
        add(componentInsert(p));
    }
    for (const RealPart& part : kRealParts) {
        Insert body = place(part.bottom ? insert_type::RealPartBottom : insert_type::RealPartTop,
                            part.package, part.at, std::string(part.ref), 0, part.bottom);
        body.attributes.set("RealPart_PackageFamily", std::string(part.family));
        add(body);
    }
    for (const ViaSpec& via : kVias) {
        Insert insert = place(insert_type::Via, via.padstack, via.at, "");
        insert.net = std::string(via.net);
        if (via.testpoint) {
            insert.attributes.set("TEST", "");
        }
        add(insert);
    }
    for (const TestpointSpec& testpoint : kTestpoints) {
        Insert insert =
            place(insert_type::Testpoint, testpoint.padstack, testpoint.at, std::string(testpoint.ref));
        insert.net = std::string(testpoint.net);
        insert.attributes.set("TEST", "");
        add(insert);
    }

    add(place(insert_type::Fiducial, geom::Fiducial, {150, 1850}, "FID1"));
    add(place(insert_type::Fiducial, geom::Fiducial, {2850, 1850}, "FID2"));
    add(place(insert_type::Fiducial, geom::Fiducial, {2850, 150}, "FID3"));
    // The only bottom fiducial, too near the edge to hold a corner: Board Fiducials in Four Corners,
    // Fiducial Clearance To Board Outline.
    add(place(insert_type::Fiducial, geom::Fiducial, {100, 150}, "FID4", 0, true));
    add(place(insert_type::ToolingHole, geom::Tooling, {150, 650}, "T1"));
    add(place(insert_type::ToolingHole, geom::Tooling, {2850, 650}, "T2"));
    Insert mounting = place(insert_type::FreePad, geom::MountingHole, {150, 1200}, "MTG1");
    mounting.net = "GND";
    add(mounting);
    // Board and Panel Fiducial Keepout: 15 from FID2.
    add(place(insert_type::Unclassified, geom::Logo, {2615, 1820}, "LOGO1"));

    const Ring outline = rectangle(0, 0, 3000, 2000);
    for (std::size_t i = 0; i < outline.size(); ++i) {
        add(line(outline[i], outline[(i + 1) % outline.size()], 5, layer::BoardOutline,
                 graphic_class::BoardOutline));
    }
    for (const Trace& trace : kTraces) {
        add(line(trace.from, trace.to, trace.width, trace.layer, graphic_class::Etch,
                 std::string(trace.net)));
    }
    add(item(Arc{{1700, 1150}, 100, 0, 90, 10}, layer::Top, graphic_class::Etch, "VCC"));
    // Copper without a net, 7 from J2's body (Custom Keepouts) and 5 from FID3 (Board and Panel
    // Fiducial Keepout).
    add(area({{2655, 140}, {2825, 140}, {2825, 190}, {2700, 190}, {2700, 345}, {2655, 345}}, layer::Top,
             graphic_class::Etch));
    const Ring planes = rectangle(275, 275, 2725, 1725);
    add(area(planes, layer::Gnd, graphic_class::Etch, "GND",
             {centred(120, 120, {1400, 700}), centred(80, 80, {1800, 969})}));
    add(area(planes, layer::Pwr, graphic_class::Etch, "VCC", {centred(80, 80, {1844, 969})}));
    add(area(centred(80, 80, {1400, 700}), layer::AntipadGnd));
    add(line({100, 1950}, {600, 1950}, 6, layer::Sst));
    add(line({100, 50}, {600, 50}, 6, layer::Ssb));
}

Design baseDesign(std::string name) {
    Design design;
    design.name = std::move(name);
    design.pageUnits = page_units::Mils;
    design.keywords = {
        {"PACKAGE_FAMILY", "PACKAGE_FAMILY", "PACKAGE_FAMILY", keyword_type::Text, false},
        {"COMPHEIGHT", "COMP_HEIGHT", "COMPHEIGHT", keyword_type::UnitDouble, false},
        {"TEST", "TESTPOINT", "TEST", keyword_type::Flag, false},
        {"ALLOW_VIA_UNDER_PART", "ALLOW_VIA_UNDER_PART", "ALLOW_VIA_UNDER_PART", keyword_type::Flag, false},
        {"ALLOW_VIA_IN_PIN", "ALLOW_VIA_IN_PIN", "ALLOW_VIA_IN_PIN", keyword_type::Flag, false},
        {"RealPart_PackageFamily", "RealPart_PackageFamily", "RealPart_PackageFamily", keyword_type::Text,
         false},
    };
    addLayers(design);
    addPadstacks(design);
    addComponents(design);
    Geometry& board = block(design, geom::Board, "CTRL_BOARD", block_type::Board);
    board.thickness = 62;
    addBoardItems(board);
    return design;
}

// 3.4 by 5.0 in, rails along x: 3.4 in long in its travel, shorter than 5 in (Panel Dimensions) and
// than 1.5 times its 5 in width (Panel Length To Width Ratio).
void addPanel(Design& design) {
    Geometry& panel = block(design, geom::Panel, "PANEL_2UP", block_type::Panel);
    auto add = [&panel](auto value) { panel.data.emplace_back(std::move(value)); };
    add(place(insert_type::Board, geom::Board, {200, 450}, "B1"));
    add(place(insert_type::Board, geom::Board, {200, 2550}, "B2"));
    const Ring outline = rectangle(0, 0, 3400, 5000);
    for (std::size_t i = 0; i < outline.size(); ++i) {
        add(line(outline[i], outline[(i + 1) % outline.size()], 5, layer::PanelOutline,
                 graphic_class::PanelOutline));
    }
    add(area(rectangle(0, 0, 3400, 400), layer::PanelOutline, graphic_class::PanelRail));
    add(area(rectangle(0, 4600, 3400, 5000), layer::PanelOutline, graphic_class::PanelRail));
    add(place(insert_type::Fiducial, geom::PanelFiducial, {290, 290}, "PFID1"));
    add(place(insert_type::Fiducial, geom::PanelFiducial, {3110, 290}, "PFID2"));
    add(place(insert_type::Fiducial, geom::PanelFiducial, {290, 4710}, "PFID3"));
    // The only bottom panel fiducial, 70 from the rail edge: Fiducial Clearance To Panel Edge, Panel
    // Fiducials In Corners.
    add(place(insert_type::Fiducial, geom::PanelFiducial, {3110, 4900}, "PFID4", 0, true));
    add(place(insert_type::ToolingHole, geom::Tooling, {200, 200}, "PT1"));
    // 400 from the right edge, outside its corner window: Panel Tooling Holes In Corners.
    add(place(insert_type::ToolingHole, geom::Tooling, {3000, 4800}, "PT2"));
}

} // namespace

std::vector<ExampleDesign> exampleDesigns() {
    Design panel = baseDesign("Controller board, two-up panel");
    addPanel(panel);
    panel.files = {File{.number = 1, .name = "panel_2up.cc", .geometry = geom::Panel},
                   File{.number = 2, .name = "ctrl_board.cc", .show = false, .geometry = geom::Board}};

    Design board = baseDesign("Controller board");
    board.files = {File{.number = 1, .name = "ctrl_board.cc", .geometry = geom::Board}};

    std::vector<ExampleDesign> designs;
    designs.push_back({"panel-two-up.json", std::move(panel)});
    designs.push_back({"single-board.json", std::move(board)});
    return designs;
}

} // namespace lumora::engine
