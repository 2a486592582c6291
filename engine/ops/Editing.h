#pragma once

#include "engine/model/Design.h"

namespace lumora::engine {

// Removes every item on the layer from every geometry; removeLayerFromList also turns the layer
// into a hole (trailing holes are dropped, so the next new layer takes the number again).
void deleteByLayer(Design& design, int16_t layer, bool removeLayerFromList);

// Removes a geometry that no insert places and no file owns (-12 otherwise). Files showing it show
// their own block again.
void deleteGeometry(Design& design, int16_t geomNum);

// Shows geomNum in place of the file's own block; -1 (or the file's own block) shows that again.
void setFileGeometry(Design& design, int32_t filePos, int16_t geomNum);

} // namespace lumora::engine
