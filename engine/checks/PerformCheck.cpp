#include "engine/checks/PerformCheck.h"

namespace lumora::engine {

std::vector<Finding> performCheck(CheckContext& context, const DfmCheckCall& call) {
    return std::visit([&](const auto& args) { return check(context, args); }, call);
}

} // namespace lumora::engine
