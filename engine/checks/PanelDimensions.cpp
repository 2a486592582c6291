// PanelDimensions: the length (along the rails, the travel direction) and the width (across them) of
// a panel's outline box, each against its minimum and maximum (a maximum of 0 sets none; the
// "height" arguments are the length's). Every dimension out of range is one Critical finding, at the
// middle of an edge of that length.

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/EdgeFrame.h"
#include "engine/measure/SizeRange.h"

#include <array>

namespace lumora::engine {

namespace {

struct Dimension {
    std::string_view measure;
    double value;
    SizeRange range;
    Point at;
};

} // namespace

std::vector<Finding> check(CheckContext& context, const PanelDimensionsArgs& args) {
    const EdgeFrame frame = edgeFrameOf(context.design(), args.filePos);
    const std::array dimensions{
        Dimension{"width",
                  frame.breadth(),
                  {args.minWidth, args.maxWidth},
                  frame.edgeMiddle(frame.leadingTrailingEdges()[0], 0)},
        Dimension{"length",
                  frame.length(),
                  {args.minHeight, args.maxHeight},
                  frame.edgeMiddle(frame.railEdges()[0], 0)},
    };
    std::vector<Finding> findings;
    for (const Dimension& dimension : dimensions) {
        if (const std::optional<Breach> breach = dimension.range.breach(dimension.value)) {
            findings.push_back({.check = context.name(),
                                .severity = Severity::Critical,
                                .file = args.filePos,
                                .at = dimension.at,
                                .measure = std::string(dimension.measure),
                                .measured = breach->measured,
                                .required = breach->limit});
        }
    }
    return findings;
}

} // namespace lumora::engine
