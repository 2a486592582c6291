#pragma once

#include "engine/io/JsonNode.h"

namespace lumora::engine {

// Numbers as design files write them, "." whatever the locale.
Json jsonNumber(double value);
Json jsonPoint(Point p);

} // namespace lumora::engine
