#pragma once

#include "engine/io/PlacementBudget.h"
#include "engine/model/Design.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lumora::engine {

// A design file that cannot be read: the message names the position of the fault, a JSON pointer
// ("/geometries/2/data/5/layer") or, for a syntax error, the byte offset, line and column.
class DesignFormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads the native design format (docs/design-format.md); throws DesignFormatError, also for a
// design beyond the limits (engine/io/PlacementBudget.h).
Design parseDesign(std::string_view text, const PlacementLimits& limits = {});
Design loadDesign(const std::filesystem::path& path);

// Writes the native design format; independent of the process's locale.
std::string serializeDesign(const Design& design);
// Throws DesignFormatError when the file cannot be written.
void saveDesign(const Design& design, const std::filesystem::path& path);

} // namespace lumora::engine
