// ViaHoleSize: the drill diameter of every via of a board (or of the boards of a panel), vias
// drilled smaller than ignoreHoleSize left out. A drill below minSize or above maxSize (0 sets no
// maximum) is one Critical finding at the via.

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/MeasuredVias.h"
#include "engine/measure/SizeRange.h"

namespace lumora::engine {

std::vector<Finding> check(CheckContext& context, const ViaHoleSizeArgs& args) {
    const SizeRange range{args.minSize, args.maxSize};
    return findingsPerMeasuredVia(context.design(), args.filePos, args.ignoreHoleSize,
                                  [&](std::vector<Finding>& found, const MeasuredVia& via) {
                                      if (const std::optional<Breach> breach = range.breach(via.hole)) {
                                          found.push_back({.check = context.name(),
                                                           .severity = Severity::Critical,
                                                           .file = args.filePos,
                                                           .at = via.placed.at(),
                                                           .measure = "hole size",
                                                           .measured = breach->measured,
                                                           .required = breach->limit,
                                                           .items = {via.placed.item()}});
                                      }
                                  });
}

} // namespace lumora::engine
