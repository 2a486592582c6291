// DistanceCheckDiffNets: the edge-to-edge distance between the items of one flatten geometry that
// lie on different nets (items without a net count as on a net of their own). Reports each pair
// closer than the limits (any contact when both limits are 0, unless CanTouch).

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/PairDistances.h"

namespace lumora::engine {

std::vector<Finding> check(CheckContext& context, const DistanceCheckDiffNetsArgs& args) {
    requireEdgeToEdge(args.algType);
    const Geometry& geometry = context.flattened(args.geomNum);
    return closePairs(context, geometry, geometry,
                      {.limits = args.limits, .canTouch = args.canTouch, .skipSameNets = true});
}

} // namespace lumora::engine
