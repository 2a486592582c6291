#include "engine/io/ipc2581/Ipc2581Shapes.h"

#include "engine/geom/Areas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace lumora::engine::ipc2581 {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180;
constexpr int kEllipsePoints = 72;

Point onCircle(double radius, double degrees) {
    return {radius * std::cos(degrees * kRadiansPerDegree), radius * std::sin(degrees * kRadiansPerDegree)};
}

Shape padOf(int16_t shape, double sizeX, double sizeY) {
    return Pad{.shape = shape, .sizeX = sizeX, .sizeY = sizeY};
}

// A complex pad carries its outline's box as its sizes: the checks that ask a pad's width and
// height read them, and a pad without sizes is empty to the distance measure.
Shape complexPad(Ring outline) {
    const Point first = outline.empty() ? Point{} : outline.front();
    double left = first.x;
    double right = first.x;
    double bottom = first.y;
    double top = first.y;
    for (const Point p : outline) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        bottom = std::min(bottom, p.y);
        top = std::max(top, p.y);
    }
    return Pad{.shape = pad_shape::Complex,
               .sizeX = right - left,
               .sizeY = top - bottom,
               .complex = ComplexShape{.outline = std::move(outline)}};
}

// A regular polygon `width` across along x: squares and octagons with flats on the axes,
// hexagons with corners on the x axis.
Ring regularRing(int sides, double width) {
    const bool flatsOnAxes = sides % 4 == 0;
    const double step = 360.0 / sides;
    const double first = flatsOnAxes ? step / 2 : 0;
    const double radius = flatsOnAxes ? width / 2 / std::cos(step / 2 * kRadiansPerDegree) : width / 2;
    Ring ring;
    for (int i = 0; i < sides; ++i) {
        ring.push_back(onCircle(radius, first + step * i));
    }
    return ring;
}

int sidesOf(std::string_view shape) {
    return shape == "SQUARE" ? 4 : shape == "HEXAGON" ? 6 : shape == "OCTAGON" ? 8 : 0;
}

// Which corners of a RectRound or RectCham are shaped, counter-clockwise from the upper right;
// every corner when the element names none.
std::array<bool, 4> shapedCorners(const XmlElement& e) {
    constexpr std::array<std::string_view, 4> kNames{"upperRight", "upperLeft", "lowerLeft", "lowerRight"};
    std::array<bool, 4> corners{};
    bool named = false;
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        named = named || e.attribute(kNames[i]).has_value();
        corners[i] = e.flag(kNames[i]);
    }
    return named ? corners : std::array<bool, 4>{true, true, true, true};
}

// A rectangle whose shaped corners are rounded by `cut` (arcs in chords) or cut off by it.
Ring cornerRing(double width, double height, double cut, const std::array<bool, 4>& corners, bool round) {
    constexpr std::array<double, 4> kCornerAngles{45, 135, 225, 315};
    const int chords = round ? static_cast<int>(std::ceil(90 / kChordDegrees)) : 1;
    Ring ring;
    for (std::size_t corner = 0; corner < corners.size(); ++corner) {
        const double angle = kCornerAngles[corner];
        const double sx = std::cos(angle * kRadiansPerDegree) > 0 ? 1 : -1;
        const double sy = std::sin(angle * kRadiansPerDegree) > 0 ? 1 : -1;
        const double c = corners[corner] ? cut : 0;
        const Point centre{sx * (width / 2 - c), sy * (height / 2 - c)};
        for (int i = 0; i <= (c > 0 ? chords : 0); ++i) {
            const Point p = onCircle(c, angle - 45 + 90.0 * i / chords);
            ring.push_back({centre.x + p.x, centre.y + p.y});
        }
    }
    return ring;
}

Shapes cornered(const XmlElement& e, const Lengths& l, std::string_view cutName, bool round) {
    const double width = l.size(e, "width");
    const double height = l.size(e, "height");
    const double cut = std::min(l.size(e, cutName), std::min(width, height) / 2);
    const std::array<bool, 4> corners = shapedCorners(e);
    if (cut <= 0 || std::ranges::none_of(corners, [](bool c) { return c; })) {
        return {padOf(pad_shape::Rectangle, width, height)};
    }
    return {complexPad(cornerRing(width, height, cut, corners, round))};
}

