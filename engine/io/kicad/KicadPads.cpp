#include "engine/io/kicad/KicadPads.h"

#include "engine/geom/Transform.h"
#include "engine/io/kicad/KicadIdentity.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>

namespace lumora::engine::kicad {

namespace {

// Corners in KiCad's order, each with the direction it points to (y down).
constexpr std::array<std::string_view, 4> kCorners{"top_left", "top_right", "bottom_right", "bottom_left"};
constexpr std::array<Point, 4> kCornerSigns{{{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}};

// KiCad keeps a corner's radius and a chamfer within half of the pad's shorter side.
constexpr double kMostRatio = 0.5;

struct RectangleCorners {
    double width = 0;
    double height = 0;
    double radius = 0;  // of the corners not cut
    double chamfer = 0; // how far along each side a cut corner is cut
    double grow = 0;    // how far an opening reaches beyond the copper; its cut corners round by it
    std::array<bool, 4> chamfered{};
};

// A rectangle with rounded or cut corners, drawn in KiCad's pad frame and read through frame: its
// corner points, each with its radius, which the checks measure as arcs.
Pad cornerOutline(const RectangleCorners& r, Point at, const Frame& frame) {
    ComplexShape shape;
    std::vector<double> radii;
    for (std::size_t corner = 0; corner < kCorners.size(); ++corner) {
        const Point sign = kCornerSigns[corner];
        const double x = sign.x * r.width / 2;
        const double y = sign.y * r.height / 2;
        if (!r.chamfered[corner]) {
            shape.outline.push_back(frame.point(x, y));
            radii.push_back(r.radius);
            continue;
        }
        // Clockwise on KiCad's page: the cut's end on the side before the corner comes first.
        const bool alongX = sign.x * sign.y < 0;
        const Point first = alongX ? Point{x - sign.x * r.chamfer, y} : Point{x, y - sign.y * r.chamfer};
        const Point second = alongX ? Point{x, y - sign.y * r.chamfer} : Point{x - sign.x * r.chamfer, y};
        shape.outline.push_back(frame.point(first.x, first.y));
        shape.outline.push_back(frame.point(second.x, second.y));
        radii.insert(radii.end(), 2, std::max(0.0, r.grow));
    }
    if (std::ranges::any_of(radii, [](double radius) { return radius > 0; })) {
        shape.cornerRadii = std::move(radii);
    }
    return Pad{.shape = pad_shape::Complex, .at = at, .complex = std::move(shape)};
}

Shape complexPad(Ring outline, Point at) {
    return Pad{.shape = pad_shape::Complex, .at = at, .complex = ComplexShape{.outline = std::move(outline)}};
}

// A pad's copper (grow 0) or an opening grow larger on every side, drawn in the pad's frame.
struct PadCut {
    const sexpr::Expr& pad;
    double width;
    double height;
    double grow;
    Point at;
    const Frame& frame;

    double grownWidth() const { return width + 2 * grow; }
    double grownHeight() const { return height + 2 * grow; }
};

std::vector<Shape> roundPad(const PadCut& cut) {
    return {
        Pad{.shape = pad_shape::Round, .at = cut.at, .sizeX = cut.grownWidth(), .sizeY = cut.grownWidth()}};
}

std::vector<Shape> rectanglePad(const PadCut& cut) {
    return {Pad{
        .shape = pad_shape::Rectangle, .at = cut.at, .sizeX = cut.grownWidth(), .sizeY = cut.grownHeight()}};
}

std::vector<Shape> ovalPad(const PadCut& cut) {
    if (cut.width == cut.height) {
        return roundPad(cut);
    }
    return {
        Pad{.shape = pad_shape::Oblong, .at = cut.at, .sizeX = cut.grownWidth(), .sizeY = cut.grownHeight()}};
}

// A ratio of the pad's shorter side, within what KiCad keeps it to.
double ratioOf(const sexpr::Expr& pad, std::string_view name) {
    return std::clamp(pad.numberOf(name, 0), 0.0, kMostRatio);
}

std::vector<Shape> roundedRectangle(const PadCut& cut) {
    const double shorter = std::min(cut.width, cut.height);
    RectangleCorners corners{.width = cut.grownWidth(), .height = cut.grownHeight(), .grow = cut.grow};
    const double radius = ratioOf(cut.pad, "roundrect_rratio") * shorter;
    corners.radius = radius > 0 ? std::max(0.0, radius + cut.grow) : 0;
    bool anyChamfer = false;
    if (const std::optional<sexpr::Expr> chamfer = cut.pad.find("chamfer")) {
        for (std::size_t corner = 0; corner < kCorners.size(); ++corner) {
            corners.chamfered[corner] = chamfer->hasAtom(kCorners[corner]);
            anyChamfer = anyChamfer || corners.chamfered[corner];
        }
        // The cut moves out with the opening's sides, so that it runs the grow's width off the copper's.
        const double length = ratioOf(cut.pad, "chamfer_ratio") * shorter;
        corners.chamfer = length > 0 ? std::max(0.0, length + cut.grow * (2 - std::numbers::sqrt2)) : 0;
    }
    if (!anyChamfer || corners.chamfer <= 0) {
        if (corners.radius <= 0) {
            return rectanglePad(cut);
        }
        corners.chamfered = {};
    }
    return {cornerOutline(corners, cut.at, cut.frame)};
}

// KiCad's trapezoid: (rect_delta dx dy) widens one side and narrows the opposite one, by no more
// than the side is long (KiCad's pad editor refuses more): beyond it the sides would cross.
std::vector<Shape> trapezoid(const PadCut& cut) {
    const std::optional<sexpr::Expr> delta = cut.pad.find("rect_delta");
    const double dx = delta ? delta->number(1) / 2 : 0;
    const double dy = delta ? delta->number(2) / 2 : 0;
    if (std::abs(2 * dx) > cut.height || std::abs(2 * dy) > cut.width) {
        delta->fail("(rect_delta ...) narrows a side of the pad below nothing");
    }
    const double hx = cut.grownWidth() / 2;
    const double hy = cut.grownHeight() / 2;
    const Frame& frame = cut.frame;
    return {complexPad({frame.point(-hx - dy, hy + dx), frame.point(-hx + dy, -hy - dx),
                        frame.point(hx - dy, -hy + dx), frame.point(hx + dy, hy - dx)},
                       cut.at)};
}

// A custom pad primitive grown by a margin: pens widen, discs swell; polygons stay as drawn. A
// negative margin can shrink a pen or disc away: then the primitive leaves no opening.
std::optional<Shape> grown(Shape shape, double grow) {
    double* extent = nullptr;
    double by = 2 * grow;
    if (auto* line = std::get_if<Line>(&shape)) {
        extent = &line->width;
    } else if (auto* arc = std::get_if<Arc>(&shape)) {
        extent = &arc->width;
    } else if (auto* circle = std::get_if<Circle>(&shape)) {
        extent = circle->width > 0 ? &circle->width : &circle->radius;
        by = circle->width > 0 ? 2 * grow : grow;
    }
    if (extent != nullptr && grow != 0) {
        *extent += by;
        if (*extent <= 0) {
            return std::nullopt;
        }
    }
    return shape;
}

Shape moved(Shape shape, Point by) {
    auto shift = [by](Point& p) {
        p.x += by.x;
        p.y += by.y;
    };
    std::visit(
        [&](auto& s) {
            using T = std::decay_t<decltype(s)>;
            if constexpr (std::is_same_v<T, Line>) {
                shift(s.from);
                shift(s.to);
            } else if constexpr (std::is_same_v<T, Arc> || std::is_same_v<T, Circle>) {
                shift(s.center);
            } else if constexpr (std::is_same_v<T, Polygon>) {
                for (Point& p : s.outline) {
                    shift(p);
                }
            } else {
                shift(s.at);
            }
        },
        shape);
    return shape;
}

// The anchor and the primitives; an anchor that a negative margin closes leaves the primitives.
std::vector<Shape> customPad(const PadCut& cut) {
    const std::optional<sexpr::Expr> options = cut.pad.find("options");
    const bool rectangularAnchor = options && options->textOf("anchor") == "rect";
    std::vector<Shape> shapes;
    if (cut.grownWidth() > 0 && (!rectangularAnchor || cut.grownHeight() > 0)) {
        shapes = rectangularAnchor ? rectanglePad(cut) : roundPad(cut); // a round anchor is as wide as high
    }
    if (const std::optional<sexpr::Expr> primitives = cut.pad.find("primitives")) {
        primitives->forEachList([&](const sexpr::Expr& primitive) {
            for (Shape& shape : drawingShapes(primitive, cut.frame)) {
                if (std::optional<Shape> opening = grown(std::move(shape), cut.grow)) {
                    shapes.push_back(moved(std::move(*opening), cut.at));
                }
            }
        });
    }
    return shapes;
}

struct PadShapeBuilder {
    std::string_view name;
    std::vector<Shape> (*build)(const PadCut&);
    bool closesWhenShrunkAway; // a negative margin wider than the pad leaves no opening, as in KiCad
};

constexpr std::array kPadShapeBuilders{
    PadShapeBuilder{"circle", roundPad, true},
    PadShapeBuilder{"rect", rectanglePad, true},
    PadShapeBuilder{"oval", ovalPad, true},
    PadShapeBuilder{"roundrect", roundedRectangle, true},
    PadShapeBuilder{"chamfered_rect", roundedRectangle, true},
    PadShapeBuilder{"trapezoid", trapezoid, true},
    PadShapeBuilder{"custom", customPad, false},
};

std::vector<Shape> padShapes(const sexpr::Expr& pad, double grow, Point at, const Frame& frame) {
    const sexpr::Expr size = pad.require("size");
    const double width = size.nonNegative(1);
    const PadCut cut{pad, width, size.size() > 2 ? size.nonNegative(2) : width, grow, at, frame};
    const std::string_view shape = pad.at(3).text();
    const auto builder = std::ranges::find(kPadShapeBuilders, shape, &PadShapeBuilder::name);
    if (builder == kPadShapeBuilders.end()) {
        pad.at(3).fail(sexpr::concat({"unknown pad shape \"", shape, "\""}));
    }
    if (builder->closesWhenShrunkAway && cut.grow < 0 && (cut.grownWidth() <= 0 || cut.grownHeight() <= 0)) {
        return {};
    }
    return builder->build(cut);
}

struct Drill {
    double width = 0;
    double height = 0;
    Point offset{};
};

Drill drillOf(const sexpr::Expr& pad, const Frame& frame) {
    Drill drill;
    const std::optional<sexpr::Expr> list = pad.find("drill");
    if (!list) {
        return drill;
    }
    const bool slot = list->size() > 1 && !list->at(1).isList() && list->at(1).text() == "oval";
    const std::size_t first = slot ? 2 : 1;
    if (list->size() > first && !list->at(first).isList()) {
        drill.width = list->nonNegative(first);
        drill.height = list->size() > first + 1 && !list->at(first + 1).isList()
                           ? list->nonNegative(first + 1)
                           : drill.width;
    }
    if (const std::optional<sexpr::Expr> offset = list->find("offset")) {
        drill.offset = frame.point(*offset);
    }
    return drill;
}

// A round drill is a disc; a slot a line as wide as the slot between its ends' centres.
Shape drillShape(const Drill& drill, const Frame& frame) {
    if (drill.width == drill.height) {
        return Circle{{}, drill.width / 2, 0};
    }
    const double along = std::abs(drill.width - drill.height) / 2;
    const Point end = drill.width > drill.height ? frame.point(along, 0) : frame.point(0, along);
    return Line{{-end.x, -end.y}, end, std::min(drill.width, drill.height)};
}

bool hasPadProperty(const sexpr::Expr& pad, std::string_view prefix) {
    bool found = false;
    pad.forEachList([&](const sexpr::Expr& property) {
        found = found || (property.head() == "property" && property.size() == 2 &&
                          property.at(1).text().starts_with(prefix));
    });
    return found;
}

} // namespace

PadMargins PadMargins::within(const sexpr::Expr& owner) const {
    return {owner.numberOf("solder_mask_margin", mask), owner.numberOf("solder_paste_margin", paste),
            owner.numberOf("solder_paste_margin_ratio", pasteRatio)};
}

PadPin readPad(const sexpr::Expr& pad, const PadContext& context) {
    const sexpr::Expr at = pad.require("at");
    const double angle = at.size() > 3 ? at.number(3) : 0;
    PadPin pin{.at = context.frame.point(at),
               .rotation = normalizedDegrees(context.bottom ? context.footprintAngle - angle
                                                            : angle - context.footprintAngle),
               .number = std::string(pad.at(1).text()),
               .id = std::string(sourceIdOf(pad)),
               .net = context.nets.nameOf(pad),
               .fiducial = hasPadProperty(pad, "pad_prop_fiducial"),
               .testpoint = hasPadProperty(pad, "pad_prop_testpoint")};

    const std::string_view type = pad.at(2).text();
    const Drill drill = drillOf(pad, context.frame);
    const bool drilled = drill.width > 0;
    const bool plated = type != "np_thru_hole";
    const sexpr::Expr size = pad.require("size");
    for (std::size_t index = 1; index < std::min<std::size_t>(size.size(), 3); ++index) {
        size.nonNegative(index);
    }
    const bool copperBeyondHole =
        size.number(1) > drill.width && (size.size() < 3 || size.number(2) > drill.height);
    const PadMargins margins = context.margins.within(pad);
    const double shorter = std::min(size.number(1), size.size() > 2 ? size.number(2) : size.number(1));
    const Point shapeAt = drill.offset; // the pad's copper sits off its hole by the drill's offset

    Geometry& padstack = pin.padstack;
    padstack.hole = {drilled ? std::min(drill.width, drill.height) : 0, plated};
    for (int16_t layer : context.layers.expand(pad.require("layers"), context.bottom)) {
        const int16_t layerType = context.design.layer(layer).type;
        if (context.layers.isCopper(layer) && (plated || copperBeyondHole)) {
            for (Shape& shape : padShapes(pad, 0, shapeAt, context.frame)) {
                padstack.data.emplace_back(Graphic{.shape = std::move(shape), .layer = layer});
            }
            continue;
        }
        const bool mask = layerType == layer_type::SoldermaskTop || layerType == layer_type::SoldermaskBottom;
        const bool paste = layerType == layer_type::PasteTop || layerType == layer_type::PasteBottom;
        if (!mask && !paste) {
            continue;
        }
        const double grow = mask ? margins.mask : margins.paste + margins.pasteRatio * shorter;
        for (Shape& shape : padShapes(pad, grow, shapeAt, context.frame)) {
            padstack.data.emplace_back(Graphic{.shape = std::move(shape), .layer = layer});
        }
    }
    if (drilled) {
        padstack.data.emplace_back(
            Graphic{.shape = drillShape(drill, context.frame), .layer = context.layers.drill(plated)});
    }
    return pin;
}

Geometry viaPadstack(const sexpr::Expr& via, const LayerMap& layers) {
    const double size = via.require("size").nonNegative(1);
    const double drill = via.require("drill").nonNegative(1);
    const sexpr::Expr span = via.require("layers");
    Geometry padstack;
    padstack.hole = {drill, true};
    for (int16_t layer : layers.copperSpan(span.at(1).text(), span.at(2).text())) {
        padstack.data.emplace_back(
            Graphic{.shape = Pad{.shape = pad_shape::Round, .sizeX = size, .sizeY = size}, .layer = layer});
    }
    padstack.data.emplace_back(Graphic{.shape = Circle{{}, drill / 2, 0}, .layer = layers.drill(true)});
    return padstack;
}

} // namespace lumora::engine::kicad
