#pragma once

#include "engine/findings/CheckContext.h"
#include "engine/findings/Severity.h"

#include <vector>

namespace lumora::engine {

// Which pairs a distance check measures and how it judges them.
struct PairRules {
    Limits limits{};
    bool canTouch = false;      // touching or overlapping items are no violation
    bool skipSameNets = false;  // pairs on one net are not measured
    bool oneDrcPerNet = false;  // one finding per pair of nets, the closest
    bool skipSameComps = false; // pairs of one component are not measured
};

// Refuses (-13) any algorithm type but 0, edge to edge, the only distance KORVEN measures.
void requireEdgeToEdge(int16_t algType);

// The edge-to-edge distances between the items of two flatten geometries (between the items of
// one, when both are the same) that break the limits. Shared by DistanceCheck2 and
// DistanceCheckDiffNets.
std::vector<Finding> closePairs(const CheckContext& context, const Geometry& first, const Geometry& second,
                                const PairRules& rules);

} // namespace lumora::engine
