#include "engine/tools/SyntheticDesign.h"

#include "engine/geom/Areas.h"
#include "engine/geom/Transform.h"
#include "engine/tools/ExampleDesigns.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <random>
#include <stdexcept>
#include <string_view>

namespace lumora::engine {

namespace {

// Room around a part on every side; vias and traces run on the centre line of this margin, so
// neighbouring cells stay apart whatever their turn.
constexpr double kMargin = 100;
constexpr double kBorder = 300; // board edge to the cells: fiducials and tooling holes
constexpr double kTraceWidth = 8;
constexpr double kOutlineWidth = 5;
constexpr double kPlaneInset = 10;     // plane tiles stop short of their cell's edge
constexpr double kPlaneClearance = 10; // around plated holes of other nets
constexpr std::size_t kComponentsPerSignalNet = 2;
// What CellWriter::write adds at most: the part, two vias, the two legs from pin 1 and the trace
// between the vias, a testpoint with its trace, a stub and two plane tiles; and what addFrame adds:
// four outline lines, three fiducials and two tooling holes.
constexpr std::size_t kMostItemsPerCell = 11;
constexpr std::size_t kFrameItems = 9;

struct PartKind {
    std::string_view geometry; // a component of the example library
    std::string_view prefix;   // of reference names
    std::string_view family;   // PACKAGE_FAMILY
    std::string_view height;   // COMPHEIGHT
    unsigned weight;           // how often it is drawn, relative to the others
};

// Passives dominate, as on real boards.
constexpr std::array kPartKinds{
    PartKind{"R0603", "R", "R0603", "25", 55},   PartKind{"R0603", "C", "C0603", "35", 15},
    PartKind{"SOIC8", "U", "SOIC8", "70", 10},   PartKind{"QFP32", "U", "QFP32", "60", 4},
    PartKind{"DPAK", "Q", "DPAK", "90", 4},      PartKind{"DIP8", "J", "DIP8", "200", 4},
    PartKind{"HDR1X4", "J", "HDR1X4", "330", 4}, PartKind{"CONN2_TALL", "J", "CONN2", "450", 4},
};

constexpr std::string_view kExampleFile = "single-board.json";

template <class T> const T& required(const T* found, std::string_view what, std::string_view name) {
    if (found == nullptr) {
        throw std::logic_error("the example library has no " + std::string(what) + " " + std::string(name));
    }
    return *found;
}

int16_t layerNumber(const Design& design, std::string_view name) {
    return required(design.findLayer(name), "layer", name).number;
}

int16_t geometryNumber(const Design& design, std::string_view name) {
    auto found =
        std::ranges::find_if(design.geometries, [&](const auto& entry) { return entry.second.name == name; });
    return required(found == design.geometries.end() ? nullptr : &found->second, "geometry", name).number;
}

// The layers, keywords, padstacks and parts of the example board, without its board and panel.
Design exampleLibrary() {
    for (ExampleDesign& example : exampleDesigns()) {
        if (example.fileName != kExampleFile) {
            continue;
        }
        Design library = std::move(example.design);
        std::erase_if(library.geometries, [](const auto& entry) {
            return entry.second.blockType == block_type::Board || entry.second.blockType == block_type::Panel;
        });
        library.files.clear();
        library.drcs.clear();
        return library;
    }
    throw std::logic_error("no example design " + std::string(kExampleFile));
}

// Whole mils around everything a block draws, so that cells get exact coordinates.
struct Extent {
    Point low;
    Point high;
    Point centre() const { return {(low.x + high.x) / 2, (low.y + high.y) / 2}; }
    double side() const { return std::max(high.x - low.x, high.y - low.y); }
};

void collectBoxes(const Design& design, const Geometry& geometry, const Transform& transform,
                  std::optional<Box>& box) {
    for (const DataItem& item : geometry.data) {
        if (const auto* graphic = std::get_if<Graphic>(&item)) {
            std::optional<Box> more = extentOf(transform.apply(graphic->shape));
            if (more && box) {
                bg::expand(*box, *more);
            } else if (more) {
                box = more;
            }
        } else {
            const Insert& insert = std::get<Insert>(item);
            collectBoxes(design, design.geometry(insert.geometry), Transform::of(insert).then(transform),
                         box);
        }
    }
}

Extent extentOfBlock(const Design& design, int16_t geomNum) {
    std::optional<Box> box;
    collectBoxes(design, design.geometry(geomNum), Transform(), box);
    if (!box) {
        throw std::logic_error("geometry " + design.geometry(geomNum).name + " draws nothing");
    }
    // Rounding noise of turned pins must not add a mil.
    constexpr double kNoise = 1e-6;
    return {{std::floor(box->min_corner().x() + kNoise), std::floor(box->min_corner().y() + kNoise)},
            {std::ceil(box->max_corner().x() - kNoise), std::ceil(box->max_corner().y() - kNoise)}};
}

Point minus(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}

// A pin with a plated hole: inner layers' planes of other nets keep clear of it.
struct PlatedPin {
    std::string ref;
    Point at; // from the centre of the part's extent
    double clearanceSide;
};

// A part of the library as the cells use it.
struct PartShape {
    int16_t geometry = 0;
    Point centre{}; // of its extent, in its own coordinates
    double cell = 0;
    std::string pin1{};
    Point pin1At{}; // from the centre
    std::vector<std::string> pins{};
    std::vector<PlatedPin> platedPins{};
};

PartShape partShape(const Design& design, std::string_view name) {
    PartShape shape;
    shape.geometry = geometryNumber(design, name);
    const Extent extent = extentOfBlock(design, shape.geometry);
    shape.centre = extent.centre();
    shape.cell = extent.side() + 2 * kMargin;
    for (const DataItem& item : design.geometry(shape.geometry).data) {
        const auto* pin = std::get_if<Insert>(&item);
        if (pin == nullptr || pin->insertType != insert_type::Pin) {
            continue;
        }
        const Point at = minus(pin->at, shape.centre);
        if (shape.pins.empty()) {
            shape.pin1 = pin->refName;
            shape.pin1At = at;
        }
        shape.pins.push_back(pin->refName.str());
        if (design.geometry(pin->geometry).hole.size > 0) {
            shape.platedPins.push_back(
                {pin->refName.str(), at, extentOfBlock(design, pin->geometry).side() + 2 * kPlaneClearance});
        }
    }
    if (shape.pins.empty()) {
        throw std::logic_error("part " + std::string(name) + " has no pins");
    }
    return shape;
}

// What the cells take from the library.
struct Library {
    explicit Library(const Design& design)
        : top(layerNumber(design, "TOP")), bottom(layerNumber(design, "BOTTOM")),
          gnd(layerNumber(design, "GND")), pwr(layerNumber(design, "PWR")),
          outline(layerNumber(design, "BOARD_OUTLINE")), tentedVia(geometryNumber(design, "VIA24_12_TENTED")),
          openVia(geometryNumber(design, "VIA24_12")), testpoint(geometryNumber(design, "TP40")),
          fiducial(geometryNumber(design, "FID40")), tooling(geometryNumber(design, "TOOL125")),
          tentedViaSide(extentOfBlock(design, tentedVia).side() + 2 * kPlaneClearance),
          openViaSide(extentOfBlock(design, openVia).side() + 2 * kPlaneClearance),
          tentedViaRadius(extentOfBlock(design, tentedVia).side() / 2) {
        for (const PartKind& kind : kPartKinds) {
            shapes.push_back(partShape(design, kind.geometry));
        }
    }

