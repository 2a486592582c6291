#pragma once

#include "engine/model/Design.h"

#include <optional>
#include <string>

namespace lumora::engine {

// The first value of a design that the design format would refuse on reading it back: a number
// that is not finite, a negative size, a scale not above 0, a ring too short to enclose an area.
// The native reader refuses these as it reads; readers of other formats end with this check, so
// that whatever they accept can be saved and opened again. The text names the geometry and item.
std::optional<std::string> findValueProblem(const Design& design);

} // namespace lumora::engine
