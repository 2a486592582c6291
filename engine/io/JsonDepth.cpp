#include "engine/io/JsonDepth.h"

#include <algorithm>

namespace lumora::engine {

std::optional<std::size_t> firstTooDeep(std::string_view text, int maxNesting) {
    int depth = 0;
    bool inString = false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (inString) {
            if (c == '\\') {
                ++at; // the escaped character cannot end the string
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > maxNesting) {
                return at;
            }
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return std::nullopt;
}

std::string textPosition(std::string_view text, std::size_t offset) {
    const std::string_view before = text.substr(0, std::min(offset, text.size()));
    const auto line = 1 + std::ranges::count(before, '\n');
    const std::size_t lineStart = before.rfind('\n');
    const std::size_t column = before.size() - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;
    return "byte " + std::to_string(offset + 1) + " (line " + std::to_string(line) + ", column " +
           std::to_string(column) + ")";
}

std::string tooDeepMessage(std::string_view text, std::size_t offset) {
    return "nested deeper than " + std::to_string(files::kMaxNesting) + " levels at " +
           textPosition(text, offset);
}

} // namespace lumora::engine
