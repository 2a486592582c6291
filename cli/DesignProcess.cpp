#include "cli/DesignProcess.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <system_error>

namespace lumora::cli {

namespace {

// The child's exit status when its output cannot go where it should.
constexpr int kNoOutput = 6;

bool redirect(const std::filesystem::path& file, int target) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const bool moved = ::dup2(fd, target) == target;
    ::close(fd);
    return moved;
}

[[noreturn]] void runChild(const std::function<int()>& run, const std::filesystem::path& output,
                           const std::filesystem::path& messages, pid_t parent) {
    // A design's run ends with the slice that started it, however that ends (kill -9 included), so
    // that no orphan writes into a folder the rerun empties.
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent) {
        ::_exit(kNoOutput);
    }
    if (!redirect(output, STDOUT_FILENO) || !redirect(messages, STDERR_FILENO)) {
        ::_exit(kNoOutput);
    }
    const int status = run();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    // Not exit(): the parent's handlers and static objects are the parent's business.
    ::_exit(status);
}

ProcessEnd waitFor(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            throw std::runtime_error("cannot wait for a design's process (" +
                                     std::generic_category().message(errno) + ")");
        }
    }
    if (WIFSIGNALED(status)) {
        return ProcessEnd{0, WTERMSIG(status)};
    }
    return ProcessEnd{WEXITSTATUS(status), 0};
}

} // namespace

ProcessEnd runInChildProcess(const std::function<int()>& run, const std::filesystem::path& output,
                             const std::filesystem::path& messages) {
    // What the parent has buffered would otherwise be written again by the child.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("cannot start a process for a design (" +
                                 std::generic_category().message(errno) + ")");
    }
    if (child == 0) {
        runChild(run, output, messages, parent);
    }
    return waitFor(child);
}

} // namespace lumora::cli
