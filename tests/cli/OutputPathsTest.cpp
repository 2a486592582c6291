#include "cli/OutputPaths.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace lumora::cli::test {
namespace {

// --report in.json --junit s.dfm replaced the design and the script (exit 0), and --save-design
// board.kicad_pcb the board with JSON: an output that is a file of the run is refused, named by
// what it is to the run, also through a symbolic or a hard link; only --write-waivers may update
// the waivers file the run read.
TEST(OutputPaths, AnOutputMayNotReplaceAFileOfTheRun) {
    const lumora::test::TempDir dir;
    const std::filesystem::path design = dir.write("board.kicad_pcb", "(kicad_pcb)");
    const std::filesystem::path waivers = dir.write("board.waivers.json", "{}");
    const std::vector<RunFile> run{{"the design file", design},
                                   {"the waivers file", waivers, "--write-waivers"},
                                   {"the run log", dir.path() / "runner.log"}};
    EXPECT_EQ(outputsRefusal({{"--save-design", design}}, run),
              "--save-design \"" + design.string() +
                  "\" is the design file; an output may not replace a file the run reads or writes");
    std::filesystem::create_symlink(design, dir.path() / "link.json");
    std::filesystem::create_hard_link(design, dir.path() / "hard.json");
    EXPECT_TRUE(outputsRefusal({{"--report", dir.path() / "link.json"}}, run));
    EXPECT_TRUE(outputsRefusal({{"--markers", dir.path() / "hard.json"}}, run));
    EXPECT_TRUE(outputsRefusal({{"--junit", dir.path() / "sub" / ".." / "runner.log"}}, run));
    EXPECT_TRUE(outputsRefusal({{"--report", waivers}}, run));
    EXPECT_FALSE(outputsRefusal({{"--write-waivers", waivers}, {"--report", dir.path() / "r.json"}}, run));
}

// Two options naming one file wrote one over the other, and two outputs on standard output
// interleaved; a device as an output became a regular file (as root).
TEST(OutputPaths, OneFileOneOutputAndNoDevices) {
    const lumora::test::TempDir dir;
    EXPECT_EQ(
        outputsRefusal({{"--report", dir.path() / "r.json"}, {"--markers", dir.path() / "." / "r.json"}}, {}),
        "--report and --markers both name \"" + (dir.path() / "." / "r.json").string() + "\"");
    EXPECT_EQ(outputsRefusal({{"--report", "-"}, {"--junit", "-"}}, {}),
              "--report and --junit both name standard output (\"-\")");
    EXPECT_EQ(outputsRefusal({{"--report", "/dev/full"}}, {}),
              "--report: cannot write \"/dev/full\": a character device, not a regular file");
    EXPECT_FALSE(outputsRefusal({{"--report", "-"}, {"--junit", dir.path() / "j.xml"}}, {}));
}

} // namespace
} // namespace lumora::cli::test
