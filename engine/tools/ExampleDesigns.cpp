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
                  GoldBottom = 18;
constexpr int16_t R0603 = 20, Soic8 = 21, Qfp32 = 22, Dpak = 23, Dip8 = 24, Header4 = 25, TallConnector = 26,
                  EdgeConnector = 27;
constexpr int16_t PackageSoic8 = 40, PackageQfp32 = 41, Logo = 42;
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
                  .at = at,
                  .rotation = rotation,
                  .mirror = mirror,
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

// Thru-hole copper on both sides and the inner layers, its drill, and mask openings 6 mils larger.
std::vector<Graphic> thruHole(int16_t shape, double width, double height, double drillSize) {
    return {pad(shape, layer::PadTop, width, height),      pad(pad_shape::Round, layer::PadInner, width),
            pad(shape, layer::PadBottom, width, height),   drill(layer::Drill, drillSize),
            pad(shape, layer::Smt, width + 6, height + 6), pad(shape, layer::Smb, width + 6, height + 6)};
}

// A surface-mount land with its mask opening and paste.
std::vector<Graphic> land(int16_t copperLayer, int16_t maskLayer, double width, double height) {
    std::vector<Graphic> graphics{pad(pad_shape::Rectangle, copperLayer, width, height),
                                  pad(pad_shape::Rectangle, maskLayer, width + 6, height + 6)};
    if (copperLayer == layer::PadTop) {
        graphics.push_back(pad(pad_shape::Rectangle, layer::Spt, width, height));
    }
    return graphics;
}

