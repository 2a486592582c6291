#include "engine/io/Roles.h"

#include "engine/io/DesignFile.h"
#include "engine/io/FileText.h"
#include "engine/io/JsonDepth.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>

namespace lumora::engine {

namespace {

using Json = nlohmann::json;

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool anyMatches(const std::vector<std::string>& patterns, std::string_view text) {
    return std::ranges::any_of(patterns,
                               [text](const std::string& pattern) { return matchesPattern(pattern, text); });
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
        return value && matchesPattern(property.second, *value);
    });
}

std::vector<std::string> texts(const Json& list, const std::string& where) {
    if (!list.is_array()) {
        throw DesignFormatError(where + ": expected a list of patterns");
    }
    std::vector<std::string> patterns;
    for (const Json& item : list) {
        if (!item.is_string()) {
            throw DesignFormatError(where + ": expected a pattern text");
        }
        patterns.push_back(item.get<std::string>());
    }
    return patterns;
}

std::vector<std::pair<std::string, std::string>> fieldPatterns(const Json& fields, const std::string& where) {
    if (!fields.is_object()) {
        throw DesignFormatError(where + ": expected an object of field names and value patterns");
    }
    std::vector<std::pair<std::string, std::string>> patterns;
    for (const auto& [field, pattern] : fields.items()) {
        if (!pattern.is_string()) {
            throw DesignFormatError(where + "/" + field + ": expected a pattern text");
        }
        patterns.emplace_back(field, pattern.get<std::string>());
    }
    return patterns;
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
            role.footprints = texts(value, at);
        } else if (name == "references") {
            role.references = texts(value, at);
        } else if (name == "properties") {
            role.properties = fieldPatterns(value, at);
        } else {
            throw DesignFormatError(at + ": unknown member (expected footprints, references or properties)");
        }
    }
}

} // namespace

bool matchesPattern(std::string_view pattern, std::string_view text) {
    // Iterative glob matching: on a mismatch, let the last "*" swallow one more character.
    std::size_t p = 0, t = 0, star = std::string_view::npos, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(text[t]))) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = t;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

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
