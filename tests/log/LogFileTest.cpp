#include "log/FileFailures.h"
#include "log/LogFileError.h"
#include "log/ProductInfo.h"
#include "log/clsLogFile.h"
#include "tests/log/FakeClock.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

using namespace lumora;
using lumora::test::FakeClock;
using lumora::test::march7At0905;
using lumora::test::TempDir;
using std::chrono::minutes;

namespace {

const std::string kFirstBanner = "\r\n"
                                 "\r\n"
                                 "========================================================\r\n"
                                 "========================================================\r\n"
                                 "Lumora Runner v." +
                                 versionText() +
                                 " Log File on 2024-03-07 09:05:03\r\n"
                                 "\r\n";

// The same block for a run that starts ten minutes later.
const std::string kSecondBanner = "\r\n"
                                  "\r\n"
                                  "========================================================\r\n"
                                  "========================================================\r\n"
                                  "Lumora Runner v." +
                                  versionText() +
                                  " Log File on 2024-03-07 09:15:03\r\n"
                                  "\r\n";

class RunLog : public ::testing::Test {
  protected:
    TempDir dir;
    FakeClock clock{march7At0905()};

    void runWith(bool startNew, const std::string& line) {
        clsLogFile log(dir.path(), clock);
        log.beginLog(startNew);
        log.writeString(line);
        log.writeString();
        log.endLog();
    }
};

} // namespace

TEST_F(RunLog, NewRunReplacesTheFileWithBannerBlockAndLines) {
    dir.write("runner.log", "left from an earlier run\r\n");
    runWith(true, "   Total Violations : {Marginal: 2   Critical: 0}");
    EXPECT_EQ(dir.read("runner.log"), kFirstBanner + "   Total Violations : {Marginal: 2   Critical: 0}\r\n"
                                                     "\r\n");
}

TEST_F(RunLog, ContinueAppendsASecondBannerBlockAfterTheFirstRun) {
    runWith(true, "first run");
    clock.advance(minutes{10});
    runWith(false, "continued run");
    EXPECT_EQ(dir.read("runner.log"),
              kFirstBanner + "first run\r\n\r\n" + kSecondBanner + "continued run\r\n\r\n");
}

TEST_F(RunLog, RunningTwiceKeepsOnlyTheSecondRun) {
    runWith(true, "first run");
    clock.advance(minutes{10});
    runWith(true, "second run");
    EXPECT_EQ(dir.read("runner.log"), kSecondBanner + "second run\r\n\r\n");
}

TEST_F(RunLog, SecondBeginLogWritesNoBannerAndKeepsTheLines) {
    clsLogFile log(dir.path(), clock);
    log.beginLog(true);
    log.writeString("before");
    clock.advance(minutes{10});
    log.beginLog(true);
    log.writeString("after");
    log.endLog();
    EXPECT_EQ(dir.read("runner.log"), kFirstBanner + "before\r\nafter\r\n");
}

TEST_F(RunLog, WritesWhileClosedAreDropped) {
    clsLogFile log(dir.path(), clock);
    log.writeString("before the run");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "runner.log"));

    log.beginLog(true);
    log.writeString("during the run");
    log.endLog();
    log.writeString("after the run");
    EXPECT_FALSE(log.isOpen());
    EXPECT_EQ(dir.read("runner.log"), kFirstBanner + "during the run\r\n");
}

TEST_F(RunLog, LineBreaksInsideAMessageAreWrittenAsTheyAre) {
    runWith(true, "ERROR: Occured While Accessing GetLayers.\r\n\tGetLayerInfo {Unknown}");
    EXPECT_EQ(dir.read("runner.log"),
              kFirstBanner + "ERROR: Occured While Accessing GetLayers.\r\n\tGetLayerInfo {Unknown}\r\n\r\n");
}

TEST_F(RunLog, DestroyingTheObjectClosesTheFileForTheNextRun) {
    {
        clsLogFile log(dir.path(), clock);
        log.beginLog(true);
        log.writeString("never ended");
    }
    clock.advance(minutes{10});
    runWith(false, "next");
    EXPECT_EQ(dir.read("runner.log"), kFirstBanner + "never ended\r\n" + kSecondBanner + "next\r\n\r\n");
}

TEST_F(RunLog, UnwritableFolderIsAnErrorOfTheCaller) {
    // A plain file where the folder should be: no user, root included, can create files in it.
    std::filesystem::path folder = dir.write("not a folder", "");
    clsLogFile log(folder, clock);
    try {
        log.beginLog(true);
        FAIL() << "beginLog opened a file below a plain file";
    } catch (const LogFileError& error) {
        EXPECT_EQ(error.source(), "beginLog");
        EXPECT_NE(std::string(error.what()).find((folder / "runner.log").string()), std::string::npos)
            << error.what();
    }
    EXPECT_FALSE(log.isOpen());
    log.writeString("dropped");
    log.endLog();
    auto failures = takeFileFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_TRUE(failures[0].opening);
    EXPECT_EQ(failures[0].path, folder / "runner.log");
}

// /dev/full takes the file's opening and fails every write as a full disk does.
TEST_F(RunLog, AFullDiskIsNotedOnceWithThePathAndTheReason) {
    std::filesystem::create_symlink("/dev/full", dir.path() / "runner.log");
    runWith(true, "lost");
    auto failures = takeFileFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].path, dir.path() / "runner.log");
    EXPECT_EQ(failures[0].reason, "No space left on device");
    EXPECT_FALSE(failures[0].opening);
}
