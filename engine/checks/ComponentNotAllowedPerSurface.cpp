// ComponentNotAllowedPerSurface: every component mounted on a chosen side whose attribute
// attribKeyword equals attribValue (the same text, or both numbers and numerically equal, so that
// "0,5" finds 0.5) is not allowed there: one Critical finding at the component.

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/ComponentChoice.h"
#include "engine/ops/AttributeCondition.h"

namespace lumora::engine {

std::vector<Finding> check(CheckContext& context, const ComponentNotAllowedPerSurfaceArgs& args) {
    const ComponentChoice choice{.top = args.top, .bottom = args.bottom};
    const AttributeCondition notAllowed(args.attribKeyword, args.attribValue, comparison::Equal);
    return findingsPerPlacedInsert(
        context.design(), args.filePos, [&](std::vector<Finding>& found, const PlacedInsert& placed) {
            if (!choice.chooses(context.design(), placed) ||
                !notAllowed.matches(placed.insert.attributes.value(args.attribKeyword))) {
                return;
            }
            found.push_back({.check = context.name(),
                             .severity = Severity::Critical,
                             .file = args.filePos,
                             .at = placed.at(),
                             .measure = "components with " + args.attribKeyword + "=" + args.attribValue,
                             .measured = 1,
                             .required = 0,
                             .items = {placed.item()}});
        });
}

} // namespace lumora::engine
