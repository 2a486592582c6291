#include "engine/io/kicad/KicadFootprints.h"

#include "engine/geom/Areas.h"
#include "engine/geom/Transform.h"
#include "engine/io/kicad/KicadIdentity.h"
#include "engine/model/NumberText.h"

#include <array>
#include <map>

namespace lumora::engine::kicad {

namespace {

// Footprint fields that give a component's height, compared without regard to case.
constexpr std::array<std::string_view, 4> kHeightFields{"Height", "COMPHEIGHT", "Component Height",
                                                        "Comp Height"};

// Units a height may be written in, and their size in millimetres.
constexpr std::array<std::pair<std::string_view, double>, 4> kHeightUnits{
    {{"mm", 1}, {"mil", 0.0254}, {"in", 25.4}, {"um", 0.001}}};

// "5", "5 mm", "200mil", "0.2in": the height in millimetres.
std::optional<double> heightInMillimetres(std::string_view text) {
    double factor = 1;
    for (const auto& [unit, size] : kHeightUnits) {
        if (text.ends_with(unit)) {
            text.remove_suffix(unit.size());
            factor = size;
            break;
        }
    }
    const std::optional<double> value = parseNumber(text);
    return value ? std::optional<double>(*value * factor) : std::nullopt;
}

// The envelope of the drawings of one layer, as the rectangle a component body is outlined by: of
// their centre lines, since the pen only makes the drawing visible.
struct Envelope {
    std::optional<Box> box;
    void add(Shape shape) {
        std::visit(
            [](auto& s) {
                if constexpr (requires { s.width; }) {
                    s.width = 0;
                }
            },
            shape);
        if (const std::optional<Box> extent = extentOf(shape)) {
            if (box) {
                bg::expand(*box, *extent);
            } else {
                box = extent;
            }
        }
    }
};

struct Drawings {
    std::vector<Graphic> graphics;
    std::vector<Shape> edges;
    Envelope fab;
    Envelope courtyard;
};

Drawings drawingsOf(const sexpr::Expr& footprint, const LayerMap& layers, const Frame& frame, bool bottom) {
    Drawings drawings;
    footprint.forEachList([&](const sexpr::Expr& item) {
        if (!item.head().starts_with("fp_") || item.head() == "fp_text") {
            return;
        }
        const std::string_view written = item.textOf("layer");
        const std::string layerName = bottom ? flippedLayerName(written) : std::string(written);
        std::vector<Shape> shapes = drawingShapes(item, frame);
        Envelope* envelope = isFabLayer(layerName)         ? &drawings.fab
                             : isCourtyardLayer(layerName) ? &drawings.courtyard
                                                           : nullptr;
        const std::optional<int16_t> layer = layers.find(layerName);
        for (Shape& shape : shapes) {
            if (envelope) {
                envelope->add(std::move(shape));
            } else if (layer == layers.outline()) {
                drawings.edges.push_back(std::move(shape));
            } else if (layer) {
                drawings.graphics.push_back(Graphic{
                    .shape = std::move(shape),
                    .layer = *layer,
                    .graphicClass = layers.isCopper(*layer) ? graphic_class::Etch : graphic_class::Normal});
            }
        }
    });
    return drawings;
}

// The name itself, else with the first " #N" no geometry has: a footprint may be called "U1 #2".
std::string uniqueName(GeometryNames& names, const std::string& name) {
    std::string candidate = name;
    int& repeat = names.nextRepeat.try_emplace(name, 2).first->second;
    while (!names.used.insert(candidate).second) {
        candidate = name + " #" + std::to_string(repeat++);
    }
    return candidate;
}

// The footprint's (property "name" "value") of a field, which names compare without regard to case.
sexpr::Expr propertyNamed(const sexpr::Expr& footprint, std::string_view field) {
    std::optional<sexpr::Expr> found;
    footprint.forEachList([&](const sexpr::Expr& item) {
        if (!found && item.head() == "property" && item.size() > 2 && sameKeyword(item.at(1).text(), field)) {
            found = item;
        }
    });
    return *found;
}

// COMPHEIGHT from the first height field that holds a number; a negative one is no height a part
// can have, and would pass every limit.
void setHeight(Insert& insert, const sexpr::Expr& footprint) {
    for (std::string_view field : kHeightFields) {
        const std::string* height = insert.attributes.find(field);
        const std::optional<double> millimetres = height ? heightInMillimetres(*height) : std::nullopt;
        if (!millimetres) {
            continue;
        }
        if (*millimetres < 0) {
            propertyNamed(footprint, field).at(2).fail("a component height cannot be negative");
        }
        insert.attributes.set("COMPHEIGHT", formatNumber(*millimetres));
        return;
    }
}

void setAttributes(Insert& insert, const sexpr::Expr& footprint, std::string_view libraryName) {
    footprint.forEachList([&](const sexpr::Expr& item) {
        if (item.head() == "property" && item.size() > 2) {
            const std::string_view name = item.at(1).text();
            if (name.empty()) {
                item.at(1).fail("a property needs a name"); // an attribute without a keyword
            }
            if (name == "Reference") {
                insert.refName = std::string(item.at(2).text());
            } else {
                insert.attributes.set(name == "Value" ? "VALUE" : name, std::string(item.at(2).text()));
            }
        } else if (item.head() == "fp_text" && item.size() > 2 && item.at(1).text() == "reference") {
            insert.refName = std::string(item.at(2).text());
        } else if (item.head() == "fp_text" && item.size() > 2 && item.at(1).text() == "value") {
            insert.attributes.set("VALUE", std::string(item.at(2).text()));
        }
    });
    insert.attributes.set("PACKAGE_FAMILY", std::string(libraryName));
    setHeight(insert, footprint);
    if (const std::optional<sexpr::Expr> attr = footprint.find("attr")) {
        std::string words;
        for (const sexpr::Expr& word : attr->children()) {
            if (!word.isList() && word.text() != "attr") {
                words += words.empty() ? "" : " ";
                words += word.text();
            }
        }
        insert.attributes.set("KICAD_ATTR", words);
    }
}

// How many of the footprint's pads carry each number.
std::map<std::string_view, int> padNumberUses(const std::vector<sexpr::Expr>& pads) {
    std::map<std::string_view, int> uses;
    for (const sexpr::Expr& pad : pads) {
        ++uses[pad.at(1).text()];
    }
    return uses;
}

} // namespace

PlacedFootprint readFootprint(const sexpr::Expr& footprint, FootprintContext& context) {
    const sexpr::Expr at = footprint.require("at");
    const std::string_view libraryName = footprint.at(1).text();
    const bool bottom = footprint.textOf("layer") == "B.Cu";
    const double angle = at.size() > 3 ? at.number(3) : 0;
    const Frame frame{.negateY = !bottom};

    PlacedFootprint placed;
    Insert& insert = placed.insert;
    insert.at = Frame{}.point(at);
    insert.rotation = normalizedDegrees(bottom ? angle + 180 : angle);
    insert.mirror = bottom;
    setAttributes(insert, footprint, libraryName);

    Geometry component{.blockType = block_type::Component};
    const PadContext pads{.design = context.design,
                          .layers = context.layers,
                          .nets = context.nets,
                          .frame = frame,
                          .bottom = bottom,
                          .footprintAngle = angle,
                          .margins = context.margins.within(footprint)};
    bool fiducialPad = false;
    bool testpointPad = false;
    const std::vector<sexpr::Expr> padList = footprint.findAll("pad");
    const std::map<std::string_view, int> numberUses = padNumberUses(padList);
    for (const sexpr::Expr& pad : padList) {
        PadPin pin = readPad(pad, pads);
        const int16_t padstack = context.padstacks.add(std::move(pin.padstack), "PAD");
        // A pad whose number it shares with another (a switch's two pads "1") is told apart by its identity.
        component.data.emplace_back(
            Insert{.insertType = insert_type::Pin,
                   .geometry = padstack,
                   .at = pin.at,
                   .rotation = pin.rotation,
                   .refName = pin.number,
                   .attributes = numberUses.at(pin.number) > 1 ? withSourceId({}, pin.id) : AttributeList()});
        if (!pin.net.empty()) {
            insert.pinNets.emplace(pin.number, pin.net);
            if (insert.net.empty()) {
                insert.net = pin.net;
            }
        }
        fiducialPad = fiducialPad || pin.fiducial;
        testpointPad = testpointPad || pin.testpoint;
        ++placed.pads;
    }

    Drawings drawings = drawingsOf(footprint, context.layers, frame, bottom);
    for (Graphic& graphic : drawings.graphics) {
        component.data.emplace_back(std::move(graphic));
    }
    if (const std::optional<Box>& body = drawings.fab.box ? drawings.fab.box : drawings.courtyard.box) {
        component.data.emplace_back(
            Graphic{.shape = toPolygon(boxPolygon(*body)), .layer = context.layers.bodyTop()});
    }

    const RoleMatch role = roleOf({.libraryName = libraryName,
                                   .reference = insert.refName,
                                   .properties = insert.attributes,
                                   .fiducialPad = fiducialPad,
                                   .testpointPad = testpointPad},
                                  context.roles);
    context.roleTally.add(role);
    insert.insertType = role.insertType;
    if (insert.insertType == insert_type::Component) {
        insert.net = {}; // components carry their nets per pin
    } else if (insert.insertType == insert_type::Testpoint) {
        insert.attributes.set("TEST", "");
    }
    component.name = uniqueName(context.geometryNames, sexpr::concat({insert.refName, " ", libraryName}));
    insert.geometry = context.design.addGeometry(std::move(component));

    const Transform placement = Transform::of(insert);
    for (const Shape& edge : drawings.edges) {
        placed.edges.push_back(Graphic{.shape = placement.apply(edge),
                                       .layer = context.layers.outline(),
                                       .graphicClass = graphic_class::BoardOutline});
    }
    return placed;
}

} // namespace lumora::engine::kicad
