#pragma once

#include "engine/checks/CheckFunctions.h"
#include "engine/session/Session.h"

namespace lumora::engine {

// The findings of one check on the context's design, by the overload of `check` its arguments pick.
std::vector<Finding> performCheck(CheckContext& context, const DfmCheckCall& call);

// Performs the check on the session's document and reports its findings (DrcReport.h), named by the
// call's algName, else by the check's name. Returns 0, 1 at the DRC limit, or the negative code of
// a failure, which places no marker.
int16_t runCheck(Session& session, const DfmCheckCall& call);

} // namespace lumora::engine
