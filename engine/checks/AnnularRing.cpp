// AnnularRing: the annular ring of every plated hole of a component pin on a board, per outer side:
// how far the pad's copper reaches beyond the hole (the distance from the hole's centre to the
// nearest point without copper, less the hole's radius), and how far the copper the soldermask
// leaves open reaches beyond it. A ring below its minimum is Critical; a minimum of 0 or less is not
// checked.

#include "engine/checks/CheckFunctions.h"
#include "engine/geom/Depth.h"
#include "engine/geom/Footprint.h"
#include "engine/measure/PlacedInserts.h"
#include "engine/ops/PinPads.h"

#include <array>
#include <map>
#include <mutex>
#include <tuple>

namespace lumora::engine {

namespace {

// A pin's copper and soldermask openings on one outer side, in the board's coordinates.
struct SideAreas {
    Area copper;
    Area opening;
    std::vector<Footprint> pads; // the copper piece by piece, measured exactly
};

// How far the copper reaches round p: the united copper's depth, or one pad's exact depth where
// that is deeper (the polygons of round pads lie inside the circles).
double copperDepth(const SideAreas& side, Point p) {
    double depth = depthIn(side.copper, p);
    for (const Footprint& pad : side.pads) {
        depth = std::max(depth, pad.depthAt(p));
    }
    return depth;
}

struct PinSides {
    SideAreas top;
    SideAreas bottom;
};

PinSides sidesOf(const Design& design, const Geometry& padstack, const Transform& placed) {
    PinSides sides;
    for (const DataItem& item : padstack.data) {
        const auto* graphic = std::get_if<Graphic>(&item);
        if (!graphic) {
            continue;
        }
        const int16_t layer = placed.mirrored() ? design.mirrorLayer(graphic->layer) : graphic->layer;
        const Shape shape = placed.apply(graphic->shape);
        const Area area = areaOf(shape);
        const OuterSides outer = outerSides(design, layer);
        for (SideAreas* side : {outer.top ? &sides.top : nullptr, outer.bottom ? &sides.bottom : nullptr}) {
            if (side) {
                side->copper = unite(side->copper, area);
                side->pads.emplace_back(shape);
            }
        }
        const int16_t type = design.layer(layer).type;
        if (type == layer_type::SoldermaskTop) {
            sides.top.opening = unite(sides.top.opening, area);
        } else if (type == layer_type::SoldermaskBottom) {
            sides.bottom.opening = unite(sides.bottom.opening, area);
        }
    }
    return sides;
}

Area exposed(const SideAreas& side) {
    Area open;
    bg::intersection(side.copper, side.opening, open);
    return open;
}

// How far copper and opening reach round a pin's centre on each side. A placement moves them but
// does not change them, so they are measured once per padstack placed alike, round the origin: a
// board has thousands of pins of a few hundred kinds, and each measure unites and intersects areas.
struct RingDepths {
    double padTop;
    double padBottom;
    double maskTop;
    double maskBottom;
};

using PinKind = std::tuple<int16_t, std::tuple<double, bool, double>>;

// The depths of each kind of pin, worked out once; asked from the pool's threads at once.
class RingDepthsMemo {
  public:
    explicit RingDepthsMemo(const Design& design) : design_(design) {}

    const RingDepths& of(const PlacedInsert& placed) {
        const PinKind kind{placed.insert.geometry, placed.placed.linearKey()};
        const std::lock_guard lock(mutex_);
        if (auto found = known_.find(kind); found != known_.end()) {
            return found->second;
        }
        const PinSides sides =
            sidesOf(design_, design_.geometry(placed.insert.geometry), placed.placed.atOrigin());
        const Point centre{};
        const RingDepths depths{copperDepth(sides.top, centre), copperDepth(sides.bottom, centre),
                                depthIn(exposed(sides.top), centre), depthIn(exposed(sides.bottom), centre)};
        return known_.emplace(kind, depths).first->second;
    }

  private:
    const Design& design_;
    std::mutex mutex_;
    std::map<PinKind, RingDepths> known_; // its entries never move
};

} // namespace

std::vector<Finding> check(CheckContext& context, const AnnularRingArgs& args) {
    const Design& design = context.design();
    RingDepthsMemo ringDepths(design);
    return findingsPerPlacedInsert(
        design, args.filePos, [&](std::vector<Finding>& found, const PlacedInsert& placed) {
            const Geometry& padstack = design.geometry(placed.insert.geometry);
            const bool platedPin = placed.insert.insertType == insert_type::Pin && placed.parent &&
                                   padstack.hole.size > 0 && padstack.hole.plated;
            if (!platedPin) {
                return;
            }
            const RingDepths& depths = ringDepths.of(placed);
            const double radius = padstack.hole.size / 2 * placed.scale();
            const std::array rings{
                std::tuple{"pad annular ring top", args.padTop, depths.padTop},
                std::tuple{"pad annular ring bottom", args.padBottom, depths.padBottom},
                std::tuple{"soldermask annular ring top", args.soldTop, depths.maskTop},
                std::tuple{"soldermask annular ring bottom", args.soldBottom, depths.maskBottom},
            };
            for (const auto& [measure, minimum, depth] : rings) {
                const double ring = depth - radius;
                if (minimum <= 0 || !isBelow(ring, minimum)) {
                    continue;
                }
                Finding finding = context.finding(Severity::Critical, args.filePos, placed.at());
                finding.measure = measure;
                finding.measured = ring;
                finding.required = minimum;
                finding.items = {placed.item()};
                found.push_back(std::move(finding));
            }
        });
}

} // namespace lumora::engine
