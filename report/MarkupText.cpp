#include "report/MarkupText.h"

namespace lumora::report {

// "<" occurs in JSON only inside strings, where \u003c reads back as the same character.
std::string scriptSafeJson(std::string_view json) {
    std::string safe;
    safe.reserve(json.size());
    for (char c : json) {
        if (c == '<') {
            safe += "\\u003c";
        } else {
            safe += c;
        }
    }
    return safe;
}

} // namespace lumora::report
