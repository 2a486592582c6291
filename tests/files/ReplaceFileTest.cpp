#include "files/ReplaceFile.h"

#include "tests/support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace lumora::files {
namespace {

using ::testing::ThrowsMessage;

mode_t modeOf(const std::filesystem::path& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status.st_mode;
}

class ScopedUmask {
  public:
    explicit ScopedUmask(mode_t mask) : previous_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(previous_); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

  private:
    mode_t previous_;
};

// A new report was 0644 under umask 077, and a link to /tmp gave one rwxrwxrwt: a new file's
// permissions are the umask's, an existing file keeps its own, and a link's target lends nothing.
TEST(ReplaceFile, NewFilesFollowTheUmaskAndReplacedOnesKeepTheirPermissions) {
    const test::TempDir dir;
    const ScopedUmask mask(077);
    replaceFile(dir.path() / "new.json", "{}");
    EXPECT_EQ(modeOf(dir.path() / "new.json") & 07777, 0600U);
    const std::filesystem::path shared = dir.write("shared.json", "old");
    ::chmod(shared.c_str(), 0640);
    replaceFile(shared, "new");
    EXPECT_EQ(modeOf(shared) & 07777, 0640U);
    EXPECT_EQ(dir.read("shared.json"), "new");
    const std::filesystem::path target = dir.write("target.json", "target");
    ::chmod(target.c_str(), 0666);
    std::filesystem::create_symlink(target, dir.path() / "link.json");
    replaceFile(dir.path() / "link.json", "replaces the link");
    EXPECT_TRUE(S_ISREG(modeOf(dir.path() / "link.json")));
    EXPECT_EQ(modeOf(dir.path() / "link.json") & 07777, 0600U);
    EXPECT_EQ(dir.read("target.json"), "target");
}

// --report /dev/full replaced the device with a regular file (as root), and FIFOs, devices and
// links to /dev/stdout became regular files: what is not a regular file is refused and left as it was.
TEST(ReplaceFile, RefusesDevicesFifosFoldersAndLinksToThem) {
    const test::TempDir dir;
    EXPECT_THAT(
        [] { replaceFile("/dev/full", "x"); },
        ThrowsMessage<OutputFileError>("cannot write \"/dev/full\": a character device, not a regular file"));
    EXPECT_TRUE(S_ISCHR(modeOf("/dev/full")));
    const std::filesystem::path fifo = dir.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW(replaceFile(fifo, "x"), OutputFileError);
    EXPECT_TRUE(S_ISFIFO(modeOf(fifo)));
    const std::filesystem::path toStdout = dir.path() / "stdout.json";
    std::filesystem::create_symlink("/dev/null", toStdout);
    EXPECT_THAT([&] { checkOutputPath(toStdout); },
                ThrowsMessage<OutputFileError>("cannot write \"" + toStdout.string() +
                                               "\": a link to a character device, not a regular file"));
    std::filesystem::create_symlink(dir.path(), dir.path() / "folder-link");
    EXPECT_THROW(replaceFile(dir.path() / "folder-link", "x"), OutputFileError);
    EXPECT_THROW(replaceFile(dir.path(), "x"), OutputFileError);
    EXPECT_TRUE(std::filesystem::is_symlink(toStdout));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3); // no temporary left
}

} // namespace
} // namespace lumora::files
