#include "report/BoardSvg.h"

#include "drawing/BoardWalk.h"
#include "drawing/LayerColours.h"
#include "drawing/PadOutline.h"
#include "engine/model/GeometryItems.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <optional>
#include <string_view>
#include <utility>

namespace lumora::report {

namespace {

using engine::Point;

constexpr double kUnitsAcross = 100000;
// A point that a flatten geometry marks is a cross this share of the drawing across.
constexpr double kMarkArm = 0.003;

// An insert's placement in the file: x' = a x + c y + e, y' = b x + d y + f.
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    Point map(Point p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    // This placement inside `outer`.
    Affine within(const Affine& outer) const {
        return {outer.a * a + outer.c * b,           outer.b * a + outer.d * b,
                outer.a * c + outer.c * d,           outer.b * c + outer.d * d,
                outer.a * e + outer.c * f + outer.e, outer.b * e + outer.d * f + outer.f};
    }
    double scale() const { return std::sqrt(std::abs(a * d - b * c)); }
    bool mirrors() const { return a * d - b * c < 0; }

    // Turned by `degrees` counter-clockwise about `at`, then moved there; mirrored in x first.
    static Affine placing(Point at, double degrees, double scaleX, double scaleY) {
        const double radians = degrees * std::numbers::pi / 180;
        const double cosine = std::cos(radians);
        const double sine = std::sin(radians);
        return {cosine * scaleX, sine * scaleX, -sine * scaleY, cosine * scaleY, at.x, at.y};
    }
};

// A closed outline of straight edges and, where `arcs` says so, quarter arcs of `radius` bulging
// outwards (a pad's rounded corners); edge i runs from vertex i to the next.
struct Contour {
    std::vector<Point> vertices;
    std::vector<bool> arcs;
    double radius = 0;
};

Contour polygonContour(const engine::Ring& ring, const Affine& place) {
    Contour contour;
    for (const Point& point : ring) {
        contour.vertices.push_back(place.map(point));
    }
    contour.arcs.assign(contour.vertices.size(), false);
    return contour;
}

// A rectangle w x h about the origin, its corners rounded by r, counter-clockwise.
Contour roundedContour(double w, double h, double r, const Affine& place) {
    const double x = w / 2;
    const double y = h / 2;
    const std::vector<std::pair<Point, bool>> corners{
        {{-x + r, -y}, false}, {{x - r, -y}, true}, {{x, -y + r}, false}, {{x, y - r}, true},
        {{x - r, y}, false},   {{-x + r, y}, true}, {{-x, y - r}, false}, {{-x, -y + r}, true}};
    Contour contour;
    contour.radius = r * place.scale();
    for (const auto& [point, arcFollows] : corners) {
        const Point placed = place.map(point);
        if (!contour.vertices.empty() && contour.vertices.back() == placed) {
            contour.arcs.back() = contour.arcs.back() || arcFollows;
            continue;
        }
        contour.vertices.push_back(placed);
        contour.arcs.push_back(arcFollows && r > 0);
    }
    if (contour.vertices.size() > 1 && contour.vertices.back() == contour.vertices.front()) {
        contour.vertices.pop_back();
        contour.arcs.pop_back();
    }
    return contour;
}

// Bounds in file coordinates of what a drawing puts down.
class BoundsSink {
  public:
    void contour(int16_t, const Contour& contour, bool) {
        for (const Point& point : contour.vertices) {
            add(point, contour.radius);
        }
    }
    void disc(int16_t, Point center, double radius, bool) { add(center, radius); }
    void line(int16_t, Point from, Point to, double width) {
        add(from, width / 2);
        add(to, width / 2);
    }
    void arc(int16_t, Point, Point, Point center, double radius, double, double width) {
        add(center, radius + width / 2);
    }
    void ring(int16_t, Point center, double radius, double width) { add(center, radius + width / 2); }
    void mark(int16_t, Point at) { add(at, 0); }

    void add(Point at, double margin) {
        left_ = std::min(left_, at.x - margin);
        right_ = std::max(right_, at.x + margin);
        bottom_ = std::min(bottom_, at.y - margin);
        top_ = std::max(top_, at.y + margin);
    }
    SvgGrid grid() const {
        if (left_ > right_) {
            return {0, 0, 1, 0, 0};
        }
        const double across = std::max({right_ - left_, top_ - bottom_, 1e-9});
        const double scale = kUnitsAcross / across;
        return {left_, top_, scale, std::lround((right_ - left_) * scale),
                std::lround((top_ - bottom_) * scale)};
    }

