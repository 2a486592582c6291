#pragma once

#include "engine/model/Attributes.h"
#include "engine/model/CodeNames.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumora::engine {

// How footprints that play a role are recognised by name: patterns with "*" and "?", compared
// without regard to case.
struct RolePatterns {
    std::string role; // "fiducial", "testpoint", "tooling-hole"
    int16_t insertType = insert_type::Component;
    std::vector<std::string> footprints{}; // library names, whole ("Lib:Name") or the name alone
    std::vector<std::string> references{};
    std::vector<std::pair<std::string, std::string>> properties{}; // property name, value pattern
};

// In order of precedence: a footprint takes the first role it matches.
using RoleRules = std::vector<RolePatterns>;

RoleRules defaultRoleRules();

// The defaults with the roles that the mapping file names replaced by its patterns
// (docs/kicad-import.md); throws DesignFormatError naming the file for a malformed one.
RoleRules readRoleRules(std::string_view json, const std::string& fileName);
// The mapping file beside a board: "<board name>.roles.json".
std::filesystem::path rolesFileBeside(const std::filesystem::path& board);
// The rules of the mapping file beside a board; the defaults when there is none.
RoleRules roleRulesBeside(const std::filesystem::path& board);

// What a footprint (a KiCad footprint, an IPC-2581 component with its package) shows of itself.
struct FootprintFacts {
    std::string_view libraryName;
    std::string_view reference;
    const AttributeList& properties;
    bool fiducialPad = false;  // its pads say it is a fiducial (KiCad's pad property, IPC-2581's padUsage)
    bool testpointPad = false; // its pads say it is a testpoint
};

// The insert type of a footprint: what its pads say first, then the rules; else a component.
int16_t roleOf(const FootprintFacts& footprint, const RoleRules& rules);

bool matchesPattern(std::string_view pattern, std::string_view text);

} // namespace lumora::engine
