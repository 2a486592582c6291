#pragma once

#include "engine/io/JsonNode.h"

#include <string_view>

namespace lumora::engine {

// Parses a design file's text into a tree that keeps the members of each object in file order.
// Unlike Json::parse it costs one hash per member (ordered_json's own insertion scans the members
// already read, quadratic in the size of an object) and refuses a member name used twice in one
// object with a DesignFormatError at that object's JSON pointer. Syntax errors are thrown as
// Json::parse throws them.
Json parseJsonTree(std::string_view text);

} // namespace lumora::engine
