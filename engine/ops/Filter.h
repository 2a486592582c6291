#pragma once

#include "engine/model/Design.h"
#include "engine/ops/AttributeCondition.h"

namespace lumora::engine {

// Removes from flatten geometry geomNum every item that meets the condition; an empty keyword is
// refused with -13.
void filterGeometry(Design& design, int16_t geomNum, const AttributeCondition& condition);

} // namespace lumora::engine
