#include "engine/io/FileText.h"

#include <fstream>
#include <sstream>

namespace lumora::engine {

std::optional<std::string> readFileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    return std::move(content).str();
}

} // namespace lumora::engine
