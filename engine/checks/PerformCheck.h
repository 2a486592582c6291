#pragma once

#include "engine/checks/CheckFunctions.h"

#include <vector>

namespace lumora::engine {

// The findings of one check on the context's design, by the overload of `check` its arguments pick.
std::vector<Finding> performCheck(CheckContext& context, const DfmCheckCall& call);

} // namespace lumora::engine