  private:
    double left_ = HUGE_VAL, right_ = -HUGE_VAL, bottom_ = HUGE_VAL, top_ = -HUGE_VAL;
};

// SVG path data in whole units, relative moves after the first, as short as it can be written.
class PathData {
  public:
    void moveTo(long x, long y) {
        text_ += 'M';
        number(x);
        number(y);
        x_ = x;
        y_ = y;
    }
    void lineTo(long x, long y) {
        text_ += 'l';
        number(x - x_);
        number(y - y_);
        x_ = x;
        y_ = y;
    }
    void arcTo(long radius, bool large, bool clockwise, long x, long y) {
        text_ += 'a';
        number(radius);
        number(radius);
        text_ += large ? " 0 1" : " 0 0";
        text_ += clockwise ? " 1" : " 0";
        number(x - x_);
        number(y - y_);
        x_ = x;
        y_ = y;
    }
    void close() { text_ += 'z'; }
    bool empty() const { return text_.empty(); }
    const std::string& text() const { return text_; }

  private:
    void number(long value) {
        if (value >= 0 && !text_.empty() && (std::isdigit(static_cast<unsigned char>(text_.back())) != 0)) {
            text_ += ' ';
        }
        text_ += std::to_string(value);
    }
    std::string text_;
    long x_ = 0;
    long y_ = 0;
};

// One layer's paths: the areas, and the strokes by their width (0: a hairline on the screen).
struct LayerPaths {
    PathData areas;
    std::map<long, PathData> strokes;
};

// The drawing in whole units of the grid, a group of paths per layer. Areas are written clockwise
// on the screen and their holes the other way, so that one path with the nonzero rule holds a
// layer's overlapping areas and still leaves the holes open.
class SvgSink {
  public:
    explicit SvgSink(const SvgGrid& grid) : grid_(grid) {}

    void contour(int16_t layer, const Contour& contour, bool hole) {
        std::vector<std::array<long, 2>> points;
        for (const Point& point : contour.vertices) {
            points.push_back(at(point));
        }
        if (points.size() < 3) {
            return;
        }
        std::vector<bool> arcs = contour.arcs;
        if ((area(points) > 0) == hole) {
            const std::size_t n = points.size();
            std::ranges::reverse(points);
            std::vector<bool> reversed(n);
            for (std::size_t j = 0; j < n; ++j) {
                reversed[j] = arcs[(2 * n - 2 - j) % n];
            }
            arcs = std::move(reversed);
        }
        PathData& path = paths_[layer].areas;
        const long radius = units(contour.radius);
        path.moveTo(points[0][0], points[0][1]);
        for (std::size_t i = 1; i <= points.size(); ++i) {
            const auto& point = points[i % points.size()];
            if (arcs[i - 1] && radius > 0) {
                path.arcTo(radius, false, !hole, point[0], point[1]);
            } else if (i < points.size()) {
                path.lineTo(point[0], point[1]);
            }
            box(point, 0);
        }
        path.close();
    }
    void disc(int16_t layer, Point center, double radius, bool hole) {
        const auto [x, y] = at(center);
        const long r = std::max(units(radius), 1L);
        PathData& path = paths_[layer].areas;
        path.moveTo(x - r, y);
        path.arcTo(r, true, !hole, x + r, y);
        path.arcTo(r, true, !hole, x - r, y);
        path.close();
        box({x, y}, r);
    }
    void line(int16_t layer, Point from, Point to, double width) {
        PathData& path = stroke(layer, width);
        const auto start = at(from);
        const auto end = at(to);
        path.moveTo(start[0], start[1]);
        path.lineTo(end[0], end[1]);
        box(start, units(width) / 2);
        box(end, units(width) / 2);
    }
    // sweep: degrees, counter-clockwise as the file's coordinates run.
    void arc(int16_t layer, Point from, Point to, Point center, double radius, double sweep, double width) {
        PathData& path = stroke(layer, width);
        const auto start = at(from);
        const long r = std::max(units(radius), 1L);
        // The file's y runs up, the drawing's down: counter-clockwise there is anticlockwise here.
        const bool clockwise = sweep < 0;
        path.moveTo(start[0], start[1]);
        if (std::abs(sweep) >= 360) {
            const auto [cx, cy] = at(center);
            const std::array<long, 2> opposite{2 * cx - start[0], 2 * cy - start[1]};
            path.arcTo(r, true, clockwise, opposite[0], opposite[1]);
            path.arcTo(r, true, clockwise, start[0], start[1]);
        } else {
            const auto end = at(to);
            path.arcTo(r, std::abs(sweep) > 180, clockwise, end[0], end[1]);
        }
        box(at(center), r + units(width) / 2);
    }
    void ring(int16_t layer, Point center, double radius, double width) {
        const Point from{center.x - radius, center.y};
        arc(layer, from, from, center, radius, 360, width);
    }
    void mark(int16_t layer, Point place) {
        const auto [x, y] = at(place);
        const long arm = std::lround(kMarkArm * kUnitsAcross);
        PathData& path = stroke(layer, 0);
        path.moveTo(x - arm, y - arm);
        path.lineTo(x + arm, y + arm);
        path.moveTo(x - arm, y + arm);
        path.lineTo(x + arm, y - arm);
        box({x, y}, arm);
    }

