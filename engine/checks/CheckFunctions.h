#pragma once

// The function that performs each check of KORVEN.DFM, one per row of LUMORA_DFM_CHECKS
// (korvenapi/DfmChecks.h), overloaded on the check's arguments; each lives in
// engine/checks/<CheckName>.cpp.

#include "engine/findings/CheckContext.h"
#include "engine/findings/Finding.h"
#include "engine/findings/Severity.h"
#include "korvenapi/DfmChecks.h"

#include <vector>

namespace lumora::engine {

#define LUMORA_DECLARE_CHECK(Name) std::vector<Finding> check(CheckContext& context, const Name##Args& args);
LUMORA_DFM_CHECKS(LUMORA_DECLARE_CHECK)
#undef LUMORA_DECLARE_CHECK

} // namespace lumora::engine
