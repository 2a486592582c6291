#pragma once

#include <string>
#include <string_view>

namespace lumora::report {

// A JSON text made safe inside <script type="application/json">: no "<" is left, so that no text
// in it can close the element or open a comment.
std::string scriptSafeJson(std::string_view json);

} // namespace lumora::report
