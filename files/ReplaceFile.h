#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace lumora::files {

// An output that cannot be written where it is named; the message names the path and the reason.
class OutputFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Refuses (OutputFileError) a path that an output may not replace: a device, a FIFO, a socket or
// a folder, or a symbolic link to one. Nothing there, a regular file, or a link to one or to
// nothing, is accepted. Front ends ask before a run, so that the run's work is not lost at its end.
void checkOutputPath(const std::filesystem::path& path);

// Writes text to a temporary file beside path and renames it onto path, so that an earlier file
// of that name stays whole until the new one is complete (a full disk, a crash or a kill cannot
// cut it). An existing regular file keeps its permissions (and its owner and group, where the
// process may set them); a new file gets 0666 less the umask; a symbolic link at the path is
// replaced by the file. Throws OutputFileError naming the path and the system's reason, and
// refuses what checkOutputPath refuses.
void replaceFile(const std::filesystem::path& path, std::string_view text);

} // namespace lumora::files
