#pragma once

#include "engine/model/Items.h"

#include <string>
#include <string_view>

namespace lumora::engine {

// The value of keyword for a flattened item; "NETNAME" reads the item's net. nullptr when absent.
const std::string* attributeOf(const Graphic& item, std::string_view keyword);

} // namespace lumora::engine
