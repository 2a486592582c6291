#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lumora {

// A file of the runner's own (a log) that could not be opened or written to the end.
struct FileFailure {
    std::filesystem::path path;
    std::string reason; // the system's text for the error, or "write failed"
    bool opening = false;
};

// The logs go on without their file when a write fails (a run must not die of a full disk), so
// the failures are kept here for the front end, which reports them and sets its exit status.
void noteFileFailure(FileFailure failure);
// The failures noted since the last call, oldest first.
std::vector<FileFailure> takeFileFailures();

} // namespace lumora