    // The box of what was put down since the last call.
    std::optional<SvgBox> takeBox() { return std::exchange(box_, std::nullopt); }
    const std::map<int16_t, LayerPaths>& paths() const { return paths_; }

  private:
    std::array<long, 2> at(Point point) const { return {grid_.toX(point.x), grid_.toY(point.y)}; }
    long units(double length) const { return std::lround(length * grid_.scale); }
    PathData& stroke(int16_t layer, double width) { return paths_[layer].strokes[units(width)]; }
    static double area(const std::vector<std::array<long, 2>>& points) {
        double sum = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const auto& p = points[i];
            const auto& q = points[(i + 1) % points.size()];
            sum += static_cast<double>(p[0]) * static_cast<double>(q[1]) -
                   static_cast<double>(q[0]) * static_cast<double>(p[1]);
        }
        return sum;
    }
    void box(std::array<long, 2> point, long margin) {
        const SvgBox around{point[0] - margin, point[1] - margin, point[0] + margin, point[1] + margin};
        box_ = box_ ? SvgBox{std::min((*box_)[0], around[0]), std::min((*box_)[1], around[1]),
                             std::max((*box_)[2], around[2]), std::max((*box_)[3], around[3])}
                    : around;
    }

    SvgGrid grid_;
    std::map<int16_t, LayerPaths> paths_;
    std::optional<SvgBox> box_;
};

// Puts a block's graphics, placed, into a sink.
template <class Sink> class Placer {
  public:
    using Placement = Affine;

    explicit Placer(Sink& sink) : sink_(sink) {}

    Affine place(const engine::Insert& insert, const Affine& outer) const {
        return Affine::placing(insert.at, insert.rotation, insert.mirror ? -insert.scale : insert.scale,
                               insert.scale)
            .within(outer);
    }
    drawing::Entry enter(const engine::Insert&, const Affine&) const { return drawing::Entry::Enter; }
    void stand(const engine::Insert&, const Affine&, bool, bool) const {}
    void graphic(const engine::Graphic& graphic, int16_t layer, const Affine& place,
                 const drawing::ItemOwner&, bool) {
        std::visit([&](const auto& shape) { put(layer, shape, place); }, graphic.shape);
    }

  private:
    void put(int16_t layer, const engine::Pad& pad, const Affine& outer) {
        const Affine place = Affine::placing(pad.at, pad.rotation, 1, 1).within(outer);
        const drawing::PadOutline outline = drawing::padOutline(pad);
        using Kind = drawing::PadOutline::Kind;
        switch (outline.kind) {
        case Kind::Rectangle:
        case Kind::Rounded:
            sink_.contour(layer, roundedContour(outline.width, outline.height, outline.corner, place), false);
            break;
        case Kind::Polygon:
            sink_.contour(layer, polygonContour(outline.points, place), false);
            break;
        case Kind::Disc:
            sink_.disc(layer, place.map({}), outline.width / 2 * place.scale(), false);
            if (outline.hole > 0) {
                sink_.disc(layer, place.map({}), outline.hole / 2 * place.scale(), true);
            }
            break;
        case Kind::None:
            break;
        }
    }
    void put(int16_t layer, const engine::Line& line, const Affine& place) {
        sink_.line(layer, place.map(line.from), place.map(line.to), line.width * place.scale());
    }
    void put(int16_t layer, const engine::Arc& arc, const Affine& place) {
        const auto onArc = [&](double degrees) {
            const double radians = degrees * std::numbers::pi / 180;
            return place.map({arc.center.x + arc.radius * std::cos(radians),
                              arc.center.y + arc.radius * std::sin(radians)});
        };
        sink_.arc(layer, onArc(arc.start), onArc(arc.start + arc.sweep), place.map(arc.center),
                  arc.radius * place.scale(), place.mirrors() ? -arc.sweep : arc.sweep,
                  arc.width * place.scale());
    }
    void put(int16_t layer, const engine::Circle& circle, const Affine& place) {
        if (circle.width > 0) {
            sink_.ring(layer, place.map(circle.center), circle.radius * place.scale(),
                       circle.width * place.scale());
        } else {
            sink_.disc(layer, place.map(circle.center), circle.radius * place.scale(), false);
        }
    }
    void put(int16_t layer, const engine::Polygon& polygon, const Affine& place) {
        sink_.contour(layer, polygonContour(polygon.outline, place), false);
        for (const engine::Ring& hole : polygon.holes) {
            sink_.contour(layer, polygonContour(hole, place), true);
        }
    }
    void put(int16_t layer, const engine::Mark& mark, const Affine& place) {
        sink_.mark(layer, place.map(mark.at));
    }

    Sink& sink_;
};

// The boxes of the items markers name, gathered while the drawing is written: a component or a pin
// as one box, a net as the boxes of its vias and etch, those that touch joined.
class ItemBoxes {
  public:
    explicit ItemBoxes(const std::vector<engine::DrcItem>& named) {
        for (const engine::DrcItem& item : named) {
            const std::string text = engine::itemText(item);
            if (!item.component.empty()) {
                byOwner_[{item.component.str(), item.pin.str()}].push_back(text);
            } else if (!item.net.empty()) {
                byNet_[item.net.str()].push_back(text);
            }
        }
    }

