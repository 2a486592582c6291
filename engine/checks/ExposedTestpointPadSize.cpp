// ExposedTestpointPadSize: the size of the exposed copper of every testpoint in a flatten geometry
// (its pads, or what the soldermask leaves open of them): the smaller of a pad's width and height, a
// complex pad's width across its narrowest sides, else the smaller side of the box around a piece
// of copper; the largest piece counts. Drill holes are not copper. A size below minSize, or above
// maxSize when that is above 0, is Critical.

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/FlatItems.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace lumora::engine {

namespace {

bool isDrill(const Design& design, int16_t layer) {
    const int16_t type = design.layer(layer).type;
    return type == layer_type::Drill || type == layer_type::DrillUnplated;
}

// How wide an outline is across its narrowest sides: for each side, how far the outline reaches
// from it square to it. A complex pad's rounded corners do not change it where opposite sides run
// parallel (a rounded or chamfered rectangle), as its corners lie between them.
double narrowestWidth(std::span<const Point> outline) {
    double narrowest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const Point a = outline[i];
        const Point b = outline[(i + 1) % outline.size()];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (length == 0) {
            continue;
        }
        double low = 0;
        double high = 0;
        for (const Point& p : outline) {
            const double across = ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / length;
            low = std::min(low, across);
            high = std::max(high, across);
        }
        narrowest = std::min(narrowest, high - low);
    }
    return narrowest;
}

// A pad's own size, whatever its rotation; other copper the smaller side of its box.
double sizeOf(const FlatItem& item) {
    const auto* pad = std::get_if<Pad>(&item.graphic->shape);
    if (pad && pad->shape == pad_shape::Complex) {
        return narrowestWidth(outlineOf(*pad));
    }
    if (pad) {
        return pad->sizeY > 0 ? std::min(pad->sizeX, pad->sizeY) : pad->sizeX;
    }
    const Box& box = item.footprint.box();
    return std::min(box.max_corner().x() - box.min_corner().x(), box.max_corner().y() - box.min_corner().y());
}

// The largest piece of copper a testpoint exposes.
double sizeOf(const std::vector<const FlatItem*>& copper) {
    double size = 0;
    for (const FlatItem* item : copper) {
        size = std::max(size, sizeOf(*item));
    }
    return size;
}

} // namespace

std::vector<Finding> check(CheckContext& context, const ExposedTestpointPadSizeArgs& args) {
    const Geometry& geometry = context.flattened(args.geomNum);
    const std::vector<FlatItem> items = flatItemsOf(geometry);
    std::vector<Finding> findings;
    for (const InsertItems& testpoint : groupByInsert(items)) {
        std::vector<const FlatItem*> copper;
        std::ranges::copy_if(testpoint, std::back_inserter(copper), [&](const FlatItem* item) {
            return !isDrill(context.design(), item->graphic->layer) && !areaOf(*item).empty();
        });
        if (copper.empty()) {
            continue;
        }
        const double size = sizeOf(copper);
        const bool tooSmall = isBelow(size, args.minSize);
        if (!tooSmall && !(args.maxSize > 0 && isAbove(size, args.maxSize))) {
            continue;
        }
        const Box& box = copper.front()->footprint.box();
        Finding finding = context.finding(Severity::Critical, geometry.flattenFile,
                                          {(box.min_corner().x() + box.max_corner().x()) / 2,
                                           (box.min_corner().y() + box.max_corner().y()) / 2});
        finding.measure = "pad size";
        finding.measured = size;
        finding.required = tooSmall ? args.minSize : args.maxSize;
        finding.items = {findingItemOf(*copper.front()->graphic)};
        findings.push_back(std::move(finding));
    }
    return findings;
}

} // namespace lumora::engine