    int16_t top, bottom, gnd, pwr, outline;
    int16_t tentedVia, openVia, testpoint, fiducial, tooling;
    double tentedViaSide, openViaSide, tentedViaRadius;
    std::vector<PartShape> shapes{}; // one per kPartKinds entry
};

// The draws of one cell, all made before anything is placed so that placement cannot change them.
struct CellPlan {
    std::size_t kind = 0;
    int quarterTurns = 0;
    bool bottom = false;
    std::string net{}; // of pin 1, its vias and traces
    PinNets pinNets{};
    bool testpoint = false;
    std::size_t flaw = 0; // its number, 0 for none
};

// Raw draws of mt19937_64, whose sequence the language fixes, unlike that of its distributions.
class Draws {
  public:
    explicit Draws(std::uint64_t seed) : engine_(seed) {}
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(engine_() % bound); }
    bool oneIn(std::size_t n) { return below(n) == 0; }

  private:
    std::mt19937_64 engine_;
};

std::size_t drawKind(Draws& draws) {
    unsigned total = 0;
    for (const PartKind& kind : kPartKinds) {
        total += kind.weight;
    }
    std::size_t ticket = draws.below(total);
    for (std::size_t i = 0; i < kPartKinds.size(); ++i) {
        if (ticket < kPartKinds[i].weight) {
            return i;
        }
        ticket -= kPartKinds[i].weight;
    }
    return 0;
}

std::string drawNet(Draws& draws, std::size_t signalNets) {
    if (draws.oneIn(10)) {
        return "GND";
    }
    if (draws.oneIn(9)) {
        return "VCC";
    }
    return "NET" + std::to_string(draws.below(signalNets) + 1);
}

std::vector<CellPlan> planCells(const SyntheticOptions& options, const Library& library) {
    Draws draws(options.seed);
    const std::size_t signalNets = std::max<std::size_t>(1, options.components / kComponentsPerSignalNet);
    std::vector<CellPlan> plans(options.components);
    std::size_t flaws = 0;
    for (std::size_t i = 0; i < plans.size(); ++i) {
        CellPlan& plan = plans[i];
        plan.kind = drawKind(draws);
        plan.quarterTurns = static_cast<int>(draws.below(4));
        plan.bottom = draws.oneIn(5);
        plan.net = drawNet(draws, signalNets);
        for (const std::string& pin : library.shapes[plan.kind].pins) {
            if (pin == library.shapes[plan.kind].pin1) {
                plan.pinNets[pin] = plan.net;
            } else if (draws.oneIn(2)) {
                plan.pinNets[pin] = drawNet(draws, signalNets);
            }
        }
        plan.testpoint = i % kSyntheticTestpointEvery == 0;
        if (options.flawEvery > 0 && (i + 1) % options.flawEvery == 0) {
            plan.flaw = ++flaws;
        }
    }
    return plans;
}

// A cell's own coordinates, centred on the part, placed on the board: mirrored in x for the bottom
// side, then turned by quarter turns. Exact, without sine and cosine, so that files hold short
// numbers.
class CellFrame {
  public:
    CellFrame(Point centre, int quarterTurns, bool mirror)
        : centre_(centre), turns_(quarterTurns), mirror_(mirror) {}

