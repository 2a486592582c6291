// ThruHolePadShapes: the shape of the first pad of every drilled component pin on the board's top
// and on its bottom. Pin "1" must have the shapes topOne and bottomOne, every other pin topAll and
// bottomAll (pad shape codes; 0 accepts any shape). Each side with another shape, or with no pad,
// is one Critical finding at the pin, measured and required as shape codes.

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/PadstackSides.h"
#include "engine/measure/PlacedInserts.h"
#include "engine/model/Refusal.h"

#include <array>

namespace lumora::engine {

namespace {

struct SideRule {
    std::string_view measure;
    SideCopper PadstackSides::*side;
    int16_t pinOneShape;
    int16_t otherShape;
};

void refuseUnknownShape(int16_t code) {
    if (code < 0 || code > pad_shape::Blank) {
        throw Refusal(rc::ValueOutOfRange, "unknown pad shape " + std::to_string(code));
    }
}

bool isComponentPin(const PlacedInsert& placed) {
    return placed.insert.insertType == insert_type::Pin && placed.parent &&
           placed.parent->insert.insertType == insert_type::Component;
}

} // namespace

std::vector<Finding> check(CheckContext& context, const ThruHolePadShapesArgs& args) {
    for (int16_t code : {args.topAll, args.bottomAll, args.topOne, args.bottomOne}) {
        refuseUnknownShape(code);
    }
    const std::array rules{
        SideRule{"top pad shape", &PadstackSides::top, args.topOne, args.topAll},
        SideRule{"bottom pad shape", &PadstackSides::bottom, args.bottomOne, args.bottomAll},
    };
    const Design& design = context.design();
    PadstackSidesMemo padstacks(design);
    return findingsPerPlacedInsert(
        design, args.filePos, [&](std::vector<Finding>& found, const PlacedInsert& pin) {
            const Geometry& padstack = design.geometry(pin.insert.geometry);
            if (!isComponentPin(pin) || padstack.hole.size <= 0) {
                return;
            }
            const PadstackSides& sides = padstacks.of(pin.insert.geometry, pin.placed.mirrored());
            for (const SideRule& rule : rules) {
                const int16_t required = pin.insert.refName == kPinOne ? rule.pinOneShape : rule.otherShape;
                const int16_t shape = (sides.*rule.side).shape;
                if (required == 0 || shape == required) {
                    continue;
                }
                found.push_back({.check = context.name(),
                                 .severity = Severity::Critical,
                                 .file = args.filePos,
                                 .at = pin.at(),
                                 .measure = std::string(rule.measure),
                                 .measured = static_cast<double>(shape),
                                 .required = static_cast<double>(required),
                                 .items = {pin.item()}});
            }
        });
}

} // namespace lumora::engine
