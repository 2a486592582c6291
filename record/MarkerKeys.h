#pragma once

#include "record/RunRecord.h"

#include <string>
#include <vector>

namespace lumora {

// The stable key of every marker of the test, in the order of its markers: the test, the board or
// panel, the check, what it measured ("distance", "top pad shape") and the sorted names of its items,
// never a coordinate, so that editing the board elsewhere keeps it. An item without a name of its own
// is named by the identity its source gives it as well ("GND {uuid}"); only a key still met again
// within the test (items of a source without identities) gets " #2", " #3" and so on, in the order
// KORVEN placed them. Made when a report or the waivers ask, not kept: a key takes about a hundred
// characters, and a large board's run places half a million markers.
std::vector<std::string> markerKeys(const TestRecord& record);

// Each marker's former key, without the measure and the identities, where it is unique in the test,
// else "": what waivers written before still name. Made only when a waiver names no current key.
std::vector<std::string> formerKeys(const TestRecord& record);

} // namespace lumora
