#pragma once

#include "engine/model/Design.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace lumora::cli {

// --picture: a PNG and an SVG of every board and panel with its markers; says why on err and
// returns false when a picture cannot be written. Built only with Qt (LUMORA_PICTURES).
bool writePictures(const std::string& folder, const engine::Design& design, std::ostream& err);
// The files writePictures writes, for the checks before the run.
std::vector<std::filesystem::path> picturePaths(const std::string& folder, const engine::Design& design);

} // namespace lumora::cli
