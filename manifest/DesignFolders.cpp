#include "manifest/DesignFolders.h"

#include "manifest/OutputFolder.h"

#include <algorithm>
#include <set>
#include <string>

namespace lumora::manifest {

namespace {

constexpr std::size_t kLongestName = 100;

bool isSafeCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-' || c == '+';
}

std::string folded(std::string_view name) {
    std::string lower(name);
    std::ranges::transform(lower, lower.begin(),
                           [](char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; });
    return lower;
}

bool isReserved(std::string_view name) {
    const std::string lower = folded(name);
    return std::ranges::find(kReservedNames, std::string_view(lower)) != kReservedNames.end();
}

// The design's file name without its extension, made safe; leaves room for a "-N" suffix.
std::string derivedName(const ManifestEntry& entry) {
    std::string name = entry.design.stem().string().substr(0, kLongestName - 8);
    std::ranges::replace_if(
        name, [](char c) { return !isSafeCharacter(c); }, '_');
    if (name.empty()) {
        return "design";
    }
    if (name.front() == '.') {
        name.front() = '_';
    }
    return name;
}

} // namespace

bool isSafeFolderName(std::string_view name) {
    return !name.empty() && name.size() <= kLongestName && name.front() != '.' &&
           std::ranges::all_of(name, isSafeCharacter) && !isReserved(name);
}

void nameFolders(std::vector<ManifestEntry>& entries) {
    std::set<std::string> taken;
    for (const ManifestEntry& entry : entries) {
        if (!entry.folder.empty() && !taken.insert(folded(entry.folder)).second) {
            throw ManifestError("the name \"" + entry.folder + "\" is given to two designs");
        }
    }
    for (ManifestEntry& entry : entries) {
        if (!entry.folder.empty()) {
            continue;
        }
        const std::string base = derivedName(entry);
        std::string name = base;
        for (int suffix = 2; isReserved(name) || !taken.insert(folded(name)).second; ++suffix) {
            name = base + "-" + std::to_string(suffix);
        }
        entry.folder = name;
    }
}

} // namespace lumora::manifest
