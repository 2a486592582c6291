#pragma once

#include "desktop/MarkerTable.h"

#include <string>

namespace lumora::desktop {

// The marker list as the user narrowed and sorted it, as CSV (RFC 4180, CR LF): the list's
// columns as shown, then where each marker is (X and Y in the design's units) and its waiver key.
std::string markerListCsv(const MarkerFilter& list);

} // namespace lumora::desktop