Shapes circle(const XmlElement& e, const Lengths& l) {
    const double diameter = l.size(e, "diameter");
    return {padOf(pad_shape::Round, diameter, diameter)};
}

Shapes rectCenter(const XmlElement& e, const Lengths& l) {
    return {padOf(pad_shape::Rectangle, l.size(e, "width"), l.size(e, "height"))};
}

Shapes rectCorner(const XmlElement& e, const Lengths& l) {
    const Point low = l.point(e, "lowerLeftX", "lowerLeftY");
    const Point high = l.point(e, "upperRightX", "upperRightY");
    return {Pad{.shape = pad_shape::Rectangle,
                .at = {(low.x + high.x) / 2, (low.y + high.y) / 2},
                .sizeX = std::abs(high.x - low.x),
                .sizeY = std::abs(high.y - low.y)}};
}

Shapes rectRound(const XmlElement& e, const Lengths& l) {
    return cornered(e, l, "radius", true);
}

Shapes rectCham(const XmlElement& e, const Lengths& l) {
    return cornered(e, l, "chamfer", false);
}

Shapes oval(const XmlElement& e, const Lengths& l) {
    const double width = l.size(e, "width");
    const double height = l.size(e, "height");
    return {padOf(width == height ? pad_shape::Round : pad_shape::Oblong, width, height)};
}

Shapes octagon(const XmlElement& e, const Lengths& l) {
    const double length = l.size(e, "length");
    return {padOf(pad_shape::Octagon, length, length)};
}

Shapes hexagon(const XmlElement& e, const Lengths& l) {
    return {complexPad(regularRing(6, l.size(e, "length")))};
}

Shapes donut(const XmlElement& e, const Lengths& l) {
    const double outer = l.size(e, "outerDiameter");
    const double inner = l.size(e, "innerDiameter");
    const int sides = sidesOf(e.text("shape"));
    if (sides == 0) {
        return {Pad{.shape = pad_shape::Donut, .sizeX = outer, .sizeY = outer, .ring = padRing(inner)}};
    }
    return {Polygon{regularRing(sides, outer), {regularRing(sides, inner)}}};
}

// Spoked rings of every outer shape are KORVEN's round thermal of the same diameters.
Shapes thermal(const XmlElement& e, const Lengths& l) {
    const double outer = l.size(e, "outerDiameter");
    return {Pad{.shape = pad_shape::Thermal,
                .spokes = static_cast<int16_t>(std::clamp(e.numberOr("spokeCount", 4), 0.0, 16.0)),
                .sizeX = outer,
                .sizeY = outer,
                .rotation = e.numberOr("spokeStartAngle", 0),
                .ring = padRing(l.size(e, "innerDiameter"),
                                e.attribute("spokeWidth") ? l.size(e, "spokeWidth") : 0)}};
}

Shapes diamond(const XmlElement& e, const Lengths& l) {
    const double x = l.size(e, "width") / 2;
    const double y = l.size(e, "height") / 2;
    return {complexPad({{x, 0}, {0, y}, {-x, 0}, {0, -y}})};
}

Shapes ellipse(const XmlElement& e, const Lengths& l) {
    const double x = l.size(e, "width") / 2;
    const double y = l.size(e, "height") / 2;
    Ring ring;
    for (int i = 0; i < kEllipsePoints; ++i) {
        const Point p = onCircle(1, 360.0 * i / kEllipsePoints);
        ring.push_back({p.x * x, p.y * y});
    }
    return {complexPad(std::move(ring))};
}

Shapes triangle(const XmlElement& e, const Lengths& l) {
    const double x = l.size(e, "base") / 2;
    const double y = l.size(e, "height") / 2;
    return {complexPad({{-x, -y}, {x, -y}, {0, y}})};
}

// Two opposite quarters (upper right, lower left) of a disc or a square.
Shapes butterfly(const XmlElement& e, const Lengths& l) {
    const bool round = e.text("shape") != "SQUARE";
    const double size = l.size(e, round ? "diameter" : "side") / 2;
    Shapes quarters;
    for (const double start : {0.0, 180.0}) {
        Ring ring{{0, 0}};
        if (round) {
            for (int i = 0; i <= static_cast<int>(90 / kChordDegrees); ++i) {
                ring.push_back(onCircle(size, start + kChordDegrees * i));
            }
        } else {
            const double s = start == 0 ? size : -size;
            ring.insert(ring.end(), {{s, 0}, {s, s}, {0, s}});
        }
        quarters.push_back(complexPad(std::move(ring)));
    }
    return quarters;
}

