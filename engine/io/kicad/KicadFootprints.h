#pragma once

#include "engine/io/Roles.h"
#include "engine/io/kicad/KicadPads.h"
#include "engine/io/kicad/KicadPadstacks.h"

#include <map>
#include <set>

namespace lumora::engine::kicad {

// The geometry names given so far, and for each name the " #N" its next repeat tries first, so
// that thousands of footprints of one name take linear time, not quadratic.
struct GeometryNames {
    std::set<std::string> used;
    std::map<std::string, int> nextRepeat;
};

// What footprints are read against, and what reading them adds to.
struct FootprintContext {
    Design& design;
    const LayerMap& layers;
    const NetNames& nets;
    PadstackLibrary& padstacks;
    const RoleRules& roles;
    RoleTally roleTally;
    PadMargins margins{};
    GeometryNames geometryNames{};
};

// A footprint as the design holds it: its insert (of a component geometry made for it), and its
// board edge drawings, which belong to the board's outline.
struct PlacedFootprint {
    Insert insert;
    std::vector<Graphic> edges{};
    int pads = 0;
};

// Reads a (footprint ...) or KiCad 5 (module ...); adds its geometry and padstacks to the design.
PlacedFootprint readFootprint(const sexpr::Expr& footprint, FootprintContext& context);

} // namespace lumora::engine::kicad
