#pragma once

#include "engine/model/Design.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine {

// A design as a reader took it from a file, and what the file lacked that a check would need (a
// board without copper, say): such a file is loaded all the same, and these notes say so.
struct OpenedDesign {
    Design design;
    std::vector<std::string> notes{};
};

// One kind of file KORVEN opens designs from: the one table behind the open-design entry, the
// command line's help and the desktop's design dialog.
struct DesignFormat {
    std::string_view name;                        // as the help names it: "KiCad board"
    std::string_view dialogName;                  // a file dialog's filter: "KiCad boards"
    std::span<const std::string_view> extensions; // ".kicad_pcb"
    // Whether a file's first bytes (up to kStartLength) are of this format.
    bool (*recognises)(std::string_view start);
    // Reads the file; throws DesignFormatError.
    OpenedDesign (*read)(const std::filesystem::path& path);
    // Whether the reader reads the roles file beside the design (engine/io/Roles.h).
    bool readsRolesFile = false;
};

inline constexpr std::size_t kStartLength = 1024;

std::span<const DesignFormat> designFormats();

// The format a file is read as: the first whose start the file has, else the first whose
// extension its name has, else the native one.
const DesignFormat& formatOf(const std::filesystem::path& path, std::string_view start);

// "KORVEN design (*.json), KiCad board (*.kicad_pcb), ...".
std::string designFormatList();
// A file dialog's filters: every design first, then each format on its own.
std::string designDialogFilter();

} // namespace lumora::engine
