#pragma once

#include <filesystem>
#include <functional>

namespace lumora::cli {

// How a child process ended: its exit status, or the signal that ended it.
struct ProcessEnd {
    int exitStatus = 0;
    int signal = 0; // 0: it exited
};

// Runs `run` in a child process of its own, its standard output and error going to the two files,
// and waits for it. A design runs this way so that a crash, the memory it held and the settings it
// changed (the program folder, the switches) end with it, and the next design starts clean. The
// caller must not have started threads of its own: only the forking thread lives on in the child.
// Throws std::runtime_error when no process can be started.
ProcessEnd runInChildProcess(const std::function<int()>& run, const std::filesystem::path& output,
                             const std::filesystem::path& messages);

} // namespace lumora::cli