Shapes moire(const XmlElement& e, const Lengths& l) {
    const double diameter = l.size(e, "diameter");
    return {padOf(pad_shape::Target, diameter, diameter)};
}

Shapes contour(const XmlElement& e, const Lengths& l) {
    const std::optional<XmlElement> polygon = e.child("Polygon");
    if (!polygon) {
        e.fail("<Contour> has no Polygon");
    }
    Ring outline = ringOf(stepPathOf(*polygon, l));
    std::vector<Ring> holes;
    e.forEachChild([&](const XmlElement& cutout) {
        if (cutout.name() == "Cutout") {
            holes.push_back(ringOf(stepPathOf(cutout, l)));
        }
    });
    if (holes.empty()) {
        return {complexPad(std::move(outline))};
    }
    return {Polygon{std::move(outline), std::move(holes)}};
}

using PrimitiveReader = Shapes (*)(const XmlElement&, const Lengths&);

constexpr std::array<std::pair<std::string_view, PrimitiveReader>, 16> kStandardPrimitives{{
    {"Circle", circle},
    {"RectCenter", rectCenter},
    {"RectCorner", rectCorner},
    {"RectRound", rectRound},
    {"RectCham", rectCham},
    {"Oval", oval},
    {"Octagon", octagon},
    {"Hexagon", hexagon},
    {"Donut", donut},
    {"Thermal", thermal},
    {"Diamond", diamond},
    {"Ellipse", ellipse},
    {"Triangle", triangle},
    {"Butterfly", butterfly},
    {"Moire", moire},
    {"Contour", contour},
}};

PrimitiveReader standardReader(std::string_view name) {
    for (const auto& [primitive, reader] : kStandardPrimitives) {
        if (primitive == name) {
            return reader;
        }
    }
    return nullptr;
}

// Whether a primitive's fill (FillDesc, or FillDescRef into the dictionary) leaves it hollow.
bool isHollow(const XmlElement& primitive, const ShapeReading& reading) {
    if (const std::optional<XmlElement> fill = primitive.child("FillDesc")) {
        return fill->attribute("fillProperty") == "HOLLOW";
    }
    if (const std::optional<XmlElement> ref = primitive.child("FillDescRef")) {
        const std::optional<bool> hollow = reading.dictionaries.hollow(ref->text("id"));
        if (!hollow) {
            ref->fail("unknown fill description \"" + std::string(ref->text("id")) + "\"");
        }
        return *hollow;
    }
    return false;
}

// Revision B writes an Xform inside a primitive; revision C dropped it, real files keep it.
Shapes transformed(Shapes shapes, const XmlElement& owner, const ShapeReading& reading) {
    if (const std::optional<XmlElement> xform = owner.child("Xform")) {
        const Transform placement = placementOf(xform, {}, reading.lengths);
        for (Shape& shape : shapes) {
            shape = placement.apply(shape);
        }
    }
    return shapes;
}

Shapes standardPrimitive(const XmlElement& e, PrimitiveReader reader, const ShapeReading& reading) {
    Shapes shapes = reader(e, reading.lengths);
    if (isHollow(e, reading)) {
        shapes = outlinesOf(shapes, penWidth(e, reading));
    }
    return transformed(std::move(shapes), e, reading);
}

Shapes line(const XmlElement& e, const ShapeReading& reading) {
    const Point from = reading.lengths.point(e, "startX", "startY");
    const Point to = reading.lengths.point(e, "endX", "endY");
    return {Line{from, to, penWidth(e, reading)}};
}

Shapes arc(const XmlElement& e, const ShapeReading& reading) {
    const Lengths& l = reading.lengths;
    return {arcBetween(l.point(e, "startX", "startY"), l.point(e, "endX", "endY"),
                       l.point(e, "centerX", "centerY"), e.flag("clockwise"), penWidth(e, reading))};
}

Shapes polyline(const XmlElement& e, const ShapeReading& reading) {
    return strokesOf(stepPathOf(e, reading.lengths), penWidth(e, reading));
}

