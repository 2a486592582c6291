// ItemsInCorners: counts the corners of the panel's (or board's) outline box that hold an item of
// the geometry. An item holds a corner when it lies between minRailEdge and maxRailEdge inside the
// corner's rail edge and between minNonRailEdge and maxNonRailEdge inside its leading or trailing
// edge. With fewer corners held than minCorners, every empty corner is one Critical finding, placed
// in the middle of the corner's window.

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/EdgeFrame.h"
#include "engine/measure/ItemGroups.h"
#include "engine/model/Refusal.h"

#include <algorithm>
#include <array>
#include <string>

namespace lumora::engine {

namespace {

constexpr int16_t kCorners = 4;

// Where an item may lie, measured inward from one edge.
struct Window {
    double nearest;
    double farthest;
    bool holds(double distance) const { return !isBelow(distance, nearest) && !isAbove(distance, farthest); }
    double middle() const { return (nearest + farthest) / 2; }
};

struct Corner {
    Edge railEdge;
    Edge endEdge;
};

std::vector<Corner> cornersOf(const EdgeFrame& frame) {
    std::vector<Corner> corners;
    for (Edge rail : frame.railEdges()) {
        for (Edge end : frame.leadingTrailingEdges()) {
            corners.push_back({rail, end});
        }
    }
    return corners;
}

// "bottom left": which corner a finding misses, in the board's own directions.
std::string cornerName(const Corner& corner) {
    constexpr std::array<std::string_view, 4> kEdgeNames{"left", "bottom", "right", "top"};
    const bool vertical = corner.railEdge == Edge::Bottom || corner.railEdge == Edge::Top;
    const Edge first = vertical ? corner.railEdge : corner.endEdge;
    const Edge second = vertical ? corner.endEdge : corner.railEdge;
    return std::string(kEdgeNames[static_cast<std::size_t>(first)]) + " " +
           std::string(kEdgeNames[static_cast<std::size_t>(second)]);
}

// What a finding measured: the corners held, and which one is empty on which side, so that the
// findings of one call read apart and keep keys of their own.
std::string measureOf(const Corner& corner, int16_t surface) {
    const std::string_view side = surface == surface::Top      ? " on the top"
                                  : surface == surface::Bottom ? " on the bottom"
                                                               : "";
    return "corners with items (" + cornerName(corner) + " empty" + std::string(side) + ")";
}

bool onSurface(const ItemGroup& group, int16_t surface) {
    return surface == 0 || surface == surface::Both || group.surface == surface;
}

void refuseOutOfRange(const ItemsInCornersArgs& args) {
    if (args.minCorners < 0 || args.minCorners > kCorners) {
        throw Refusal(rc::ValueOutOfRange, "minimum of " + std::to_string(args.minCorners) + " corners");
    }
    if (args.surface < 0 || args.surface > surface::Both) {
        throw Refusal(rc::ValueOutOfRange, "unknown surface " + std::to_string(args.surface));
    }
}

} // namespace

std::vector<Finding> check(CheckContext& context, const ItemsInCornersArgs& args) {
    refuseOutOfRange(args);
    const Geometry& flattened = context.flattened(args.geomNum);
    const EdgeFrame frame = edgeFrameOf(context.design(), flattened.flattenFile);
    const Window rail{args.minRailEdge, args.maxRailEdge};
    const Window end{args.minNonRailEdge, args.maxNonRailEdge};
    const std::vector<ItemGroup> groups = groupsByComponent(flatItemsOf(flattened));
    auto isHeld = [&](const Corner& corner) {
        return std::ranges::any_of(groups, [&](const ItemGroup& group) {
            return onSurface(group, args.surface) && rail.holds(frame.distance(group.box, corner.railEdge)) &&
                   end.holds(frame.distance(group.box, corner.endEdge));
        });
    };
    const std::vector<Corner> corners = cornersOf(frame);
    const auto held = std::ranges::count_if(corners, isHeld);
    std::vector<Finding> findings;
    if (held >= args.minCorners) {
        return findings;
    }
    for (const Corner& corner : corners) {
        if (isHeld(corner)) {
            continue;
        }
        findings.push_back(
            {.check = context.name(),
             .severity = Severity::Critical,
             .file = flattened.flattenFile,
             .at = frame.cornerPoint(corner.railEdge, rail.middle(), corner.endEdge, end.middle()),
             .measure = measureOf(corner, args.surface),
             .measured = static_cast<double>(held),
             .required = static_cast<double>(args.minCorners)});
    }
    return findings;
}

} // namespace lumora::engine
