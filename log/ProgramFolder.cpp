#include "log/ProgramFolder.h"

#include <cstdlib>
#include <system_error>

namespace lumora {

std::filesystem::path programFolder() {
    if (const char* home = std::getenv("LUMORA_HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        // Without /proc the working folder is the only place left; opening a file there still
        // reports its own error if it cannot be written.
        return ".";
    }
    return executable.parent_path();
}

} // namespace lumora
