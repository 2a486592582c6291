#pragma once

#include <string>
#include <string_view>

namespace lumora::files {

// Text as XML 1.0 (and HTML) can hold it, for element content and attribute values alike: bytes
// that are not UTF-8, control characters other than tab, line feed and carriage return, and U+FFFE
// and U+FFFF become U+FFFD (names come from file names and designs, which may hold any of them,
// and one of them makes a whole XML file unreadable); the markup characters are escaped, and tab,
// line feed and carriage return written as references, which an attribute value would otherwise
// turn into spaces.
std::string markupText(std::string_view text);

} // namespace lumora::files
