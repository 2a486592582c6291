#include "files/ReplaceFile.h"

#include "files/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <random>
#include <string>
#include <system_error>

namespace lumora::files {

namespace {

[[noreturn]] void fail(const std::filesystem::path& path, int error) {
    throw OutputFileError("cannot write \"" + path.string() + "\" (" +
                          std::generic_category().message(error) + ")");
}

[[noreturn]] void refuse(const std::filesystem::path& path, const std::string& what) {
    throw OutputFileError("cannot write \"" + path.string() + "\": " + what + ", not a regular file");
}

// What is at path itself (a link is not followed); none when nothing can be seen there (a folder
// that is missing or cannot be searched is reported when the file is written).
std::optional<struct stat> statusAt(const std::filesystem::path& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0) {
        return status;
    }
    return std::nullopt;
}

// A regular file the output replaces, whose permissions it keeps; none for a new file or a link.
std::optional<struct stat> replacedFile(const std::filesystem::path& path) {
    const std::optional<struct stat> status = statusAt(path);
    if (!status || S_ISREG(status->st_mode)) {
        return status;
    }
    if (!S_ISLNK(status->st_mode)) {
        refuse(path, fileTypeText(status->st_mode));
    }
    struct stat target {};
    if (::stat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode)) {
        refuse(path, "a link to " + fileTypeText(target.st_mode));
    }
    return std::nullopt;
}

// A new file beside path, named ".NAME.XXXXXX", created with 0666 so that the umask (and a default
// ACL of the folder) apply as to any new file; mkstemp would make it 0600.
int createTemporary(const std::filesystem::path& path, std::string& name) {
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::minstd_rand random(std::random_device{}());
    std::uniform_int_distribution<std::size_t> letter(0, kLetters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(6, ' ');
        for (char& c : suffix) {
            c = kLetters[letter(random)];
        }
        name = (folder / ("." + path.filename().string() + "." + suffix)).string();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// 0 when the whole text reached the file, else the error.
int writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
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

// The owner first: changing it clears the set-user-ID bits that the mode then sets again. Only
// root may give a file away, so a failure there leaves the file the writer's.
int keepPermissions(int fd, const struct stat& replaced) {
    [[maybe_unused]] const int owned = ::fchown(fd, replaced.st_uid, replaced.st_gid);
    return ::fchmod(fd, replaced.st_mode & 07777) == 0 ? 0 : errno;
}

} // namespace

void checkOutputPath(const std::filesystem::path& path) {
    (void)replacedFile(path);
}

void replaceFile(const std::filesystem::path& path, std::string_view text) {
    const std::optional<struct stat> replaced = replacedFile(path);
    std::string temporary;
    const int fd = createTemporary(path, temporary);
    if (fd < 0) {
        fail(path, errno);
    }
    int error = writeAll(fd, text);
    if (error == 0 && replaced) {
        error = keepPermissions(fd, *replaced);
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
