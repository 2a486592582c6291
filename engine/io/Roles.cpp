#include "engine/io/Roles.h"

#include "engine/io/DesignFile.h"
#include "engine/io/FileText.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <stdexcept>

namespace lumora::engine {

namespace {

using Json = nlohmann::json;

bool anyMatches(const std::vector<NamePattern>& patterns, std::string_view text) {
    return std::ranges::any_of(patterns,
                               [text](const NamePattern& pattern) { return pattern.matches(text); });
}

bool matchesFootprint(const RolePatterns& rules, const FootprintFacts& footprint) {
    const std::size_t colon = footprint.libraryName.find(':');
    const std::string_view name =
        colon == std::string_view::npos ? footprint.libraryName : footprint.libraryName.substr(colon + 1);
    if (anyMatches(rules.footprints, footprint.libraryName) || anyMatches(rules.footprints, name) ||
        anyMatches(rules.references, footprint.reference)) {
        return true;
    }
    return std::ranges::any_of(rules.properties, [&](const auto& property) {
        const std::string* value = footprint.properties.find(property.first);
        return value && property.second.matches(*value);
    });
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
    return {
        {.role = "fiducial",
         .insertType = insert_type::Fiducial,
         .footprints = {"Fiducial*"},
         .references = {"FID*"}},
        {.role = "testpoint",
         .insertType = insert_type::Testpoint,
         .footprints = {"TestPoint*"},
         .references = {"TP*"}},
        {.role = "tooling-hole", .insertType = insert_type::ToolingHole, .footprints = {"MountingHole*"}},
    };
}

RoleRules readRoleRules(std::string_view json, const std::string& fileName) {
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

RoleRules roleRulesBeside(const std::filesystem::path& board) {
    std::filesystem::path mapping = board;
    mapping.replace_extension(".roles.json");
    const std::optional<std::string> text = readFileText(mapping);
    return text ? readRoleRules(*text, mapping.string()) : defaultRoleRules();
}

int16_t roleOf(const FootprintFacts& footprint, const RoleRules& rules) {
    if (footprint.fiducialPad) {
        return insert_type::Fiducial;
    }
    if (footprint.testpointPad) {
        return insert_type::Testpoint;
    }
    const auto role =
        std::ranges::find_if(rules, [&](const RolePatterns& r) { return matchesFootprint(r, footprint); });
    return role == rules.end() ? insert_type::Component : role->insertType;
}

} // namespace lumora::engine
