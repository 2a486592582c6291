// Runs that share a log folder take turns: the second waits for the first and says for whom.

#include "cli/CliRun.h"
#include "cli/ExitCodes.h"
#include "log/LogFolderLock.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace lumora::cli::test {
namespace {

// The progress stream: the other run finishes as soon as this one says it waits for it.
class OtherRunEndsWhenWaitedFor : public std::stringbuf {
  public:
    explicit OtherRunEndsWhenWaitedFor(std::unique_ptr<LogFolderLock> other) : other_(std::move(other)) {}

  protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        const std::streamsize written = std::stringbuf::xsputn(text, count);
        if (str().find("waiting until it has finished") != std::string::npos) {
            other_.reset();
        }
        return written;
    }

  private:
    std::unique_ptr<LogFolderLock> other_;
};

// Two runs sharing a log folder wrote one runner.log at once (1,547 NUL bytes in it, and neither
// run warned): a run that finds its folder held says by whom, waits, and then writes whole logs.
TEST(SharedLogFolder, ARunWaitsForTheRunHoldingItsLogFolderAndSaysWhoThatIs) {
    lumora::test::TempDir home;
    auto other = std::make_unique<LogFolderLock>(home.path());
    ASSERT_TRUE(other->tryTake("lumora-cli (process 42) since 2026-05-01 10:00:00"));
    OtherRunEndsWhenWaitedFor progress(std::move(other));
    std::ostream err(&progress);
    std::ostringstream out;
    CliOptions options;
    options.scripts = {LUMORA_SOURCE_DIR "/examples/scripts/smt-assembly.dfm"};
    options.design = LUMORA_SOURCE_DIR "/examples/designs/single-board.json";
    options.home = home.path().string();
    options.quiet = true;
    EXPECT_EQ(runCli(options, out, err), exitcode::Success) << progress.str();
    EXPECT_EQ(progress.str(),
              "Lumora Runner: the log folder \"" + home.path().string() +
                  "\" is in use by lumora-cli (process 42) since 2026-05-01 10:00:00; waiting "
                  "until it has finished\n");
    EXPECT_NE(home.read("runner.log").find("Test : Top Surface Thru-hole Component Orientation"),
              std::string::npos);
}

} // namespace
} // namespace lumora::cli::test
