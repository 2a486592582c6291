// BoardThicknessToDrillDiameter: for every plated hole of a board (or of the boards of a panel), the
// depth it is drilled through divided by its drill diameter: the board's thickness, or for a blind,
// buried or micro via the share of it between the copper layers it connects. A ratio above maxRatio (0 sets
// none) is one Critical finding at the hole. A board without a thickness cannot be measured: the check fails.

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/PlacedInserts.h"
#include "engine/model/Refusal.h"

#include <algorithm>

namespace lumora::engine {

namespace {

double thicknessOf(const Geometry& board) {
    if (board.thickness <= 0) {
        throw Refusal(rc::DfmTestFailed, "board " + board.name + " has no thickness");
    }
    return board.thickness;
}

// Without a stack-up of its own, the board's copper layers are taken as evenly spaced: a hole
// between electrical layers 1 and 2 of 4 runs through a third of the board. A padstack with copper
// on fewer than two electrical layers (pads on the pad layers) runs through the whole board.
double drilledDepth(const Design& design, const Geometry& padstack, double thickness) {
    int16_t first = 0;
    int16_t last = 0;
    for (const DataItem& item : padstack.data) {
        const auto* graphic = std::get_if<Graphic>(&item);
        const int16_t electrical = graphic ? design.layer(graphic->layer).electrical : int16_t{0};
        if (electrical > 0) {
            first = first == 0 ? electrical : std::min(first, electrical);
            last = std::max(last, electrical);
        }
    }
    const int16_t layers = design.maxElectrical();
    if (first == last || layers < 2) {
        return thickness;
    }
    return thickness * (last - first) / (layers - 1);
}

} // namespace

std::vector<Finding> check(CheckContext& context, const BoardThicknessToDrillDiameterArgs& args) {
    const Design& design = context.design();
    return findingsPerPlacedInsert(
        design, args.filePos, [&](std::vector<Finding>& found, const PlacedInsert& placed) {
            const Hole& hole = design.geometry(placed.insert.geometry).hole;
            if (hole.size <= 0 || !hole.plated) {
                return;
            }
            const double depth =
                drilledDepth(design, design.geometry(placed.insert.geometry), thicknessOf(placed.board));
            const double ratio = depth / (hole.size * placed.scale());
            if (args.maxRatio <= 0 || !isAbove(ratio, args.maxRatio)) {
                return;
            }
            found.push_back({.check = context.name(),
                             .severity = Severity::Critical,
                             .file = args.filePos,
                             .at = placed.at(),
                             .measure = "thickness to drill ratio",
                             .measured = ratio,
                             .required = args.maxRatio,
                             .items = {placed.item()}});
        });
}

} // namespace lumora::engine
