#pragma once

#include "engine/io/JsonNode.h"

#include <cstdint>
#include <span>

namespace lumora::engine {

// Decodes one value that Json::to_msgpack wrote, to the same tree Json::from_msgpack builds (whole
// numbers of 0 and more unsigned, others signed), several times faster: containers are sized
// from their headers, object members appended without a search (the text they came from had no
// name twice), and nesting is walked without recursion. Throws DesignFormatError on bytes it did
// not write.
Json unpackMessagePack(std::span<const std::uint8_t> bytes);

} // namespace lumora::engine
