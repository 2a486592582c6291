// libFuzzer target: any bytes as a design manifest, the first byte choosing the format (even: text,
// odd: JSON). A refusal must say why; a manifest that reads must give every design a path and a
// folder that is safe below the output folder and unique in any case.

#include "manifest/DesignFolders.h"
#include "manifest/DesignManifest.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <string_view>

namespace {

std::string folded(std::string name) {
    for (char& c : name) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    return name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    using namespace lumora::manifest;
    try {
        const auto entries = data[0] % 2 == 0 ? parseTextManifest(text, "/m") : parseJsonManifest(text, "/m");
        std::set<std::string> folders;
        for (const ManifestEntry& entry : entries) {
            if (entry.design.empty() || !isSafeFolderName(entry.folder) ||
                !folders.insert(folded(entry.folder)).second) {
                __builtin_trap();
            }
        }
    } catch (const ManifestError& error) {
        if (std::strlen(error.what()) == 0) {
            __builtin_trap(); // a refusal says why
        }
    }
    return 0;
}
