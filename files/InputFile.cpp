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

// Pieces of at most limit bytes in all, fewer when the file ends first or take says stop.
void readPieces(int fd, const std::filesystem::path& path, std::uintmax_t limit, const TakePiece& take) {
    std::array<char, kPieceBytes> piece{};
    std::uintmax_t total = 0;
    while (total < limit) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uintmax_t>(piece.size(), limit - total));
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
        total += static_cast<std::uintmax_t>(count);
        if (!take(std::string_view(piece.data(), static_cast<std::size_t>(count)))) {
            break;
        }
    }
}

// Opens a regular file within the kind's bound, for reading at most atMost bytes of it; a whole
// file is read one byte past the bound, to tell a file that reaches it from one that passes it.
void readOpened(const std::filesystem::path& path, const InputKind& kind, std::uintmax_t atMost,
                const TakePiece& take) {
    struct stat status {};
    const Descriptor fd(openRegular(path, kind, status));
    const bool whole = atMost > kind.maxBytes;
    if (whole && static_cast<std::uintmax_t>(status.st_size) > kind.maxBytes) {
        refuseSize(path, kind);
    }
    if (whole) {
        // A piece past the bound is refused before it is handed over.
        std::uintmax_t total = 0;
        readPieces(fd.get(), path, atMost, [&](std::string_view piece) {
            total += piece.size();
            if (total > kind.maxBytes) {
                refuseSize(path, kind); // it grew while read, or its size was not told (a file of /proc)
            }
            return take(piece);
        });
        return;
    }
    readPieces(fd.get(), path, atMost, take);
}

// The size a file has now: room for it is made at once, once the file has passed the checks.
std::uintmax_t fileSizeHint(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size + 1;
}

std::string readText(const std::filesystem::path& path, const InputKind& kind, std::uintmax_t atMost,
                     std::uintmax_t expected) {
    std::string text;
    readOpened(path, kind, atMost, [&](std::string_view piece) {
        if (text.empty()) {
            text.reserve(static_cast<std::size_t>(std::min(expected, atMost)));
        }
        text.append(piece);
        return true;
    });
    return text;
}

} // namespace

InputFileError::InputFileError(InputFault fault, const std::filesystem::path& path, const std::string& reason)
    : std::runtime_error(path.string() + ": " + reason), fault_(fault), reason_(reason) {}

std::string readInputFile(const std::filesystem::path& path, const InputKind& kind) {
    return readText(path, kind, kind.maxBytes + 1, fileSizeHint(path));
}

void readInputPieces(const std::filesystem::path& path, const InputKind& kind, const TakePiece& take) {
    readOpened(path, kind, kind.maxBytes + 1, take);
}

std::optional<std::string> readInputFileIfPresent(const std::filesystem::path& path, const InputKind& kind) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 && errno == ENOENT) {
        return std::nullopt;
    }
    return readInputFile(path, kind);
}

std::string readInputStart(const std::filesystem::path& path, std::size_t count, const InputKind& kind) {
    return readText(path, kind, count, count);
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
