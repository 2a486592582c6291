#pragma once

#include <string_view>

namespace lumora::engine::format {

inline constexpr std::string_view kName = "korven-design";
inline constexpr int kVersion = 1;

} // namespace lumora::engine::format