    // A graphic lit inside `owner`: its component's and pin's box grow, and so do the boxes of the
    // nets it carries (a via's or pin's, or its own when it is etch).
    void add(const drawing::ItemOwner& owner, std::string_view net, bool plane, const SvgBox& box) {
        if (!owner.component.empty()) {
            addWhole(byOwner_, {owner.component, ""}, box);
            addWhole(byOwner_, {owner.component, owner.pin}, box);
        }
        for (std::string_view candidate : {std::string_view(owner.net), plane ? std::string_view() : net}) {
            if (candidate.empty()) {
                continue;
            }
            if (auto found = byNet_.find(candidate); found != byNet_.end()) {
                for (const std::string& text : found->second) {
                    addPiece(boxes_[text], box);
                }
            }
        }
    }
    std::map<std::string, std::vector<SvgBox>> take() { return std::move(boxes_); }

  private:
    static constexpr std::size_t kMostPieces = 2000;
    static bool touch(const SvgBox& a, const SvgBox& b) {
        return a[0] <= b[2] && b[0] <= a[2] && a[1] <= b[3] && b[1] <= a[3];
    }
    static SvgBox joined(const SvgBox& a, const SvgBox& b) {
        return {std::min(a[0], b[0]), std::min(a[1], b[1]), std::max(a[2], b[2]), std::max(a[3], b[3])};
    }
    void addWhole(const std::map<std::pair<std::string, std::string>, std::vector<std::string>>& index,
                  const std::pair<std::string, std::string>& owner, const SvgBox& box) {
        if (auto found = index.find(owner); found != index.end()) {
            for (const std::string& text : found->second) {
                auto& boxes = boxes_[text];
                boxes = boxes.empty() ? std::vector{box} : std::vector{joined(boxes.front(), box)};
            }
        }
    }
    static void addPiece(std::vector<SvgBox>& boxes, const SvgBox& box) {
        if (!boxes.empty() && touch(boxes.back(), box)) {
            boxes.back() = joined(boxes.back(), box);
        } else if (boxes.size() < kMostPieces) {
            boxes.push_back(box);
        }
    }

    std::map<std::pair<std::string, std::string>, std::vector<std::string>> byOwner_;
    std::map<std::string, std::vector<std::string>, std::less<>> byNet_;
    std::map<std::string, std::vector<SvgBox>> boxes_;
};

// Writes the drawing and, for the graphics of named items, their boxes.
class SvgPlacer : public Placer<SvgSink> {
  public:
    SvgPlacer(SvgSink& sink, ItemBoxes& boxes, const drawing::ItemOwners& owners)
        : Placer(sink), sink_(sink), boxes_(boxes), owners_(owners) {}

    void graphic(const engine::Graphic& graphic, int16_t layer, const Affine& place,
                 const drawing::ItemOwner& owner, bool lit) {
        sink_.takeBox();
        Placer::graphic(graphic, layer, place, owner, lit);
        const std::optional<SvgBox> box = sink_.takeBox();
        if (lit && box) {
            boxes_.add(owner, graphic.net, owners_.isPlane(layer), *box);
        }
    }

