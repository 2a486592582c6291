#pragma once

#include "engine/model/Design.h"

namespace lumora::engine {

// Command 601. Every pin of a component geometry gets "PIN_PITCH": the distance from its insertion
// point to the nearest other pin with copper on a common outer side, in page units. Every component
// insert gets the smallest pitch of its pins, times its scale. Pins and components without a
// neighbour lose the attribute.
void generatePinPitch(Design& design);

// Command 33201. Pins whose padstack has no drill hole get the flag "SMD"; so do component inserts
// all of whose pins are surface-mount. Everything else loses it.
void generateSmdData(Design& design);

} // namespace lumora::engine
