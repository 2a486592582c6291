#include "files/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace lumora::files {

namespace {

[[noreturn]] void fail(const std::filesystem::path& path, int error) {
    throw std::runtime_error("cannot write \"" + path.string() + "\" (" +
                             std::generic_category().message(error) + ")");
}

mode_t modeFor(const std::filesystem::path& path) {
    struct stat existing {};
    return ::stat(path.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0644;
}

// 0 when the whole text reached the file, else the error.
int writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return written < 0 ? errno : ENOSPC;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return ::fsync(fd) == 0 ? 0 : errno;
}

} // namespace

void replaceFile(const std::filesystem::path& path, std::string_view text) {
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::string temporary = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        fail(path, errno);
    }
    int error = writeAll(fd, text);
    if (error == 0 && ::fchmod(fd, modeFor(path)) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        fail(path, error);
    }
}

} // namespace lumora::files
