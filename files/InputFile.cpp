#include "files/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <system_error>

namespace lumora::files {

namespace {

constexpr std::size_t kPieceBytes = 64 * 1024;

std::string systemReason(int error) {
    return std::generic_category().message(error);
}

std::string sizeText(std::uintmax_t bytes) {
    return bytes % input::kMiB == 0 ? std::to_string(bytes / input::kMiB) + " MiB"
                                    : std::to_string(bytes) + " bytes";
}

[[noreturn]] void refuseType(const std::filesystem::path& path, unsigned mode, const InputKind& kind) {
    throw InputFileError(InputFault::NotRegular, path,
                         fileTypeText(mode) + ", not a regular file; a " + std::string(kind.noun) +
                             " must be a regular file");
}

[[noreturn]] void refuseOpen(const std::filesystem::path& path, int error) {
    throw InputFileError(InputFault::CannotOpen, path, "cannot be opened (" + systemReason(error) + ")");
}

[[noreturn]] void refuseSize(const std::filesystem::path& path, const InputKind& kind) {
    throw InputFileError(InputFault::TooLarge, path,
                         "larger than " + sizeText(kind.maxBytes) + ", not a " + std::string(kind.noun));
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { ::close(fd_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// The type is looked at before opening (opening a device can have effects of its own) and again
// on the open descriptor, in case the name was given to another file in between. O_NONBLOCK keeps
// the open of a FIFO from waiting for a writer.
int openRegular(const std::filesystem::path& path, const InputKind& kind, struct stat& status) {
    if (::stat(path.c_str(), &status) != 0) {
        refuseOpen(path, errno);
    }
    if (!S_ISREG(status.st_mode)) {
        refuseType(path, status.st_mode, kind);
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        refuseOpen(path, errno);
    }
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        refuseType(path, status.st_mode, kind);
    }
    return fd;
}

// At most limit bytes, fewer when the file ends first; room for expected bytes is made at once.
std::string readUpTo(int fd, const std::filesystem::path& path, std::uintmax_t limit,
                     std::uintmax_t expected) {
    std::string text;
    text.reserve(static_cast<std::size_t>(std::min(expected, limit)));
    std::array<char, kPieceBytes> piece{};
    while (text.size() < limit) {
        const auto wanted =
            static_cast<std::size_t>(std::min<std::uintmax_t>(piece.size(), limit - text.size()));
        const ssize_t count = ::read(fd, piece.data(), wanted);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            throw InputFileError(InputFault::Unreadable, path,
                                 "cannot be read (" + systemReason(errno) + ")");
        }
        if (count == 0) {
            break;
        }
        text.append(piece.data(), static_cast<std::size_t>(count));
    }
    return text;
}

// A whole file is read one byte past the bound, to tell a file that reaches it from one that passes it.
std::string readOpened(const std::filesystem::path& path, const InputKind& kind, std::uintmax_t atMost) {
    struct stat status {};
    const Descriptor fd(openRegular(path, kind, status));
    const bool whole = atMost > kind.maxBytes;
    if (whole && static_cast<std::uintmax_t>(status.st_size) > kind.maxBytes) {
        refuseSize(path, kind);
    }
    std::string text = readUpTo(fd.get(), path, atMost, static_cast<std::uintmax_t>(status.st_size) + 1);
    if (whole && text.size() > kind.maxBytes) {
        refuseSize(path, kind); // it grew while read, or its size was not told (a file of /proc)
    }
    return text;
}

} // namespace

InputFileError::InputFileError(InputFault fault, const std::filesystem::path& path, const std::string& reason)
    : std::runtime_error(path.string() + ": " + reason), fault_(fault), reason_(reason) {}

std::string readInputFile(const std::filesystem::path& path, const InputKind& kind) {
    return readOpened(path, kind, kind.maxBytes + 1);
}

std::optional<std::string> readInputFileIfPresent(const std::filesystem::path& path, const InputKind& kind) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 && errno == ENOENT) {
        return std::nullopt;
    }
    return readInputFile(path, kind);
}

std::string readInputStart(const std::filesystem::path& path, std::size_t count, const InputKind& kind) {
    return readOpened(path, kind, count);
}

std::string fileTypeText(unsigned mode) {
    if (S_ISFIFO(mode)) {
        return "a FIFO";
    }
    if (S_ISCHR(mode)) {
        return "a character device";
    }
    if (S_ISBLK(mode)) {
        return "a block device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISLNK(mode)) {
        return "a symbolic link";
    }
    return S_ISREG(mode) ? "a regular file" : "an unknown kind of file";
}

} // namespace lumora::files