    Point operator()(Point local) const {
        Point p{mirror_ ? -local.x : local.x, local.y};
        for (int i = 0; i < turns_; ++i) {
            p = {-p.y, p.x};
        }
        return {centre_.x + p.x, centre_.y + p.y};
    }
    double rotation() const { return 90.0 * turns_; }
    bool mirror() const { return mirror_; }

  private:
    Point centre_;
    int turns_;
    bool mirror_;
};

Ring square(Point centre, double side) {
    const double h = side / 2;
    return {{centre.x - h, centre.y - h},
            {centre.x + h, centre.y - h},
            {centre.x + h, centre.y + h},
            {centre.x - h, centre.y + h}};
}

Graphic graphic(Shape shape, int16_t layer, int16_t graphicClass, std::string net = {}) {
    return Graphic{
        .shape = std::move(shape), .layer = layer, .graphicClass = graphicClass, .net = std::move(net)};
}

Graphic etch(Shape shape, int16_t layer, std::string net) {
    return graphic(std::move(shape), layer, graphic_class::Etch, std::move(net));
}

Insert place(int16_t type, int16_t geometry, Point at, std::string ref = {}) {
    return Insert{.insertType = type, .geometry = geometry, .at = at, .refName = std::move(ref)};
}

std::string netOfPin(const CellPlan& plan, const std::string& pin) {
    auto found = plan.pinNets.find(pin);
    return found == plan.pinNets.end() ? std::string() : found->second;
}

// Where a cell's own copper goes, in the cell's coordinates. Pin 1 escapes straight to the margin
// line on its side, and on to its via in that corner; the second via is the next corner along the
// margin, the testpoint the corner opposite the first via. A flaw's stub comes down the free part of
// the first via's margin line and stops kSyntheticFlawGap short of the escape (or of the via).
struct CellRoute {
    Point escape;
    Point via1;
    Point via2;
    Point testpoint;
    Point stubFrom;
    Point stubTo;
};

CellRoute routeOf(const PartShape& shape, double viaRadius) {
    const Point p = shape.pin1At;
    const double m = shape.cell / 2 - kMargin / 2;
    const double sx = p.x > 0 ? 1 : -1;
    const double sy = p.y > 0 ? 1 : -1;
    const bool sideways = std::abs(p.x) >= std::abs(p.y);
    const Point escape = sideways ? Point{sx * m, p.y} : Point{p.x, sy * m};
    const Point via1{sx * m, sy * m};
    const double reach = sideways ? escape.y : via1.y;
    const double keep = (sideways ? kTraceWidth / 2 : viaRadius) + kSyntheticFlawGap + kTraceWidth / 2;
    return {.escape = escape,
            .via1 = via1,
            .via2 = {-sx * m, sy * m},
            .testpoint = {-sx * m, -sy * m},
            .stubFrom = {sx * m, -sy * m},
            .stubTo = {sx * m, reach - sy * keep}};
}

// Writes the items of one cell into the board.
class CellWriter {
  public:
    CellWriter(const Library& library, Geometry& board) : library_(library), board_(board) {}

