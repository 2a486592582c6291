#include "log/LogFolderLock.h"

#include "log/Clock.h"
#include "log/LogBanner.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace lumora {

LogFolderLock::LogFolderLock(const std::filesystem::path& folder)
    : path_(folder / "runner.lock"),
      fd_(::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666)) {}

LogFolderLock::~LogFolderLock() {
    if (fd_ >= 0) {
        ::close(fd_); // releases the lock
    }
}

bool LogFolderLock::tryTake(const std::string& holder) {
    if (fd_ < 0) {
        return true;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        return false;
    }
    describe(holder);
    return true;
}

void LogFolderLock::take(const std::string& holder) {
    if (fd_ < 0) {
        return;
    }
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
    describe(holder);
}

std::string LogFolderLock::holder() const {
    std::string text(256, '\0');
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    const ssize_t count = fd < 0 ? 0 : ::pread(fd, text.data(), text.size(), 0);
    if (fd >= 0) {
        ::close(fd);
    }
    text.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
    text = text.substr(0, text.find('\n'));
    return text.empty() ? "another run" : text;
}

void LogFolderLock::describe(const std::string& holder) {
    // The description only helps another run's message; the lock holds without it.
    const std::string line = holder + "\n";
    [[maybe_unused]] const bool described =
        ::ftruncate(fd_, 0) == 0 && ::pwrite(fd_, line.data(), line.size(), 0) >= 0;
}

std::string thisRunAsHolder(const std::string& program) {
    return program + " (process " + std::to_string(::getpid()) + ") since " +
           dateTimeText(systemClock().localTime());
}

} // namespace lumora
