#include "files/InputFile.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace lumora::files {
namespace {

// The message an input is refused with, and how.
std::pair<InputFault, std::string> refusal(const std::filesystem::path& path, const InputKind& kind) {
    try {
        (void)readInputFile(path, kind);
    } catch (const InputFileError& error) {
        return {error.fault(), error.what()};
    }
    return {InputFault::Unreadable, "read"};
}

// A FIFO as an input blocked the run forever, and a device as a board grew without end: what is
// not a regular file is refused as what it is, before anything is read.
TEST(InputFile, RefusesWhatIsNotARegularFileWithoutWaiting) {
    const test::TempDir dir;
    const std::filesystem::path fifo = dir.path() / "board.kicad_pcb";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(
        refusal(fifo, input::Design),
        std::pair(InputFault::NotRegular,
                  fifo.string() + ": a FIFO, not a regular file; a design file must be a regular file"));
    EXPECT_EQ(
        refusal("/dev/zero", input::Roles),
        std::pair(InputFault::NotRegular,
                  std::string("/dev/zero: a character device, not a regular file; a roles file must be a "
                              "regular file")));
    EXPECT_EQ(refusal(dir.path(), input::Script).first, InputFault::NotRegular);
    std::filesystem::create_symlink(fifo, dir.path() / "link");
    EXPECT_EQ(refusal(dir.path() / "link", input::Waivers).first, InputFault::NotRegular);
}

// A file past its bound was read whole (3 GB of a board before the program died): it is refused
// by its size, one byte past the bound, and a file exactly at the bound is read.
TEST(InputFile, RefusesAFileBeyondItsBoundAndReadsOneAtIt) {
    const test::TempDir dir;
    const std::filesystem::path roles = dir.write("board.roles.json", "");
    std::filesystem::resize_file(roles, input::Roles.maxBytes + 1);
    EXPECT_EQ(refusal(roles, input::Roles),
              std::pair(InputFault::TooLarge, roles.string() + ": larger than 1 MiB, not a roles file"));
    std::filesystem::resize_file(roles, input::Roles.maxBytes);
    EXPECT_EQ(readInputFile(roles, input::Roles).size(), input::Roles.maxBytes);
    EXPECT_EQ(readInputStart(roles, 64, input::Roles).size(), 64U);
}

// A roles file that could not be opened was taken for a missing one, and the default rules applied
// without a word: only a file that is not there is absent.
TEST(InputFile, OnlyAMissingFileIsAnAbsentOptionalInput) {
    const test::TempDir dir;
    EXPECT_FALSE(readInputFileIfPresent(dir.path() / "board.roles.json", input::Roles));
    EXPECT_THROW((void)readInputFileIfPresent(dir.path(), input::Roles), InputFileError);
    EXPECT_EQ(readInputFileIfPresent(dir.write("rdbset.dat", ".DRCLIMIT 5\n"), input::Settings),
              std::optional<std::string>(".DRCLIMIT 5\n"));
    EXPECT_EQ(refusal(dir.path() / "absent.json", input::Design),
              std::pair(InputFault::CannotOpen, (dir.path() / "absent.json").string() +
                                                    ": cannot be opened (No such file or directory)"));
}

} // namespace
} // namespace lumora::files