  private:
    SvgSink& sink_;
    ItemBoxes& boxes_;
    const drawing::ItemOwners& owners_;
};

std::string opacity(drawing::Argb argb) {
    char text[16];
    std::snprintf(text, sizeof text, "%.3g", static_cast<double>(argb >> 24) / 255);
    return text;
}

// Planes under everything, then the rest by number, then drills over the pads, silkscreen, outlines.
int paintRank(const engine::Design& design, int16_t number) {
    if (number < 0 || static_cast<std::size_t>(number) >= design.layers.size() || !design.layers[number]) {
        return 1;
    }
    namespace lt = layer_type;
    switch (design.layers[number]->type) {
    case lt::Plane:
    case lt::SplitPlane:
        return 0;
    case lt::Drill:
    case lt::DrillUnplated:
        return 2;
    case lt::SilkscreenTop:
    case lt::SilkscreenBottom:
        return 3;
    case lt::BoardOutline:
    case lt::PanelOutline:
        return 4;
    default:
        return 1;
    }
}

drawing::LayerLook lookOf(const engine::Design& design, int16_t number) {
    const bool known =
        number >= 0 && static_cast<std::size_t>(number) < design.layers.size() && design.layers[number];
    return drawing::layerLook(known ? *design.layers[number] : engine::Layer{});
}

void writeLayer(std::string& out, int16_t number, const drawing::LayerLook& look, const LayerPaths& paths) {
    const std::string colour = cssColour(look.color);
    const std::string alpha = opacity(look.color);
    out += "<g class=\"layer\" data-layer=\"" + std::to_string(number) + "\">";
    if (!paths.areas.empty()) {
        out += look.filled ? "<path fill=\"" + colour + "\" fill-opacity=\"" + alpha + "\""
                           : "<path fill=\"none\" stroke=\"" + colour + "\" stroke-opacity=\"" + alpha +
                                 "\" stroke-width=\"1\" vector-effect=\"non-scaling-stroke\"";
        out += " d=\"" + paths.areas.text() + "\"/>";
    }
    for (const auto& [width, path] : paths.strokes) {
        out += "<path fill=\"none\" stroke=\"" + colour + "\" stroke-opacity=\"" + alpha +
               "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"";
        out += width > 0 ? " stroke-width=\"" + std::to_string(width) + "\""
                         : std::string(" stroke-width=\"1\" vector-effect=\"non-scaling-stroke\"");
        out += " d=\"" + path.text() + "\"/>";
    }
    out += "</g>";
}

} // namespace

std::string cssColour(uint32_t argb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", argb & 0xffffffU);
    return text;
}

long SvgGrid::toX(double x) const {
    return std::lround((x - left) * scale);
}

long SvgGrid::toY(double y) const {
    return std::lround((top - y) * scale);
}

BoardSvg boardSvg(const engine::Design& design, const engine::File& file,
                  const std::vector<engine::Point>& places, const std::vector<engine::DrcItem>& named) {
    const engine::Geometry& block = drawing::shownBlock(design, file);
    BoundsSink bounds;
    {
        Placer<BoundsSink> placer(bounds);
        const std::vector<engine::DrcItem> none;
        drawing::BoardWalk<Placer<BoundsSink>> walk(design, none, placer);
        engine::forEachItem(block, [&](const engine::DataItem& item) { walk.item(item, Affine{}); });
    }
    for (const Point& place : places) {
        bounds.add(place, 0);
    }
    BoardSvg result;
    result.grid = bounds.grid();
    SvgSink sink(result.grid);
    ItemBoxes boxes(named);
    {
        const drawing::ItemOwners owners(design, named);
        SvgPlacer placer(sink, boxes, owners);
        drawing::BoardWalk<SvgPlacer> walk(design, named, placer);
        engine::forEachItem(block, [&](const engine::DataItem& item) { walk.item(item, Affine{}); });
    }
    for (const auto& [number, paths] : sink.paths()) {
        result.layers.push_back(number);
    }
    std::ranges::stable_sort(result.layers, {}, [&](int16_t number) { return paintRank(design, number); });
    const long margin = std::lround(kUnitsAcross * 0.02);
    result.svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"board\" data-file=\"" +
                 std::to_string(file.number) + "\" viewBox=\"" + std::to_string(-margin) + " " +
                 std::to_string(-margin) + " " + std::to_string(result.grid.width + 2 * margin) + " " +
                 std::to_string(result.grid.height + 2 * margin) +
                 "\" preserveAspectRatio=\"xMidYMid meet\">";
    for (int16_t number : result.layers) {
        writeLayer(result.svg, number, lookOf(design, number), sink.paths().at(number));
    }
    result.svg += "</svg>";
    result.itemBoxes = boxes.take();
    return result;
}

} // namespace lumora::report
