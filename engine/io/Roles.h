#pragma once

#include "engine/io/NamePattern.h"
#include "engine/model/Attributes.h"
#include "engine/model/CodeNames.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumora::engine {

// How footprints that play a role are recognised by name (engine/io/NamePattern.h).
struct RolePatterns {
    std::string role;   // "fiducial", "testpoint", "tooling-hole", as the role file names it
    std::string plural; // "fiducials", "tooling holes": as a count of them reads
    int16_t insertType = insert_type::Component;
    std::vector<NamePattern> footprints{}; // library names, whole ("Lib:Name") or the name alone
    std::vector<NamePattern> references{};
    std::vector<std::pair<std::string, NamePattern>> properties{}; // property name, value pattern
};

// In order of precedence: a footprint takes the first role it matches.
using RoleRules = std::vector<RolePatterns>;

// KiCad's own library names and the usual vendor spellings (docs/kicad-import.md).
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

// The insert type of a footprint and the rule that gave it, as a person reads it ("pad property",
// "footprint \"Fiducial*\""): what its pads say first, then the rules; else a component, by
// no rule.
struct RoleMatch {
    int16_t insertType = insert_type::Component;
    std::string rule{};
};
RoleMatch roleOf(const FootprintFacts& footprint, const RoleRules& rules);

// How many footprints of a board took each role, by the rule that recognised them, for the line
// that tells the user what the tests will find.
class RoleTally {
  public:
    explicit RoleTally(const RoleRules& rules);
    void add(const RoleMatch& match);
    // "recognised 2 fiducials (2 by reference \"FID*\"), 0 testpoints, ...", with the roles file to
    // name them in when a count is 0.
    std::string note(const std::string& rolesFile) const;

  private:
    struct Counted {
        int16_t insertType;
        std::string plural;
        std::map<std::string, int> byRule{};
    };
    std::vector<Counted> roles_;
};

} // namespace lumora::engine
