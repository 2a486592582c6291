// SMDSoldermaskClearance: SMD pads (first flatten geometry) against the soldermask openings (second).
// For every pad the margin between its box and the box of the openings over it is measured on the
// left and right (the smaller is the x margin) and below and above (the y margin); a margin below
// its minimum is Critical. A pad no opening reaches is covered: its margins are minus half its width
// and height.

#include "engine/checks/CheckFunctions.h"
#include "engine/geom/BoxIndex.h"
#include "engine/measure/FlatItems.h"
#include "engine/runtime/Parallel.h"

#include <algorithm>
#include <optional>

namespace lumora::engine {

namespace {

// The items of one pin.
struct SmdPad {
    std::vector<const FlatItem*> items;
    Box box;

    bool under(const FlatItem& opening) const {
        return std::ranges::any_of(items, [&](const FlatItem* item) { return overlaps(*item, opening); });
    }
};

std::vector<SmdPad> padsOf(const std::vector<FlatItem>& items) {
    std::vector<SmdPad> pads;
    for (InsertItems& group : groupByInsert(items)) {
        const Box first = group.front()->footprint.box();
        SmdPad pad{std::move(group), first};
        for (const FlatItem* item : pad.items) {
            bg::expand(pad.box, item->footprint.box());
        }
        pads.push_back(std::move(pad));
    }
    return pads;
}

// The box of the openings over a pad; none when the mask covers it.
std::optional<Box> openingOver(const SmdPad& pad, const std::vector<FlatItem>& openings,
                               const BoxIndex& index) {
    std::optional<Box> opening;
    for (std::size_t o : index.near(pad.box, 0)) {
        if (!pad.under(openings[o])) {
            continue;
        }
        if (opening) {
            bg::expand(*opening, openings[o].footprint.box());
        } else {
            opening = openings[o].footprint.box();
        }
    }
    return opening;
}

struct Margins {
    double x;
    double y;
};

Margins marginsOf(const Box& pad, const std::optional<Box>& opening) {
    const AreaPoint& lo = pad.min_corner();
    const AreaPoint& hi = pad.max_corner();
    if (!opening) {
        return {-(hi.x() - lo.x()) / 2, -(hi.y() - lo.y()) / 2};
    }
    return {std::min(lo.x() - opening->min_corner().x(), opening->max_corner().x() - hi.x()),
            std::min(lo.y() - opening->min_corner().y(), opening->max_corner().y() - hi.y())};
}

} // namespace

std::vector<Finding> check(CheckContext& context, const SMDSoldermaskClearanceArgs& args) {
    const Geometry& padGeometry = context.flattened(args.geomNum);
    const Geometry& maskGeometry = context.flattened(args.soldermaskGeomNum);
    const std::vector<FlatItem> padItems = flatItemsOf(padGeometry);
    const std::vector<FlatItem> openings = flatItemsOf(maskGeometry);
    const BoxIndex index(boxesOf(openings), onThePool);
    const std::vector<SmdPad> pads = padsOf(padItems);
    const std::vector<std::optional<Box>> openingsOver = measureInParallel<std::optional<Box>>(
        pads.size(), [&](std::size_t p) { return openingOver(pads[p], openings, index); });

    std::vector<Finding> findings;
    for (std::size_t p = 0; p < pads.size(); ++p) {
        const SmdPad& pad = pads[p];
        const Margins margins = marginsOf(pad.box, openingsOver[p]);
        for (auto [measure, measured, required] :
             {std::tuple{"soldermask x margin", margins.x, args.minXMargin},
              std::tuple{"soldermask y margin", margins.y, args.minYMargin}}) {
            if (!isBelow(measured, required)) {
                continue;
            }
            Finding finding = context.finding(Severity::Critical, padGeometry.flattenFile, centreOf(pad.box));
            finding.measure = measure;
            finding.measured = measured;
            finding.required = required;
            finding.items = {findingItemOf(*pad.items.front()->graphic)};
            findings.push_back(std::move(finding));
        }
    }
    return findings;
}

} // namespace lumora::engine
