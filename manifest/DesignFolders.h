#pragma once

#include "manifest/DesignManifest.h"

#include <string_view>
#include <vector>

namespace lumora::manifest {

// Whether a name can be a design's folder below the output folder: ASCII letters, digits and
// . _ - + only, not starting with a dot (so never "." or ".."), at most 100 bytes, and none of the
// output folder's own files.
bool isSafeFolderName(std::string_view name);

// Gives every entry without a folder one of its own from its design's file name ("boards/ecc83.json"
// becomes "ecc83", characters outside the safe ones "_"); a name taken already, also in another
// case (a shared folder may ignore case), gets "-2", "-3"... in manifest order. Folders given in the
// manifest keep their names and must be unique (ManifestError).
void nameFolders(std::vector<ManifestEntry>& entries);

} // namespace lumora::manifest
