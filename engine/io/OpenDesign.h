#pragma once

#include "engine/io/DesignFormats.h"

#include <filesystem>

namespace lumora::engine {

// Loads a design from any file KORVEN reads (engine/io/DesignFormats.h picks the reader by the
// file's start, else by its name), with the notes of what the file lacked; throws
// DesignFormatError.
OpenedDesign openDesignWithNotes(const std::filesystem::path& path);
// The same without the notes.
Design openDesign(const std::filesystem::path& path);

} // namespace lumora::engine
