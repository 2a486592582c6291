#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace lumora::engine {

// The whole content of a file, byte for byte; none when it cannot be opened.
std::optional<std::string> readFileText(const std::filesystem::path& path);

} // namespace lumora::engine
