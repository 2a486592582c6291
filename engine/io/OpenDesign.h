#pragma once

#include "engine/io/DesignFormats.h"

#include <filesystem>
#include <vector>

namespace lumora::engine {

// Loads a design from any file KORVEN reads (engine/io/DesignFormats.h picks the reader by the
// file's start, else by its name), with the notes of what the file lacked; throws
// DesignFormatError.
OpenedDesign openDesignWithNotes(const std::filesystem::path& path);
// The same without the notes.
Design openDesign(const std::filesystem::path& path);
// The files beside path that opening it reads when they are there: the roles file beside a KiCad
// board or an IPC-2581 file.
std::vector<std::filesystem::path> companionFiles(const std::filesystem::path& path);

} // namespace lumora::engine
