#pragma once

#include "engine/model/Design.h"

namespace lumora::engine {

// Joins the items of flatten geometry geomNum whose areas overlap or touch into one polygon per
// joined area; it keeps the layer, net, attributes and origin of the first item of each group.
// Items that touch nothing stay as they are.
void combinePolies(Design& design, int16_t geomNum);

// Keeps in flatten geometry copperGeomNum what the items of flatten geometry soldermaskGeomNum
// leave open: items wholly inside an opening stay as they are, partly covered ones are cut to the
// open part, covered ones are removed. Insertion points stay when they lie in an opening.
void processSolderMask(Design& design, int16_t soldermaskGeomNum, int16_t copperGeomNum);

} // namespace lumora::engine