void addPadstacks(Design& design) {
    const std::vector<Graphic> viaCopper{roundPad(layer::PadTop, 24), roundPad(layer::PadInner, 24),
                                         roundPad(layer::PadBottom, 24), drill(layer::Drill, 12)};
    padstack(design, geom::ViaTented, "VIA24_12_TENTED", {12, true}, viaCopper);
    std::vector<Graphic> openVia = viaCopper;
    openVia.push_back(roundPad(layer::Smt, 30));
    openVia.push_back(roundPad(layer::Smb, 30));
    padstack(design, geom::ViaOpen, "VIA24_12", {12, true}, openVia);
    padstack(design, geom::Smd0603, "SMD30X35", {}, land(layer::PadTop, layer::Smt, 30, 35));
    padstack(design, geom::SmdSoic, "SMD24X60", {}, land(layer::PadTop, layer::Smt, 24, 60));
    padstack(design, geom::SmdQfp, "SMD12X50", {}, land(layer::PadTop, layer::Smt, 12, 50));
    Pad tab{.shape = pad_shape::Complex,
            .outline = {{-110, -90}, {110, -90}, {110, 50}, {60, 100}, {-60, 100}, {-110, 50}}};
    padstack(design, geom::SmdTab, "DPAK_TAB", {}, {item(tab, layer::PadTop), item(tab, layer::Smt)});
    padstack(design, geom::ThRound, "TH60_38", {38, true}, thruHole(pad_shape::Round, 60, 60, 38));
    padstack(design, geom::ThSquare, "TH60_38_SQ", {38, true}, thruHole(pad_shape::Square, 60, 60, 38));
    padstack(design, geom::ThOctagon, "TH64_40_OCT", {40, true}, thruHole(pad_shape::Octagon, 64, 64, 40));
    padstack(design, geom::ThOblong, "TH60X90_45", {45, true}, thruHole(pad_shape::Oblong, 60, 90, 45));
    std::vector<Graphic> thermal = thruHole(pad_shape::Round, 70, 70, 45);
    thermal[1] = item(Pad{.shape = pad_shape::Thermal,
                          .sizeX = 90,
                          .sizeY = 90,
                          .inner = 60,
                          .spokes = 4,
                          .spokeWidth = 12},
                      layer::PadInner);
    padstack(design, geom::ThThermal, "TH70_45_THERMAL", {45, true}, thermal);
    padstack(design, geom::Fiducial, "FID40", {}, {roundPad(layer::PadTop, 40), roundPad(layer::Smt, 100)});
    padstack(design, geom::PanelFiducial, "FID_TARGET60", {},
             {pad(pad_shape::Target, layer::PadTop, 60), roundPad(layer::Smt, 140)});
    padstack(design, geom::Tooling, "TOOL125", {125, false},
             {drill(layer::DrillNpth, 125), pad(pad_shape::Blank, layer::PadTop, 0)});
    padstack(design, geom::Testpoint, "TP40", {}, {roundPad(layer::PadBottom, 40), roundPad(layer::Smb, 46)});
    padstack(
        design, geom::MountingHole, "MTG200_125", {125, true},
        {item(Pad{.shape = pad_shape::Donut, .sizeX = 200, .sizeY = 200, .inner = 125}, layer::PadTop),
         item(Pad{.shape = pad_shape::Donut, .sizeX = 200, .sizeY = 200, .inner = 125}, layer::PadBottom),
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
              joined({row(8, 1, geom::SmdQfp, {-70, -180}, {20, 0}),
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
    component(design, geom::Header4, "HDR1X4", row(4, 1, geom::ThOctagon, {0, 0}, {100, 0}),
              rectangle(-50, -50, 350, 50));
    component(design, geom::TallConnector, "CONN2_TALL",
              {{"1", geom::ThThermal, {0, 0}}, {"2", geom::ThOblong, {150, 0}}},
              rectangle(-60, -80, 210, 80));
    Geometry& edge = block(design, geom::EdgeConnector, "EDGE6", block_type::Component);
    for (int i = 0; i < 6; ++i) {
        const Point at{100.0 * i, 0};
        edge.data.emplace_back(place(insert_type::Pin, geom::GoldTop, at, "A" + std::to_string(i + 1)));
        edge.data.emplace_back(place(insert_type::Pin, geom::GoldBottom, at, "B" + std::to_string(i + 1)));
    }

    block(design, geom::PackageSoic8, "PKG_SOIC8", block_type::Package)
        .data.emplace_back(area(centred(160, 150), layer::PackageTop));
    block(design, geom::PackageQfp32, "PKG_QFP32", block_type::Package)
        .data.emplace_back(area(centred(300, 300), layer::PackageTop));
    Geometry& logo = block(design, geom::Logo, "LOGO", block_type::Symbol);
    logo.data.emplace_back(area(rectangle(0, 0, 200, 60), layer::Top, graphic_class::Etch));
    logo.data.emplace_back(area(rectangle(-10, -10, 210, 70), layer::Smt));
}

struct Placement {
    std::string ref;
    int16_t geometry;
    Point at;
    double rotation;
    bool bottom;
    std::string family;
    std::string height;
    std::map<std::string, std::string> nets;
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
        {"R2", geom::R0603, {650, 1500}, 90, false, "R0603", "25", {{"1", "VCC"}, {"2", "SCL"}}},
        {"R3", geom::R0603, {500, 1300}, 0, false, "R0603", "25", {{"1", "LED"}, {"2", "GND"}}},
        {"C1", geom::R0603, {1600, 1650}, 0, false, "C0603", "35", {{"1", "VCC"}, {"2", "GND"}}},
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
        {"J2",
         geom::Header4,
         {2300, 400},
         0,
         false,
         "HDR1X4",
         "330",
         {{"1", "GND"}, {"2", "SDA"}, {"3", "SCL"}, {"4", "VCC"}}},
        {"J3", geom::TallConnector, {2650, 1650}, 0, false, "CONN2", "450", {{"1", "GND"}, {"2", "VIN"}}},
        {"P1",
         geom::EdgeConnector,
         {950, 150},
         0,
         false,
         "GOLDFINGER",
         "0",
         {{"A1", "GND"}, {"B1", "GND"}, {"A2", "VIN"}}},
        {"R5", geom::R0603, {500, 900}, 0, true, "R0603", "25", {{"1", "LED"}, {"2", "GND"}}},
        {"C2", geom::R0603, {1700, 500}, 90, true, "C0603", "35", {{"1", "VCC"}, {"2", "GND"}}},
        {"U3", geom::Soic8, {2000, 650}, 90, true, "SOIC8", "70", {{"1", "SDA"}, {"4", "GND"}, {"8", "VCC"}}},
    };
}

void addBoardItems(Geometry& board) {
    auto add = [&board](auto value) { board.data.emplace_back(std::move(value)); };
    for (const Placement& p : placements()) {
        add(componentInsert(p));
    }

    Insert soicBody = place(insert_type::RealPartTop, geom::PackageSoic8, {1200, 1400}, "U1");
    soicBody.attributes.set("RealPart_PackageFamily", "SOIC8");
    add(soicBody);
    Insert qfpBody = place(insert_type::RealPartTop, geom::PackageQfp32, {2100, 1250}, "U2");
    qfpBody.attributes.set("RealPart_PackageFamily", "QFP32");
    add(qfpBody);
    Insert bottomBody = place(insert_type::RealPartBottom, geom::PackageSoic8, {2000, 650}, "U3", 90, true);
    bottomBody.attributes.set("RealPart_PackageFamily", "SOIC8");
    add(bottomBody);

    auto via = [&](int16_t padstack, Point at, std::string net, bool testpoint = false) {
        Insert insert = place(insert_type::Via, padstack, at, "");
        insert.net = std::move(net);
        if (testpoint) {
            insert.attributes.set("TEST", "");
        }
        add(insert);
    };
    via(geom::ViaTented, {1000, 1500}, "SDA");
    via(geom::ViaTented, {1000, 1300}, "SCL");
    via(geom::ViaTented, {1200, 1400}, "GND"); // under U1
    via(geom::ViaTented, {2100, 1250}, "GND"); // under U2, which allows it
    via(geom::ViaOpen, {1400, 700}, "VIN");    // in Q1's tab
    via(geom::ViaOpen, {1800, 1000}, "VCC", true);
    via(geom::ViaOpen, {1850, 1000}, "GND");
    via(geom::ViaTented, {300, 1700}, "VCC");

    const std::array<std::pair<Point, std::string>, 4> testpoints{
        {{{400, 400}, "GND"}, {{1700, 300}, "VCC"}, {{2500, 900}, "SDA"}, {{2600, 900}, "SCL"}}};
    for (std::size_t i = 0; i < testpoints.size(); ++i) {
        Insert insert =
            place(insert_type::Testpoint, geom::Testpoint, testpoints[i].first, "TP" + std::to_string(i + 1));
        insert.net = testpoints[i].second;
        insert.attributes.set("TEST", "");
        add(insert);
    }

    add(place(insert_type::Fiducial, geom::Fiducial, {150, 1850}, "FID1"));
    add(place(insert_type::Fiducial, geom::Fiducial, {2850, 1850}, "FID2"));
    add(place(insert_type::Fiducial, geom::Fiducial, {2850, 150}, "FID3"));
    add(place(insert_type::Fiducial, geom::Fiducial, {150, 150}, "FID4", 0, true));
    add(place(insert_type::ToolingHole, geom::Tooling, {150, 650}, "T1"));
    add(place(insert_type::ToolingHole, geom::Tooling, {2850, 650}, "T2"));
    Insert mounting = place(insert_type::FreePad, geom::MountingHole, {150, 1200}, "MTG1");
    mounting.net = "GND";
    add(mounting);
    add(place(insert_type::Unclassified, geom::Logo, {2450, 1830}, "LOGO1"));

    const Ring outline = rectangle(0, 0, 3000, 2000);
    for (std::size_t i = 0; i < outline.size(); ++i) {
        add(line(outline[i], outline[(i + 1) % outline.size()], 5, layer::BoardOutline,
                 graphic_class::BoardOutline));
    }
    add(line({530, 1500}, {970, 1500}, 8, layer::Top, graphic_class::Etch, "SDA"));
    add(line({1000, 1500}, {1125, 1500}, 8, layer::Top, graphic_class::Etch, "SDA"));
    add(line({675, 1300}, {1000, 1300}, 8, layer::Top, graphic_class::Etch, "SCL"));
    add(line({1090, 1610}, {1975, 1430}, 6, layer::Top, graphic_class::Etch, "SCL"));
    add(item(Arc{{1600, 1000}, 200, 180, 90, 10}, layer::Top, graphic_class::Etch, "VCC"));
    add(line({1600, 800}, {1800, 1000}, 10, layer::Top, graphic_class::Etch, "VCC"));
    add(line({1000, 1300}, {1000, 900}, 8, layer::Bottom, graphic_class::Etch, "SCL"));
    add(line({1850, 1000}, {2500, 900}, 8, layer::Bottom, graphic_class::Etch, "SDA"));
    add(line({1400, 700}, {850, 850}, 20, layer::Bottom, graphic_class::Etch, "VIN"));
    add(area(rectangle(2200, 150, 2400, 200), layer::Top, graphic_class::Etch)); // copper without a net
    add(area(rectangle(20, 20, 2980, 1980), layer::Gnd, graphic_class::Etch, "GND",
             {centred(120, 120, {1400, 700}), centred(80, 80, {1800, 1000})}));
    add(area(rectangle(20, 20, 2980, 1980), layer::Pwr, graphic_class::Etch, "VCC",
             {centred(80, 80, {1850, 1000})}));
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

void addPanel(Design& design) {
    Geometry& panel = block(design, geom::Panel, "PANEL_2UP", block_type::Panel);
    auto add = [&panel](auto value) { panel.data.emplace_back(std::move(value)); };
    add(place(insert_type::Board, geom::Board, {200, 500}, "B1"));
    add(place(insert_type::Board, geom::Board, {200, 2700}, "B2"));
    const Ring outline = rectangle(0, 0, 3400, 5200);
    for (std::size_t i = 0; i < outline.size(); ++i) {
        add(line(outline[i], outline[(i + 1) % outline.size()], 5, layer::PanelOutline,
                 graphic_class::PanelOutline));
    }
    add(area(rectangle(0, 0, 3400, 400), layer::PanelOutline, graphic_class::PanelRail));
    add(area(rectangle(0, 4800, 3400, 5200), layer::PanelOutline, graphic_class::PanelRail));
    add(place(insert_type::Fiducial, geom::PanelFiducial, {600, 200}, "PFID1"));
    add(place(insert_type::Fiducial, geom::PanelFiducial, {2800, 200}, "PFID2"));
    add(place(insert_type::Fiducial, geom::PanelFiducial, {600, 5000}, "PFID3"));
    add(place(insert_type::Fiducial, geom::PanelFiducial, {2800, 5000}, "PFID4", 0, true));
    add(place(insert_type::ToolingHole, geom::Tooling, {200, 200}, "PT1"));
    add(place(insert_type::ToolingHole, geom::Tooling, {3200, 200}, "PT2"));
    add(place(insert_type::ToolingHole, geom::Tooling, {200, 5000}, "PT3"));
    add(place(insert_type::ToolingHole, geom::Tooling, {3200, 5000}, "PT4"));
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
