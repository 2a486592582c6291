#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace lumora::files {

// Writes text to a temporary file beside path and renames it onto path, so that an earlier file
// of that name stays whole until the new one is complete (a full disk cannot destroy it). A new
// file gets the mode of the file it replaces, or 0644. Throws std::runtime_error naming the path
// and the system's reason.
void replaceFile(const std::filesystem::path& path, std::string_view text);

} // namespace lumora::files