    void write(const CellPlan& plan, Point centre) {
        const PartShape& shape = library_.shapes[plan.kind];
        const CellFrame frame(centre, plan.quarterTurns, plan.bottom);
        const CellRoute route = routeOf(shape, library_.tentedViaRadius);
        const int16_t partSide = plan.bottom ? library_.bottom : library_.top;
        const int16_t otherSide = plan.bottom ? library_.top : library_.bottom;

        board_.data.emplace_back(component(plan, shape, frame));
        board_.data.emplace_back(via(library_.tentedVia, frame(route.via1), plan.net));
        board_.data.emplace_back(via(library_.openVia, frame(route.via2), plan.net));
        trace(frame, {shape.pin1At, route.escape, route.via1}, partSide, plan.net);
        trace(frame, {route.via1, route.via2}, otherSide, plan.net);
        if (plan.testpoint) {
            Insert testpoint = via(library_.testpoint, frame(route.testpoint), plan.net);
            testpoint.insertType = insert_type::Testpoint;
            testpoint.refName = nextRef("TP");
            testpoint.attributes.set("TEST", "");
            board_.data.emplace_back(std::move(testpoint));
            trace(frame, {route.via2, route.testpoint}, library_.bottom, plan.net);
        }
        if (plan.flaw > 0) {
            trace(frame, {route.stubFrom, route.stubTo}, partSide, syntheticStubNet(plan.flaw));
        }
        for (const auto& [layer, net] : {std::pair{library_.gnd, "GND"}, std::pair{library_.pwr, "VCC"}}) {
            planeTile(plan, shape, frame, {route.via1, route.via2}, layer, net);
        }
    }

  private:
    std::string nextRef(std::string_view prefix) {
        return std::string(prefix) + std::to_string(++refCounts_[prefix]);
    }

    Insert component(const CellPlan& plan, const PartShape& shape, const CellFrame& frame) {
        const PartKind& kind = kPartKinds[plan.kind];
        Insert insert = place(insert_type::Component, shape.geometry,
                              frame({-shape.centre.x, -shape.centre.y}), nextRef(kind.prefix));
        insert.rotation = frame.rotation();
        insert.mirror = frame.mirror();
        insert.pinNets = plan.pinNets;
        insert.attributes.set("PACKAGE_FAMILY", std::string(kind.family));
        insert.attributes.set("COMPHEIGHT", std::string(kind.height));
        return insert;
    }

    static Insert via(int16_t geometry, Point at, std::string net) {
        Insert insert = place(insert_type::Via, geometry, at);
        insert.net = std::move(net);
        return insert;
    }

    // A polyline as one line per leg; legs of no length are left out.
    void trace(const CellFrame& frame, std::initializer_list<Point> points, int16_t layer,
               const std::string& net) {
        for (auto from = points.begin(), to = from + 1; to != points.end(); ++from, ++to) {
            if (*from != *to) {
                board_.data.emplace_back(etch(Line{frame(*from), frame(*to), kTraceWidth}, layer, net));
            }
        }
    }

