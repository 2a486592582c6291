// ComponentFlushWithOutline: for every component of the geometry (the pin extents of gold fingers),
// the shortest distance from its items to the outline of the geometry's board or panel, measured
// to the centre lines of the outline items. A component farther than maxDistance from the outline
// is one Critical finding at its centre.

#include "engine/checks/CheckFunctions.h"
#include "engine/geom/BoxIndex.h"
#include "engine/measure/FileOutline.h"
#include "engine/measure/ItemGroups.h"

#include <algorithm>
#include <limits>

namespace lumora::engine {

namespace {

class Outline {
  public:
    explicit Outline(std::vector<Footprint> borders)
        : borders_(std::move(borders)), index_(boxesOf(borders_)) {}

    // Widens the search until some outline is near, then takes every outline that may be nearer
    // than the nearest found, so that only the outline around the group is measured.
    double distanceTo(const ItemGroup& group, double firstReach) const {
        double reach = firstReach > 0 ? firstReach : 1;
        std::vector<std::size_t> near;
        while ((near = index_.near(group.box, reach)).empty()) {
            reach *= 2;
        }
        const double found = nearest(group, near);
        return std::min(found, nearest(group, index_.near(group.box, found)));
    }

  private:
    static std::vector<Box> boxesOf(const std::vector<Footprint>& borders) {
        std::vector<Box> boxes;
        for (const Footprint& border : borders) {
            boxes.push_back(border.box());
        }
        return boxes;
    }

    double nearest(const ItemGroup& group, const std::vector<std::size_t>& candidates) const {
        double result = std::numeric_limits<double>::infinity();
        for (std::size_t border : candidates) {
            for (const FlatItem& member : group.members) {
                result = std::min(result, member.footprint.distanceTo(borders_[border]));
            }
        }
        return result;
    }

    std::vector<Footprint> borders_;
    BoxIndex index_;
};

} // namespace

std::vector<Finding> check(CheckContext& context, const ComponentFlushWithOutlineArgs& args) {
    const Geometry& flattened = context.flattened(args.geomNum);
    const Outline outline(outlineBorders(context.design(), flattened.flattenFile));
    std::vector<Finding> findings;
    for (const ItemGroup& group : groupsByComponent(flatItemsOf(flattened))) {
        const double distance = outline.distanceTo(group, args.maxDistance);
        if (!isAbove(distance, args.maxDistance)) {
            continue;
        }
        const AreaPoint centre = bg::return_centroid<AreaPoint>(group.box);
        findings.push_back({.check = context.name(),
                            .severity = Severity::Critical,
                            .file = flattened.flattenFile,
                            .at = {centre.x(), centre.y()},
                            .measure = "distance to outline",
                            .measured = distance,
                            .required = args.maxDistance,
                            .items = {group.item}});
    }
    return findings;
}

} // namespace lumora::engine
