#pragma once

#include "engine/findings/Finding.h"
#include "engine/session/Session.h"

#include <vector>

namespace lumora::engine {

// The one place findings become DRC markers. Sorts them (reportedBefore), places and announces them
// one by one on the caller's thread, and stops once the session's DRC limit (maxErrorsPerTest, 0 or
// less for none) is reached. Returns 1 when the limit stopped it, else 0. A marker's text holds
// what its fields cannot: "distance 10, required 15: R1-1 VCC, R2-2 GND".
int16_t reportFindings(Session& session, std::vector<Finding> findings);

} // namespace lumora::engine