    // The cell's share of an inner plane, clear of the vias and plated pins of other nets.
    void planeTile(const CellPlan& plan, const PartShape& shape, const CellFrame& frame,
                   std::array<Point, 2> vias, int16_t layer, const std::string& net) {
        Polygon tile{square(frame({0, 0}), shape.cell - 2 * kPlaneInset), {}};
        if (plan.net != net) {
            tile.holes.push_back(square(frame(vias[0]), library_.tentedViaSide));
            tile.holes.push_back(square(frame(vias[1]), library_.openViaSide));
        }
        for (const PlatedPin& pin : shape.platedPins) {
            if (netOfPin(plan, pin.ref) != net) {
                tile.holes.push_back(square(frame(pin.at), pin.clearanceSide));
            }
        }
        board_.data.emplace_back(etch(std::move(tile), layer, net));
    }

    const Library& library_;
    Geometry& board_;
    std::map<std::string_view, int> refCounts_; // last number given, per prefix
};

struct Layout {
    std::vector<Point> centres; // of the cells, in plan order
    Point size;                 // of the board, border included
};

// Rows of cells, filled left to right up to about the width that makes the board square.
Layout layOut(const std::vector<CellPlan>& plans, const Library& library) {
    double area = 0;
    double widest = 0;
    for (const CellPlan& plan : plans) {
        const double side = library.shapes[plan.kind].cell;
        area += side * side;
        widest = std::max(widest, side);
    }
    const double rowWidth = std::max(widest, std::ceil(std::sqrt(area)));
    Layout layout;
    layout.centres.reserve(plans.size());
    double x = 0;
    double y = 0;
    double rowHeight = 0;
    double width = 0;
    for (const CellPlan& plan : plans) {
        const double side = library.shapes[plan.kind].cell;
        if (x + side > rowWidth) {
            y += rowHeight;
            x = rowHeight = 0;
        }
        layout.centres.push_back({kBorder + x + side / 2, kBorder + y + side / 2});
        x += side;
        rowHeight = std::max(rowHeight, side);
        width = std::max(width, x);
    }
    layout.size = {width + 2 * kBorder, y + rowHeight + 2 * kBorder};
    return layout;
}

void addFrame(Geometry& board, const Library& library, Point size) {
    const Ring corners{{0, 0}, {size.x, 0}, {size.x, size.y}, {0, size.y}};
    for (std::size_t i = 0; i < corners.size(); ++i) {
        board.data.emplace_back(graphic(Line{corners[i], corners[(i + 1) % corners.size()], kOutlineWidth},
                                        library.outline, graphic_class::BoardOutline));
    }
    const double c = kBorder / 2;
    board.data.emplace_back(place(insert_type::Fiducial, library.fiducial, {c, c}, "FID1"));
    board.data.emplace_back(place(insert_type::Fiducial, library.fiducial, {size.x - c, size.y - c}, "FID2"));
    board.data.emplace_back(place(insert_type::Fiducial, library.fiducial, {size.x - c, c}, "FID3"));
    board.data.emplace_back(place(insert_type::ToolingHole, library.tooling, {c, size.y - c}, "T1"));
    board.data.emplace_back(place(insert_type::ToolingHole, library.tooling, {size.x - c, size.y / 2}, "T2"));
}

} // namespace

std::string syntheticStubNet(std::size_t n) {
    return "STUB" + std::to_string(n);
}

Design makeSyntheticDesign(SyntheticOptions options) {
    if (options.components == 0) {
        throw std::invalid_argument("a synthetic design needs at least one component");
    }
    Design design = exampleLibrary();
    design.name = "Synthetic board, " + std::to_string(options.components) + " components, seed " +
                  std::to_string(options.seed);
    const Library library(design);
    const std::vector<CellPlan> plans = planCells(options, library);
    const Layout layout = layOut(plans, library);

    Geometry board;
    board.name = "SYNTH_BOARD";
    board.blockType = block_type::Board;
    board.thickness = 62;
    // A million-component board would otherwise leave a good part of its data unused in the slack
    // of a doubling vector.
    board.data.reserve(plans.size() * kMostItemsPerCell + kFrameItems);
    CellWriter writer(library, board);
    for (std::size_t i = 0; i < plans.size(); ++i) {
        writer.write(plans[i], layout.centres[i]);
    }
    addFrame(board, library, layout.size);
    const int16_t boardNumber = design.addGeometry(std::move(board));
    design.files = {File{.number = 1, .name = "synthetic.cc", .geometry = boardNumber}};
    return design;
}

} // namespace lumora::engine
