#pragma once

#include "engine/model/Design.h"

namespace lumora::engine {

struct BlockerLayers {
    int16_t top = 0;
    int16_t bottom = 0;
};

// Adds a top and a bottom etch-blocker layer and fills them with one rectangle across the gap
// between each pair of neighbouring surface-mount pads of a component whose pitch is at most
// maxPinPitch (page units), in the component's own geometry: the blockers are part of the
// component. Neighbours share an outer side and lie at the pin's nearest distance. A footprint is
// blocked once, at the scale of its first placement on a board.
BlockerLayers generateEtchBlockers(Design& design, double maxPinPitch);

} // namespace lumora::engine
