#pragma once

#include <filesystem>
#include <string>

namespace lumora {

// Keeps a second run out of a log folder while a run writes its logs there: two runs truncating
// and appending one runner.log leave NUL bytes and each other's lines in it. The lock is flock(2)
// on "runner.lock" in the folder, so the system releases it however its holder ends; the file
// says who holds it (docs/logs.md).
class LogFolderLock {
  public:
    // Opens (or creates) the folder's lock file and takes nothing yet. In a folder that cannot be
    // written there is nothing to lock: the run itself then says that it cannot open its logs.
    explicit LogFolderLock(const std::filesystem::path& folder);
    ~LogFolderLock();
    LogFolderLock(const LogFolderLock&) = delete;
    LogFolderLock& operator=(const LogFolderLock&) = delete;

    // Takes the lock unless another run holds it; true when this run may write the logs.
    bool tryTake(const std::string& holder);
    // Waits until no other run holds the lock, then takes it.
    void take(const std::string& holder);
    // Who holds the lock, as the holder described itself; "another run" when it did not.
    std::string holder() const;

  private:
    void describe(const std::string& holder);

    std::filesystem::path path_;
    int fd_ = -1;
};

// "lumora-cli (process 1234) since 2026-05-01 10:00:00": this process, as a lock's holder.
std::string thisRunAsHolder(const std::string& program);

} // namespace lumora
