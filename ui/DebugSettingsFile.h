#pragma once

#include <cstdint>
#include <istream>
#include <optional>

namespace lumora {

// What the debug settings file rdbset.dat sets; a key it does not name keeps its default.
struct DebugSettings {
    bool debugMenus = false;
    bool expandedRep = false;
    bool saveOnFail = false;
    std::optional<int16_t> drcLimit;
};

// Reads "KEY VALUE" lines: keys start with "." and ignore case, later lines win, anything else
// (comments, blank lines, a third word, a limit that is not a count from 0 to 32767 in plain
// digits) is ignored.
DebugSettings readDebugSettings(std::istream& in);

} // namespace lumora
