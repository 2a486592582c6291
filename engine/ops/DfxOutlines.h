#pragma once

#include "engine/model/Design.h"

namespace lumora::engine {

// GenerateDFxOutlines: every kind of outline for every geometry that a component insert places.
// Outlines already in a geometry stay, so hand-drawn ones win.
void generateDfxOutlines(Design& design);

// dfmCreateDFxOutline: the outlines of one kind (algorithm 1 to 4, 0 for all) of one component
// geometry; overWrite replaces outlines already there, else they stay.
void createDfxOutline(Design& design, int16_t geomNum, int16_t algorithm, bool overWrite);

} // namespace lumora::engine
