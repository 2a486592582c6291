#pragma once

#include "engine/model/Design.h"

#include <ostream>

namespace lumora::engine {

// Writes the document's DRC markers as a JSON list for a user, in the order they were placed:
// {"file": n, "fileName": ..., "at": [x, y], "severity": ..., "check": ..., "text": ...} each,
// lengths in page units, numbers with "." whatever the locale.
void writeMarkersJson(const Design& design, std::ostream& out);

} // namespace lumora::engine
