#pragma once

#include "engine/model/Design.h"

#include <ostream>
#include <string>

namespace lumora::cli {

// --picture: a PNG and an SVG of every board and panel with its markers; says why on err and
// returns false when a picture cannot be written. Built only with Qt (LUMORA_PICTURES).
bool writePictures(const std::string& folder, const engine::Design& design, std::ostream& err);

} // namespace lumora::cli
