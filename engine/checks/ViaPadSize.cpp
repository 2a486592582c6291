// ViaPadSize: the copper pad of every via on the board's top and on its bottom, vias drilled
// smaller than ignoreHoleSize left out. A pad is measured across its own axes: its narrower side
// below the side's minimum, or else its wider side above the side's maximum (0 sets none), is one
// Critical finding at the via. A side without copper has no pad to measure.

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/MeasuredVias.h"
#include "engine/measure/PadstackSides.h"
#include "engine/measure/SizeRange.h"

#include <algorithm>
#include <array>

namespace lumora::engine {

namespace {

struct SideRule {
    std::string_view measure;
    SideCopper PadstackSides::*side;
    SizeRange range;
};

} // namespace

std::vector<Finding> check(CheckContext& context, const ViaPadSizeArgs& args) {
    const std::array rules{
        SideRule{"top pad size", &PadstackSides::top, {args.topMinSize, args.topMaxSize}},
        SideRule{"bottom pad size", &PadstackSides::bottom, {args.bottomMinSize, args.bottomMaxSize}},
    };
    PadstackSidesMemo padstacks(context.design());
    return findingsPerMeasuredVia(
        context.design(), args.filePos, args.ignoreHoleSize,
        [&](std::vector<Finding>& found, const MeasuredVia& via) {
            const PadstackSides& sides =
                padstacks.of(via.placed.insert.geometry, via.placed.placed.mirrored());
            for (const SideRule& rule : rules) {
                const std::optional<Box>& extent = (sides.*rule.side).extent;
                if (!extent) {
                    continue;
                }
                const double width =
                    (extent->max_corner().x() - extent->min_corner().x()) * via.placed.scale();
                const double height =
                    (extent->max_corner().y() - extent->min_corner().y()) * via.placed.scale();
                if (const std::optional<Breach> breach =
                        rule.range.breach(std::min(width, height), std::max(width, height))) {
                    found.push_back({.check = context.name(),
                                     .severity = Severity::Critical,
                                     .file = args.filePos,
                                     .at = via.placed.at(),
                                     .measure = std::string(rule.measure),
                                     .measured = breach->measured,
                                     .required = breach->limit,
                                     .items = {via.placed.item()}});
                }
            }
        });
}

} // namespace lumora::engine
