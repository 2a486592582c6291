#include "engine/io/Roles.h"

#include "engine/io/DesignFile.h"
#include "engine/io/FileText.h"
#include "engine/io/JsonDepth.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <optional>
#include <span>
#include <stdexcept>

namespace lumora::engine {

namespace {

using Json = nlohmann::json;

// Patterns that recognise the roles when a board names none of its own: KiCad's libraries
// ("Fiducial:Fiducial_1mm_Mask2mm", "TestPoint:TestPoint_Pad_D1.0mm", "MountingHole:...") and the
// vendors' spellings ("TESTPOINT-30MIL", "FID1MM", "MARK1MM", "MTG_HOLE"). A footprint pattern
// matches the whole library name or the name after its colon; none starts with a star where a
// longer name could hold the word for another reason ("DSUB-9_..._MountingHolesOffset9.12mm").
constexpr std::string_view kFiducialFootprints[] = {"*Fiducial*", "FID*",    "*_FID*",  "*-FID*",
                                                    "Mark*",      "*_Mark*", "*-Mark*", "*Mark?mm*"};
constexpr std::string_view kFiducialReferences[] = {"FID*"};
constexpr std::string_view kTestpointFootprints[] = {"*TestPoint*", "*Test_Point*", "*Test-Point*", "TP_*",
                                                     "TP-*"};
constexpr std::string_view kTestpointReferences[] = {"TP*"};
constexpr std::string_view kToolingHoleFootprints[] = {"MountingHole*", "Mounting_Hole*", "Mounting-Hole*",
                                                       "MountHole*",    "Mount_Hole*",    "MTG*Hole*",
                                                       "ToolingHole*",  "Tooling_Hole*",  "Tooling-Hole*"};
constexpr std::string_view kToolingHoleReferences[] = {"MH*"};

struct DefaultRole {
    std::string_view role;
    std::string_view plural;
    int16_t insertType;
    std::span<const std::string_view> footprints;
    std::span<const std::string_view> references;
};

constexpr DefaultRole kDefaultRoles[] = {
    {"fiducial", "fiducials", insert_type::Fiducial, kFiducialFootprints, kFiducialReferences},
    {"testpoint", "testpoints", insert_type::Testpoint, kTestpointFootprints, kTestpointReferences},
    {"tooling-hole", "tooling holes", insert_type::ToolingHole, kToolingHoleFootprints,
     kToolingHoleReferences},
};

std::vector<NamePattern> patternsOf(std::span<const std::string_view> texts) {
    return {texts.begin(), texts.end()};
}

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

const NamePattern* firstMatching(const std::vector<NamePattern>& patterns, std::string_view text) {
    const auto found =
        std::ranges::find_if(patterns, [text](const NamePattern& pattern) { return pattern.matches(text); });
    return found == patterns.end() ? nullptr : &*found;
}

// The rule of the role that recognises the footprint, as a person reads it; nothing when none does.
std::optional<std::string> matchingRule(const RolePatterns& rules, const FootprintFacts& footprint) {
    const std::size_t colon = footprint.libraryName.find(':');
    const std::string_view name =
        colon == std::string_view::npos ? footprint.libraryName : footprint.libraryName.substr(colon + 1);
    const NamePattern* byFootprint = firstMatching(rules.footprints, footprint.libraryName);
    byFootprint = byFootprint ? byFootprint : firstMatching(rules.footprints, name);
    if (byFootprint) {
        return "footprint " + inQuotes(byFootprint->text());
    }
    if (const NamePattern* byReference = firstMatching(rules.references, footprint.reference)) {
        return "reference " + inQuotes(byReference->text());
    }
    for (const auto& [field, pattern] : rules.properties) {
        const std::string* value = footprint.properties.find(field);
        if (value && pattern.matches(*value)) {
            return "property " + inQuotes(field) + " " + inQuotes(pattern.text());
        }
    }
    return std::nullopt;
}

NamePattern pattern(const Json& text, const std::string& where) {
    if (!text.is_string()) {
        throw DesignFormatError(where + ": expected a pattern text");
    }
    try {
        return NamePattern(text.get<std::string>());
    } catch (const std::length_error& error) {
        throw DesignFormatError(where + ": " + error.what());
    }
}

std::vector<NamePattern> patterns(const Json& list, const std::string& where) {
    if (!list.is_array()) {
        throw DesignFormatError(where + ": expected a list of patterns");
    }
    std::vector<NamePattern> read;
    for (const Json& item : list) {
        read.push_back(pattern(item, where));
    }
    return read;
}

std::vector<std::pair<std::string, NamePattern>> fieldPatterns(const Json& fields, const std::string& where) {
    if (!fields.is_object()) {
        throw DesignFormatError(where + ": expected an object of field names and value patterns");
    }
    std::vector<std::pair<std::string, NamePattern>> read;
    for (const auto& [field, value] : fields.items()) {
        read.emplace_back(field, pattern(value, where + "/" + field));
    }
    return read;
}

void readPatterns(RolePatterns& role, const Json& members, const std::string& where) {
    if (!members.is_object()) {
        throw DesignFormatError(where + ": expected an object");
    }
    role.footprints.clear();
    role.references.clear();
    role.properties.clear();
    for (const auto& [name, value] : members.items()) {
        const std::string at = where + "/" + name;
        if (name == "footprints") {
            role.footprints = patterns(value, at);
        } else if (name == "references") {
            role.references = patterns(value, at);
        } else if (name == "properties") {
            role.properties = fieldPatterns(value, at);
        } else {
            throw DesignFormatError(at + ": unknown member (expected footprints, references or properties)");
        }
    }
}

} // namespace

RoleRules defaultRoleRules() {
    RoleRules rules;
    for (const DefaultRole& role : kDefaultRoles) {
        rules.push_back({.role = std::string(role.role),
                         .plural = std::string(role.plural),
                         .insertType = role.insertType,
                         .footprints = patternsOf(role.footprints),
                         .references = patternsOf(role.references)});
    }
    return rules;
}

RoleRules readRoleRules(std::string_view json, const std::string& fileName) {
    if (const std::optional<std::size_t> deep = firstTooDeep(json)) {
        throw DesignFormatError(fileName + ": " + tooDeepMessage(json, *deep));
    }
    Json root;
    try {
        root = Json::parse(json);
    } catch (const nlohmann::json::exception& error) {
        throw DesignFormatError(fileName + ": " + error.what());
    }
    if (!root.is_object()) {
        throw DesignFormatError(fileName + ": expected an object of roles");
    }
    RoleRules rules = defaultRoleRules();
    for (const auto& [name, members] : root.items()) {
        const auto role = std::ranges::find(rules, name, &RolePatterns::role);
        if (role == rules.end()) {
            throw DesignFormatError(fileName + ": unknown role \"" + name +
                                    "\" (expected fiducial, testpoint or tooling-hole)");
        }
        readPatterns(*role, members, fileName + ": /" + name);
    }
    return rules;
}

std::filesystem::path rolesFileBeside(const std::filesystem::path& board) {
    std::filesystem::path mapping = board;
    return mapping.replace_extension(".roles.json");
}

RoleRules roleRulesBeside(const std::filesystem::path& board) {
    const std::filesystem::path mapping = rolesFileBeside(board);
    const std::optional<std::string> text = readFileTextIfPresent(mapping, files::input::Roles);
    return text ? readRoleRules(*text, mapping.string()) : defaultRoleRules();
}

RoleMatch roleOf(const FootprintFacts& footprint, const RoleRules& rules) {
    if (footprint.fiducialPad) {
        return {insert_type::Fiducial, "pad property"};
    }
    if (footprint.testpointPad) {
        return {insert_type::Testpoint, "pad property"};
    }
    for (const RolePatterns& role : rules) {
        if (std::optional<std::string> rule = matchingRule(role, footprint)) {
            return {role.insertType, std::move(*rule)};
        }
    }
    return {};
}

RoleTally::RoleTally(const RoleRules& rules) {
    for (const RolePatterns& role : rules) {
        roles_.push_back({role.insertType, role.plural});
    }
}

void RoleTally::add(const RoleMatch& match) {
    const auto role = std::ranges::find(roles_, match.insertType, &Counted::insertType);
    if (role != roles_.end()) {
        ++role->byRule[match.rule];
    }
}

std::string RoleTally::note(const std::string& rolesFile) const {
    std::string counts;
    bool anyNone = false;
    for (const Counted& role : roles_) {
        int total = 0;
        std::string rules;
        for (const auto& [rule, count] : role.byRule) {
            total += count;
            rules += (rules.empty() ? " (" : ", ") + std::to_string(count) + " by " + rule;
        }
        anyNone = anyNone || total == 0;
        const std::string_view counted = total == 1
                                             ? std::string_view(role.plural).substr(0, role.plural.size() - 1)
                                             : std::string_view(role.plural);
        counts += (counts.empty() ? "" : ", ") + std::to_string(total) + " " + std::string(counted) +
                  (rules.empty() ? "" : rules + ")");
    }
    std::string note = "recognised " + counts;
    if (anyNone) {
        note += "; the tests find none where a count is 0: name them in " + rolesFile;
    }
    return note;
}

} // namespace lumora::engine
