#pragma once

#include <string>
#include <vector>

namespace lumora {

// What the open-file dialog returned: one full path, or with several files the folder followed by
// the file names, each part separated by a NUL character.
struct FileSelection {
    std::string folder;
    std::vector<std::string> names;
};

FileSelection splitFileSelection(const std::string& returned);

// Filter 1 (scripts) and 2 (text files) add their extension to a name that lacks it anywhere.
std::string withFilterExtension(const std::string& name, int filterIndex);

std::string joinPath(const std::string& folder, const std::string& name);

} // namespace lumora
