#pragma once

#include <span>
#include <string_view>

namespace lumora {

struct DefaultParameter {
    std::string_view name;
    std::string_view value; // in "." notation when isNumber
    bool isNumber;          // stored as its regional text
};

// The default parameters of a test, in the order in which they are stored; empty for a name
// without defaults.
std::span<const DefaultParameter> defaultParametersFor(std::string_view testName);

} // namespace lumora
