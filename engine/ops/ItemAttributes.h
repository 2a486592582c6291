#pragma once

#include "engine/model/Items.h"

#include <optional>
#include <string_view>

namespace lumora::engine {

// The value of keyword for a flattened item; "NETNAME" reads the item's net. None when absent.
std::optional<std::string_view> attributeOf(const Graphic& item, std::string_view keyword);

} // namespace lumora::engine
