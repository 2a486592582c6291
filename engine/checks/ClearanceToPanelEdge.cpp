// ClearanceToPanelEdge: for every component, fiducial or tooling hole of the geometry, how far its
// items lie inside the nearer rail edge and inside the nearer leading or trailing edge of the
// panel's outline box (negative beyond the edge). Each kind of edge nearer than its minimum is one
// Critical finding for the item, at the item's side facing that edge.

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/EdgeFrame.h"
#include "engine/measure/ItemGroups.h"

#include <array>

namespace lumora::engine {

namespace {

struct EdgeRule {
    std::string_view measure;
    std::array<Edge, 2> edges;
    double minimum;
};

Edge nearerEdge(const EdgeFrame& frame, const Box& box, const std::array<Edge, 2>& edges) {
    return frame.distance(box, edges[1]) < frame.distance(box, edges[0]) ? edges[1] : edges[0];
}

} // namespace

std::vector<Finding> check(CheckContext& context, const ClearanceToPanelEdgeArgs& args) {
    const Geometry& flattened = context.flattened(args.geomNum);
    const EdgeFrame frame = edgeFrameOf(context.design(), flattened.flattenFile);
    const std::array rules{
        EdgeRule{"rail edge distance", frame.railEdges(), args.minRailEdge},
        EdgeRule{"leading/trailing edge distance", frame.leadingTrailingEdges(), args.minNonRailEdge},
    };
    std::vector<Finding> findings;
    for (const ItemGroup& group : groupsByComponent(flatItemsOf(flattened))) {
        for (const EdgeRule& rule : rules) {
            const Edge edge = nearerEdge(frame, group.box, rule.edges);
            const double distance = frame.distance(group.box, edge);
            if (!isBelow(distance, rule.minimum)) {
                continue;
            }
            findings.push_back({.check = context.name(),
                                .severity = Severity::Critical,
                                .file = flattened.flattenFile,
                                .at = frame.pointToward(group.box, edge),
                                .measure = std::string(rule.measure),
                                .measured = distance,
                                .required = rule.minimum,
                                .items = {group.item}});
        }
    }
    return findings;
}

} // namespace lumora::engine
