// ComponentHeight: the height of every component mounted on a chosen side, read from its attribute
// heightKeyword (page units; components without it have no height to measure). Taller than the
// side's Critical height is Critical, else taller than its Marginal height is Marginal (a height of
// 0 sets no limit); one finding at the component. A height that is no number fails the check.

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/ComponentChoice.h"
#include "engine/model/NumberText.h"
#include "engine/model/Refusal.h"

namespace lumora::engine {

namespace {

double heightOf(const PlacedInsert& component, const std::string& keyword, const std::string& text) {
    if (const std::optional<double> height = parseNumber(text)) {
        return *height;
    }
    throw Refusal(rc::WrongType,
                  component.reference() + ": " + keyword + " \"" + text + "\" is not a number");
}

} // namespace

std::vector<Finding> check(CheckContext& context, const ComponentHeightArgs& args) {
    const ComponentChoice choice{.top = args.top, .bottom = args.bottom};
    return findingsPerPlacedInsert(
        context.design(), args.filePos, [&](std::vector<Finding>& found, const PlacedInsert& placed) {
            const std::string* text = placed.insert.attributes.find(args.heightKeyword);
            if (!text || !choice.chooses(context.design(), placed)) {
                return;
            }
            const double height = heightOf(placed, args.heightKeyword, *text);
            const Limits& limits = placed.surface() == surface::Top ? args.topHeight : args.bottomHeight;
            if (const std::optional<Severity> severity = severityAbove(height, limits)) {
                found.push_back({.check = context.name(),
                                 .severity = *severity,
                                 .file = args.filePos,
                                 .at = placed.at(),
                                 .measure = "height",
                                 .measured = height,
                                 .required = brokenLimit(*severity, limits),
                                 .items = {placed.item()}});
            }
        });
}

} // namespace lumora::engine
