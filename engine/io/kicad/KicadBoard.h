#pragma once

#include "engine/io/Roles.h"
#include "engine/model/Design.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine::kicad {

// What a board file held, counted as KiCad counts it.
struct BoardCounts {
    int copperLayers = 0;
    int footprints = 0;
    int pads = 0;
    int vias = 0;
    int segments = 0;
    int arcs = 0;
    int zones = 0;
    int nets = 0;
    bool operator==(const BoardCounts&) const = default;
};

struct BoardImport {
    Design design;
    BoardCounts counts;
    std::vector<std::string> notes; // what the file lacked that checks would need: unfilled zones
};

// Reads a KiCad board file (KiCad 5 to 8) into a design as docs/kicad-import.md describes; throws
// DesignFormatError ("file:line:column: ...") and loads nothing when the file is malformed.
BoardImport readKicadBoard(std::string text, const std::string& fileName,
                           const RoleRules& roles = defaultRoleRules());
// The same for a file on disk, with the role mapping file beside it.
BoardImport loadKicadBoard(const std::filesystem::path& path);

// Whether text is the start of a KiCad board file.
bool isKicadBoard(std::string_view text);

} // namespace lumora::engine::kicad
