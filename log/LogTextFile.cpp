#include "log/LogTextFile.h"

#include "log/FileFailures.h"
#include "log/LogFileError.h"

#include <cerrno>
#include <system_error>

namespace lumora {

namespace {

std::string reasonOf(int error) {
    return error != 0 ? std::generic_category().message(error) : std::string("write failed");
}

} // namespace

void LogTextFile::open(const std::filesystem::path& path, bool startNew) {
    std::ios::openmode mode = std::ios::out | std::ios::binary | (startNew ? std::ios::trunc : std::ios::app);
    errno = 0;
    out_.clear();
    out_.open(path, mode);
    path_ = path;
    writeFailed_ = false;
    if (!out_.is_open()) {
        int reason = errno;
        noteFileFailure({path, reasonOf(reason), true});
        std::string description = "Path/File access error (" + path.string();
        if (reason != 0) {
            description += ": " + std::generic_category().message(reason);
        }
        throw LogFileError("beginLog", description + ")");
    }
}

void LogTextFile::writeLine(std::string_view text) {
    if (!out_.is_open() || writeFailed_) {
        return;
    }
    errno = 0;
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    out_.write("\r\n", 2);
    // Complete lines reach the disk at once, so a run that dies in KORVEN leaves a readable log.
    out_.flush();
    if (!out_) {
        // Noted once: on a full disk every later line fails the same way.
        writeFailed_ = true;
        noteFileFailure({path_, reasonOf(errno), false});
    }
}

void LogTextFile::close() {
    out_.close();
}

} // namespace lumora
