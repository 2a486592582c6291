#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lumora::files {

// What an input is called in messages, and the most it may hold: anything larger is not one.
struct InputKind {
    std::string_view noun;
    std::uintmax_t maxBytes;
};

// Every input of a run with its bound (docs/reliability.md, "Limits").
namespace input {
inline constexpr std::uintmax_t kMiB = 1024 * 1024;
inline constexpr InputKind Design{"design file", 256 * kMiB}; // native designs, KiCad boards, IPC-2581
inline constexpr InputKind Script{"script", 64 * kMiB};
inline constexpr InputKind Waivers{"waivers file", 64 * kMiB};
inline constexpr InputKind Roles{"roles file", kMiB};
inline constexpr InputKind Settings{"settings file", kMiB};
inline constexpr InputKind Manifest{"manifest", 64 * kMiB};
} // namespace input

// The deepest nesting any reader accepts (JSON, S-expressions; libxml2 stops scripts at the same
// depth), far beyond what a real file needs and far below what a parser's stack can take.
inline constexpr int kMaxNesting = 256;

enum class InputFault { CannotOpen, NotRegular, TooLarge, Unreadable };

// An input that was refused before it was parsed. what() is "PATH: REASON".
class InputFileError : public std::runtime_error {
  public:
    InputFileError(InputFault fault, const std::filesystem::path& path, const std::string& reason);
    InputFault fault() const { return fault_; }
    // Without the path: "a FIFO, not a regular file; a script must be a regular file".
    const std::string& reason() const { return reason_; }

  private:
    InputFault fault_;
    std::string reason_;
};

// The whole file, read in pieces. Refuses (InputFileError), before reading anything, what is not
// a regular file (a FIFO would block, a device never end; a link to a file is followed) and a
// file larger than the kind's bound; a file that grows beyond it while read is refused too.
std::string readInputFile(const std::filesystem::path& path, const InputKind& kind);
// The same, or none when nothing is at path (an optional input); any other fault is refused.
std::optional<std::string> readInputFileIfPresent(const std::filesystem::path& path, const InputKind& kind);
// Takes a piece of a file and says whether the reader wants the next one.
using TakePiece = std::function<bool(std::string_view piece)>;
// The whole file in pieces of at most 64 KiB, in order, to take (until it says stop), for a
// reader that streams a file rather than hold it whole; refused as readInputFile refuses, before
// the first piece, or when the file grows past the bound while read.
void readInputPieces(const std::filesystem::path& path, const InputKind& kind, const TakePiece& take);
// At most count bytes from the file's start, refused as readInputFile refuses.
std::string readInputStart(const std::filesystem::path& path, std::size_t count, const InputKind& kind);

// "a FIFO", "a character device", "a folder"... for a file's type (st_mode).
std::string fileTypeText(unsigned mode);

} // namespace lumora::files
