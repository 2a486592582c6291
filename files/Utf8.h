#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumora::files {

// The offset of the first byte of text that is not part of a well-formed UTF-8 sequence (overlong
// forms, surrogates and code points above U+10FFFF included), or npos when there is none. The
// native design format is JSON, which holds UTF-8 only: text that is not would change when saved.
std::size_t firstInvalidUtf8(std::string_view text);

// The text with each byte that is not part of a well-formed sequence replaced by U+FFFD, as the
// JSON writers replace it: a file name is bytes, and what holds it must be text.
std::string validUtf8(std::string_view text);

inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD"; // U+FFFD

} // namespace lumora::files
