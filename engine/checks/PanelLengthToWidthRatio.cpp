// PanelLengthToWidthRatio: the length (along the rails) of a panel's outline box divided by its width,
// against a minimum ratio. A panel below it is one Critical finding at the panel's centre.

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/EdgeFrame.h"

namespace lumora::engine {

std::vector<Finding> check(CheckContext& context, const PanelLengthToWidthRatioArgs& args) {
    const EdgeFrame frame = edgeFrameOf(context.design(), args.filePos);
    const double ratio = frame.length() / frame.breadth();
    if (!isBelow(ratio, args.minRatio)) {
        return {};
    }
    return {{.check = context.name(),
             .severity = Severity::Critical,
             .file = args.filePos,
             .at = frame.centre(),
             .measure = "length to width ratio",
             .measured = ratio,
             .required = args.minRatio}};
}

} // namespace lumora::engine