// An Outline is a closed polygon drawn with a pen.
Shapes outline(const XmlElement& e, const ShapeReading& reading) {
    const std::optional<XmlElement> polygon = e.child("Polygon");
    if (!polygon) {
        e.fail("<Outline> has no Polygon");
    }
    StepPath path = stepPathOf(*polygon, reading.lengths);
    if (path.steps.empty() || path.steps.back().to != path.start) {
        path.steps.push_back({.to = path.start});
    }
    return strokesOf(path, penWidth(e, reading));
}

Shapes userSpecial(const XmlElement& e, const ShapeReading& reading) {
    Shapes shapes;
    e.forEachChild([&](const XmlElement& feature) {
        if (std::optional<Shapes> found = featureShapes(feature, reading)) {
            shapes.insert(shapes.end(), found->begin(), found->end());
        }
    });
    return shapes;
}

Shapes reference(const XmlElement& e, Dictionaries::Kind kind, const ShapeReading& reading) {
    const std::string_view id = e.text("id");
    std::optional<Shapes> shapes = reading.dictionaries.shapes(kind, id, reading.units);
    if (!shapes) {
        e.fail(std::string(kind == Dictionaries::Kind::User ? "user" : "standard") + " primitive \"" +
               std::string(id) + "\" is not in the dictionary");
    }
    return std::move(*shapes);
}

} // namespace

std::optional<Shapes> featureShapes(const XmlElement& element, const ShapeReading& reading) {
    const std::string_view name = element.name();
    if (const PrimitiveReader reader = standardReader(name)) {
        return standardPrimitive(element, reader, reading);
    }
    if (name == "StandardPrimitiveRef") {
        return reference(element, Dictionaries::Kind::Standard, reading);
    }
    if (name == "UserPrimitiveRef") {
        return reference(element, Dictionaries::Kind::User, reading);
    }
    if (name == "Line") {
        return line(element, reading);
    }
    if (name == "Arc") {
        return arc(element, reading);
    }
    if (name == "Polyline") {
        return polyline(element, reading);
    }
    if (name == "Outline") {
        return outline(element, reading);
    }
    if (name == "UserSpecial") {
        return userSpecial(element, reading);
    }
    if (name == "Text") {
        return Shapes{};
    }
    return std::nullopt;
}

std::optional<Shapes> childFeatureShapes(const XmlElement& owner, const ShapeReading& reading) {
    for (std::optional<XmlElement> c = owner.firstChild(); c; c = c->nextSibling()) {
        if (std::optional<Shapes> shapes = featureShapes(*c, reading)) {
            return shapes;
        }
    }
    return std::nullopt;
}

double penWidth(const XmlElement& owner, const ShapeReading& reading) {
    if (const std::optional<XmlElement> desc = owner.child("LineDesc")) {
        return reading.lengths.size(*desc, "lineWidth");
    }
    if (const std::optional<XmlElement> ref = owner.child("LineDescRef")) {
        const std::optional<double> width = reading.dictionaries.lineWidth(ref->text("id"), reading.units);
        if (!width) {
            ref->fail("unknown line description \"" + std::string(ref->text("id")) + "\"");
        }
        return *width;
    }
    return 0;
}

Shapes outlinesOf(const Shapes& shapes, double width) {
    Shapes outlines;
    auto addRing = [&](const auto& ring) {
        for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
            outlines.emplace_back(
                Line{{ring[i].x(), ring[i].y()}, {ring[i + 1].x(), ring[i + 1].y()}, width});
        }
    };
    for (const Shape& shape : shapes) {
        const auto* pad = std::get_if<Pad>(&shape);
        if (pad && (pad->shape == pad_shape::Round || pad->shape == pad_shape::Target)) {
            outlines.emplace_back(Circle{pad->at, pad->sizeX / 2, width});
            continue;
        }
        if (!pad && !std::holds_alternative<Polygon>(shape)) {
            outlines.push_back(shape);
            continue;
        }
        for (const AreaPolygon& polygon : areaOf(shape)) {
            addRing(polygon.outer());
            for (const auto& inner : polygon.inners()) {
                addRing(inner);
            }
        }
    }
    return outlines;
}

} // namespace lumora::engine::ipc2581
