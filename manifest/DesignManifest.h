#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::manifest {

// One design of a manifest: the file KORVEN opens, the scripts run on it (none: the command
// line's), and the folder of its results below the output folder.
struct ManifestEntry {
    std::filesystem::path design;
    std::vector<std::filesystem::path> scripts;
    std::string folder;
};

// A manifest that cannot be read; the message names the file and where in it.
class ManifestError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads a manifest (docs/scale-out.md): JSON when its name ends in .json, else text, one design a
// line. Relative paths are taken from the manifest's folder, so a manifest on a shared folder
// reads the same on every node. Every entry gets its folder name (DesignFolders.h).
std::vector<ManifestEntry> readManifest(const std::filesystem::path& file);

// The two formats from memory; `base` is the folder relative paths start from. Throw
// ManifestError with the line or the JSON pointer, without the file's name.
std::vector<ManifestEntry> parseTextManifest(std::string_view text, const std::filesystem::path& base);
std::vector<ManifestEntry> parseJsonManifest(std::string_view text, const std::filesystem::path& base);

} // namespace lumora::manifest
