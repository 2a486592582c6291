// BoardThicknessToDrillDiameter: for every plated hole of a board (or of the boards of a panel), the
// thickness of its board divided by its drill diameter. A ratio above maxRatio (0 sets none) is one
// Critical finding at the hole. A board without a thickness cannot be measured: the check fails.

#include "engine/checks/CheckArguments.h"
#include "engine/checks/PlacedInserts.h"
#include "engine/model/KorvenFailure.h"

namespace lumora::engine {

namespace {

double thicknessOf(const Geometry& board) {
    if (board.thickness <= 0) {
        throw KorvenFailure(rc::DfmTestFailed, "board " + board.name + " has no thickness");
    }
    return board.thickness;
}

} // namespace

std::vector<Finding> boardThicknessToDrillDiameter(CheckContext& context,
                                                   const BoardThicknessToDrillDiameterArgs& args) {
    const Design& design = context.design();
    std::vector<Finding> findings;
    forEachPlacedInsert(design, args.filePos, [&](const PlacedInsert& placed) {
        const Hole& hole = design.geometry(placed.insert.geometry).hole;
        if (hole.size <= 0 || !hole.plated) {
            return;
        }
        const double ratio = thicknessOf(placed.board) / (hole.size * placed.scale());
        if (args.maxRatio <= 0 || !isAbove(ratio, args.maxRatio)) {
            return;
        }
        findings.push_back({.check = context.name(),
                            .severity = Severity::Critical,
                            .file = args.filePos,
                            .at = placed.at(),
                            .measure = "thickness to drill ratio",
                            .measured = ratio,
                            .required = args.maxRatio,
                            .items = {placed.item()}});
    });
    return findings;
}

} // namespace lumora::engine
