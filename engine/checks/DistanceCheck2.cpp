// DistanceCheck2: the edge-to-edge distance between every item of the first flatten geometry and
// every item of the second, or between the items of one geometry when both numbers are the same.
// Reports each pair closer than the limits (any contact when both limits are 0), honouring
// CanTouch, SkipSameNets, OneDRCPerNet and SkipSameComps.

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/PairDistances.h"

namespace lumora::engine {

std::vector<Finding> check(CheckContext& context, const DistanceCheck2Args& args) {
    requireEdgeToEdge(args.algType);
    const Geometry& first = context.flattened(args.geomNum1);
    const Geometry& second = context.flattened(args.geomNum2);
    return closePairs(context, first, second,
                      {.limits = args.limits,
                       .canTouch = args.canTouch,
                       .skipSameNets = args.skipSameNets,
                       .oneDrcPerNet = args.oneDrcPerNet,
                       .skipSameComps = args.skipSameComps});
}

} // namespace lumora::engine
