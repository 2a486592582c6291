#include "app/OpenFileSelection.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace lumora {

namespace {

struct FilterExtension {
    int filterIndex;
    const char* upperCased;
    const char* appended;
};

constexpr std::array kFilterExtensions{
    FilterExtension{1, ".DFM", ".dfm"},
    FilterExtension{2, ".TXT", ".txt"},
};

std::string upperCased(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

FileSelection splitFileSelection(const std::string& returned) {
    FileSelection selection;
    std::size_t nul = returned.find('\0');
    if (nul == std::string::npos) {
        std::size_t slash = returned.find_last_of("/\\");
        selection.folder = slash == std::string::npos ? std::string() : returned.substr(0, slash);
        selection.names.push_back(slash == std::string::npos ? returned : returned.substr(slash + 1));
        return selection;
    }
    selection.folder = returned.substr(0, nul);
    std::size_t start = nul + 1;
    while (start < returned.size()) {
        std::size_t end = returned.find('\0', start);
        std::string name = returned.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!name.empty()) {
            selection.names.push_back(std::move(name));
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return selection;
}

std::string withFilterExtension(const std::string& name, int filterIndex) {
    for (const FilterExtension& filter : kFilterExtensions) {
        if (filter.filterIndex == filterIndex &&
            upperCased(name).find(filter.upperCased) == std::string::npos) {
            return name + filter.appended;
        }
    }
    return name;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    return folder + "/" + name;
}

} // namespace lumora
