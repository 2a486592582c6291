#pragma once

#include "files/InputFile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lumora::engine {

// The offset of the first bracket of JSON text that opens a container nested deeper than
// maxNesting, or none. Text inside strings does not count. Every JSON reader asks before it
// parses: nlohmann's values copy and free their members recursively, so 100,000 levels overflow
// the stack.
std::optional<std::size_t> firstTooDeep(std::string_view text, int maxNesting = files::kMaxNesting);

// "byte 12 (line 2, column 3)": where an offset of text lies, each counted from 1.
std::string textPosition(std::string_view text, std::size_t offset);

// The message of text refused for its depth at offset: "nested deeper than 256 levels at byte ...".
std::string tooDeepMessage(std::string_view text, std::size_t offset);

} // namespace lumora::engine
