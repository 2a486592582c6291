// ComponentShadow: the gaps between component bodies on one side of a board, per direction. For
// every component and each of its four sides, every body on the same surface that lies beyond that
// side and overlaps it across is measured by the gap between the two bodies' boxes; a gap below that
// side's limits is reported, at the middle of the gap. Bodies are the "Comp Body" DFx outlines
// (GenerateDFxOutlines makes them); components without one cast no shadow. The files are the
// numbers the caller lists, or every board file when it lists none.

#include "engine/checks/CheckFunctions.h"
#include "engine/geom/PairSearch.h"
#include "engine/measure/PlacedInserts.h"

#include <algorithm>
#include <array>

namespace lumora::engine {

namespace {

struct Body {
    Box box;
    int16_t surface;
    DrcItem item;
};

std::string_view bodyTopType() {
    const auto kinds = dfxOutlineKinds();
    return std::ranges::find(kinds, dfx_algorithm::CompBody, &DfxOutlineKind::algorithm)->topType;
}

std::optional<Box> bodyBox(const Design& design, const PlacedInsert& placed) {
    static const std::string_view kBodyTop = bodyTopType();
    std::optional<Box> box;
    for (const DataItem& item : design.geometry(placed.insert.geometry).data) {
        const auto* graphic = std::get_if<Graphic>(&item);
        const std::string* type =
            graphic ? design.layer(graphic->layer).attributes.find(keyword::DfxOutlineType) : nullptr;
        const auto extent =
            type && *type == kBodyTop ? extentOf(placed.placed.apply(graphic->shape)) : std::nullopt;
        if (extent && box) {
            bg::expand(*box, *extent);
        } else if (extent) {
            box = extent;
        }
    }
    return box;
}

std::vector<Body> bodiesOf(const Design& design, int32_t filePos) {
    std::vector<Body> bodies;
    forEachPlacedInsert(design, filePos, [&](const PlacedInsert& placed) {
        if (placed.insert.insertType != insert_type::Component) {
            return;
        }
        if (const auto box = bodyBox(design, placed)) {
            bodies.push_back({*box, placed.surface(), placed.item()});
        }
    });
    return bodies;
}

// One side of a body: the gap to a body beyond it, and the middle of that gap; nothing when the
// other body does not lie beyond this side.
struct Gap {
    double size;
    Point middle;
};

double overlapAcross(double lowA, double highA, double lowB, double highB) {
    return std::min(highA, highB) - std::max(lowA, lowB);
}

enum Side { Left, Right, Top, Bottom };

std::optional<Gap> gapBeyond(const Box& a, const Box& b, Side side) {
    const AreaPoint &aLo = a.min_corner(), &aHi = a.max_corner(), &bLo = b.min_corner(),
                    &bHi = b.max_corner();
    const bool horizontal = side == Left || side == Right;
    const double across = horizontal ? overlapAcross(aLo.y(), aHi.y(), bLo.y(), bHi.y())
                                     : overlapAcross(aLo.x(), aHi.x(), bLo.x(), bHi.x());
    const double size = side == Left    ? aLo.x() - bHi.x()
                        : side == Right ? bLo.x() - aHi.x()
                        : side == Top   ? bLo.y() - aHi.y()
                                        : aLo.y() - bHi.y();
    if (across <= 0 || size < 0) {
        return std::nullopt;
    }
    const double midAcross = horizontal ? (std::max(aLo.y(), bLo.y()) + std::min(aHi.y(), bHi.y())) / 2
                                        : (std::max(aLo.x(), bLo.x()) + std::min(aHi.x(), bHi.x())) / 2;
    const double midAlong = side == Left    ? aLo.x() - size / 2
                            : side == Right ? aHi.x() + size / 2
                            : side == Top   ? aHi.y() + size / 2
                                            : aLo.y() - size / 2;
    return Gap{size, horizontal ? Point{midAlong, midAcross} : Point{midAcross, midAlong}};
}

std::vector<int32_t> boardFiles(const Design& design) {
    std::vector<int32_t> files;
    for (const File& file : design.files) {
        if (design.geometry(file.geometry).blockType == block_type::Board) {
            files.push_back(file.number);
        }
    }
    return files;
}

} // namespace

std::vector<Finding> check(CheckContext& context, const ComponentShadowArgs& args) {
    const std::array<std::pair<const char*, Limits>, 4> sides{{{"gap left", args.left},
                                                               {"gap right", args.right},
                                                               {"gap top", args.top},
                                                               {"gap bottom", args.bottom}}};
    double reach = 0;
    for (const auto& [measure, limits] : sides) {
        reach = std::max({reach, limits.marginal, limits.critical});
    }
    std::vector<Finding> findings;
    for (int32_t file : args.files.empty() ? boardFiles(context.design()) : args.files) {
        const std::vector<Body> bodies = bodiesOf(context.design(), file);
        std::vector<Box> boxes;
        for (const Body& body : bodies) {
            boxes.push_back(body.box);
        }
        for (const auto& [a, b] : nearPairs(boxes, boxes, reach)) {
            if (a == b || bodies[a].surface != bodies[b].surface) {
                continue;
            }
            for (Side side : {Left, Right, Top, Bottom}) {
                const std::optional<Gap> gap = gapBeyond(bodies[a].box, bodies[b].box, side);
                const std::optional<Severity> severity =
                    gap ? severityBelow(gap->size, sides[side].second) : std::nullopt;
                if (!severity) {
                    continue;
                }
                Finding finding = context.finding(*severity, file, gap->middle);
                finding.measure = sides[side].first;
                finding.measured = gap->size;
                finding.required = brokenLimit(*severity, sides[side].second);
                finding.items = {bodies[a].item, bodies[b].item};
                findings.push_back(std::move(finding));
            }
        }
    }
    return findings;
}

} // namespace lumora::engine
