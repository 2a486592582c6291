// TestpointsPerNet: the number of testpoints (the inserts whose items a flatten geometry holds) on
// every net of the geometry's board: the nets of its pins, vias, testpoints and etch. Reports each
// net with fewer than minTestpoints, Critical, at its first pin or via (else its first etch).

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/FlatItems.h"
#include "engine/measure/PlacedInserts.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace lumora::engine {

namespace {

using NetPlaces = std::vector<std::pair<std::string, Point>>;

// The nets of a range of placed inserts, each with the place of its first insert there, in order.
struct FirstPlaces {
    std::unordered_set<std::string_view> seen;
    std::vector<std::pair<std::string_view, Point>> places; // the design's own net names
};

// Every net of a file with the place its markers go, in name order: gathered in a hash map and
// sorted once, as a large board has tens of thousands of nets.
NetPlaces netsOf(const Design& design, int32_t filePos) {
    const auto parts =
        placedInsertsInParts<FirstPlaces>(design, filePos, [](FirstPlaces& part, const PlacedInsert& placed) {
            if (const std::string_view net = placed.net(); !net.empty() && part.seen.insert(net).second) {
                part.places.emplace_back(net, placed.at());
            }
        });
    std::unordered_map<std::string_view, Point> nets; // views of the design's own net names
    for (const FirstPlaces& part : parts) {
        for (const auto& [net, at] : part.places) {
            nets.try_emplace(net, at);
        }
    }
    // An etch's extent is an area's envelope, dear on large boards: only for nets not placed yet.
    for (const DataItem& item : design.geometry(design.file(filePos).geometry).data) {
        const auto* graphic = std::get_if<Graphic>(&item);
        const bool unplaced = graphic && !graphic->net.empty() && !nets.contains(graphic->net);
        const auto extent = unplaced ? extentOf(graphic->shape) : std::nullopt;
        if (extent) {
            nets.try_emplace(graphic->net, centreOf(*extent));
        }
    }
    NetPlaces sorted(nets.begin(), nets.end());
    std::ranges::sort(sorted, {}, &NetPlaces::value_type::first);
    return sorted;
}

// The number of testpoints (distinct insert paths) of a geometry per net, the nets viewed in its
// items: the pairs of net and path sorted once, rather than a set of path copies per net.
using NetTestpoints = std::unordered_map<std::string_view, int>;

NetTestpoints testpointsPerNet(const std::vector<FlatItem>& items) {
    using OnNet = std::pair<std::string_view, std::span<const int32_t>>;
    std::vector<OnNet> onNets;
    for (const FlatItem& item : items) {
        if (!item.graphic->net.empty()) {
            onNets.emplace_back(item.graphic->net, insertPathOf(*item.graphic));
        }
    }
    const auto before = [](const OnNet& a, const OnNet& b) {
        return a.first != b.first ? a.first < b.first
                                  : std::ranges::lexicographical_compare(a.second, b.second);
    };
    const auto same = [](const OnNet& a, const OnNet& b) {
        return a.first == b.first && std::ranges::equal(a.second, b.second);
    };
    std::sort(onNets.begin(), onNets.end(), before);
    onNets.erase(std::unique(onNets.begin(), onNets.end(), same), onNets.end());
    NetTestpoints testpoints;
    for (const OnNet& onNet : onNets) {
        ++testpoints[onNet.first];
    }
    return testpoints;
}

} // namespace

std::vector<Finding> check(CheckContext& context, const TestpointsPerNetArgs& args) {
    const Geometry& geometry = context.flattened(args.geomNum);
    const NetTestpoints testpoints = testpointsPerNet(flatItemsOf(geometry));
    std::vector<Finding> findings;
    for (const auto& [net, at] : netsOf(context.design(), geometry.flattenFile)) {
        const auto found = testpoints.find(net);
        const int count = found == testpoints.end() ? 0 : found->second;
        if (count >= args.minTestpoints) {
            continue;
        }
        Finding finding = context.finding(Severity::Critical, geometry.flattenFile, at);
        finding.measure = "testpoints";
        finding.measured = count;
        finding.required = args.minTestpoints;
        finding.items = {{.net = net}};
        findings.push_back(std::move(finding));
    }
    return findings;
}

} // namespace lumora::engine
