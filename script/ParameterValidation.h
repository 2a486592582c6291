#pragma once

#include <span>
#include <string>
#include <string_view>

namespace lumora {

enum class ParameterKind { Number, Integer, Switch };

struct ParameterCheck {
    std::string_view name;
    ParameterKind kind;
};

// The parameters a test's routines convert, in the order in which they are checked; empty for a
// test without checks and for names the runner does not know.
std::span<const ParameterCheck> parameterChecksFor(std::string_view testName);

// Whether the text converts to the kind with the user's locale rules.
bool convertsTo(const std::string& text, ParameterKind kind);

} // namespace lumora
