#include "log/LogTextFile.h"

#include "script/RunnerError.h"

#include <cerrno>
#include <system_error>

namespace lumora {

void LogTextFile::open(const std::filesystem::path& path, bool startNew) {
    std::ios::openmode mode = std::ios::out | std::ios::binary | (startNew ? std::ios::trunc : std::ios::app);
    errno = 0;
    out_.open(path, mode);
    if (!out_.is_open()) {
        int reason = errno;
        std::string description = "Path/File access error (" + path.string();
        if (reason != 0) {
            description += ": " + std::generic_category().message(reason);
        }
        throw RunnerError(errnum::PathFileAccess, "beginLog", description + ")");
    }
}

void LogTextFile::writeLine(std::string_view text) {
    if (!out_.is_open()) {
        return;
    }
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    out_.write("\r\n", 2);
    // Complete lines reach the disk at once, so a run that dies in KORVEN leaves a readable log.
    out_.flush();
}

void LogTextFile::close() {
    out_.close();
}

} // namespace lumora
