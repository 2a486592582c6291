// AllowableComponentOrientation: the rotation on the board of every thru-hole component mounted on
// the top (top set) or of every surface-mount component mounted on the bottom (top clear). With
// horizontal set 0 and 180 degrees are allowed, else 90 and 270. Any other rotation is one Critical
// finding at the component, measured in degrees against the nearest allowed rotation.

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/ComponentChoice.h"

#include <cmath>

namespace lumora::engine {

namespace {

constexpr double kAngleTolerance = 1e-6; // degrees

// The angle between two directions, in [0, 180].
double angleBetween(double a, double b) {
    return std::abs(std::remainder(a - b, 360.0));
}

} // namespace

std::vector<Finding> check(CheckContext& context, const AllowableComponentOrientationArgs& args) {
    const ComponentChoice choice = args.top ? ComponentChoice{.top = true, .surfaceMount = false}
                                            : ComponentChoice{.bottom = true, .thruHole = false};
    const double allowed = args.horizontal ? 0 : 90;
    return findingsPerPlacedInsert(
        context.design(), args.filePos, [&](std::vector<Finding>& found, const PlacedInsert& placed) {
            if (!choice.chooses(context.design(), placed)) {
                return;
            }
            const double rotation = placed.rotation();
            const double nearest = angleBetween(rotation, allowed) <= 90 ? allowed : allowed + 180;
            if (angleBetween(rotation, nearest) <= kAngleTolerance) {
                return;
            }
            found.push_back({.check = context.name(),
                             .severity = Severity::Critical,
                             .file = args.filePos,
                             .at = placed.at(),
                             .measure = "rotation",
                             .measured = rotation,
                             .required = nearest,
                             .items = {{.component = placed.reference()}}});
        });
}

} // namespace lumora::engine
