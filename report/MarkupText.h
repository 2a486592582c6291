#pragma once

#include <string>
#include <string_view>

namespace lumora::report {

// Text from a design or a script made safe as HTML or XML text or an attribute's value: a component named
// "<script>" is shown, never run.
std::string markupEscaped(std::string_view text);

// A JSON text made safe inside <script type="application/json">: no "<" is left, so that no text
// in it can close the element or open a comment.
std::string scriptSafeJson(std::string_view json);

} // namespace lumora::report
