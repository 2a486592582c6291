#pragma once

#include "engine/findings/Finding.h"
#include "engine/geom/Transform.h"
#include "engine/model/Design.h"
#include "engine/runtime/Parallel.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumora::engine {

// The reference name of a component's first pin.
inline constexpr std::string_view kPinOne = "1";

// An insert of a file's block, or of any block below it, with where it ends up in the file.
struct PlacedInsert {
    const Insert& insert;
    Transform placed;           // its geometry's coordinates into the file's
    const PlacedInsert* parent; // the insert whose block holds it; nullptr in the file's own block
    std::string prefix;         // "B1/" for what lies in board B1 of a panel
    const Geometry& board;      // the innermost board block it lies in, else the file's block

    std::string reference() const { return prefix + insert.refName.str(); }
    int16_t surface() const { return placed.mirrored() ? surface::Bottom : surface::Top; }
    Point at() const { return placed.offset(); }
    // Degrees counter-clockwise in [0, 360), as the insert's own rotation reads when it is the only
    // placement (mirroring flips x first, so a mirrored insert keeps its rotation).
    double rotation() const;
    // How much its geometry is enlarged in the file.
    double scale() const;
    // Its own net, else the net its component gives it as a pin.
    std::string_view net() const;
    // What a finding about it names: a pin by its component and pin reference, anything else by its
    // own reference.
    DrcItem item() const;
};

// Visits every insert under file filePos's own block, depth first in data order, so that every
// check sees the file's items in the same order. Raises -3 for an unknown file.
void forEachPlacedInsert(const Design& design, int32_t filePos,
                         const std::function<void(const PlacedInsert&)>& visit);

// The own items of file filePos's block, in ranges that the worker pool walks at once.
std::vector<std::pair<std::size_t, std::size_t>> placedInsertRanges(const Design& design, int32_t filePos);
// Visits the inserts under the own items [first, last) of the file's block as forEachPlacedInsert does.
void forEachPlacedInsertIn(const Design& design, int32_t filePos, std::pair<std::size_t, std::size_t> range,
                           const std::function<void(const PlacedInsert&)>& visit);

// What visit(part, placed) gathers of the inserts of each range in a Part of its own, the ranges
// walked on the worker pool: joined in order, the parts see the inserts in forEachPlacedInsert's
// order. For the checks that walk a whole board once, which were a core's work alone.
template <class Part, class Visit>
std::vector<Part> placedInsertsInParts(const Design& design, int32_t filePos, Visit visit) {
    const auto ranges = placedInsertRanges(design, filePos);
    std::vector<Part> parts(ranges.size());
    onThePool(ranges.size(), [&](std::size_t r) {
        forEachPlacedInsertIn(design, filePos, ranges[r],
                              [&](const PlacedInsert& placed) { visit(parts[r], placed); });
    });
    return parts;
}

// The findings visit(found, placed) adds for each insert, gathered as placedInsertsInParts does: for
// the checks that judge each insert on its own.
template <class Visit>
std::vector<Finding> findingsPerPlacedInsert(const Design& design, int32_t filePos, Visit visit) {
    std::vector<std::vector<Finding>> parts =
        placedInsertsInParts<std::vector<Finding>>(design, filePos, visit);
    std::size_t count = 0;
    for (const std::vector<Finding>& part : parts) {
        count += part.size();
    }
    std::vector<Finding> findings;
    findings.reserve(count);
    for (std::vector<Finding>& part : parts) {
        std::ranges::move(part, std::back_inserter(findings));
    }
    return findings;
}

} // namespace lumora::engine
