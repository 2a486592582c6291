// A design's run in a child process: its output lands in its files, its exit status comes back,
// and a crash is told as the signal that ended it instead of ending the caller.

#include "cli/DesignProcess.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <iostream>

namespace lumora::test {
namespace {

// Catches a child whose output goes to the caller's terminal, or whose exit status is lost.
TEST(DesignProcess, OutputGoesToItsFilesAndTheExitStatusComesBack) {
    const TempDir dir;
    std::cout << "the caller's line, written before the child starts\n";
    const cli::ProcessEnd end = cli::runInChildProcess(
        [] {
            std::cout << "result table\n";
            std::cerr << "a message\n";
            return 3;
        },
        dir.path() / "output.txt", dir.path() / "messages.txt");
    EXPECT_EQ(end.exitStatus, 3);
    EXPECT_EQ(end.signal, 0);
    EXPECT_EQ(dir.read("output.txt"), "result table\n");
    EXPECT_EQ(dir.read("messages.txt"), "a message\n");
}

// Catches a crash of one design that ends the whole slice, or is taken for an exit status.
TEST(DesignProcess, ACrashIsToldByItsSignal) {
    const TempDir dir;
    const cli::ProcessEnd end = cli::runInChildProcess(
        []() -> int { std::abort(); }, dir.path() / "output.txt", dir.path() / "messages.txt");
    EXPECT_EQ(end.signal, SIGABRT);
}

// Catches a folder that cannot take the output taken for a design that ran.
TEST(DesignProcess, AnUnwritableOutputIsAFailureOfTheRun) {
    const TempDir dir;
    const cli::ProcessEnd end = cli::runInChildProcess(
        [] { return 0; }, dir.path() / "missing" / "output.txt", dir.path() / "messages.txt");
    EXPECT_EQ(end.exitStatus, 6);
}

} // namespace
} // namespace lumora::test
