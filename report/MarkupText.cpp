#include "report/MarkupText.h"

namespace lumora::report {

std::string markupEscaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

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
