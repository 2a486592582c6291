#pragma once

#include "engine/model/Design.h"

#include <filesystem>

namespace lumora::engine {

// Loads a design from any file KORVEN reads: a KiCad board (by its ".kicad_pcb" name or its
// content) or the native JSON format; throws DesignFormatError.
Design openDesign(const std::filesystem::path& path);

} // namespace lumora::engine
