#include "log/LogFolderLock.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace lumora {
namespace {

// Two runs sharing a log folder wrote one runner.log at once (NUL bytes, each other's lines,
// neither warned): while one run holds the folder another cannot take it, learns who holds it,
// and takes it when the first lets go. (flock treats two opens in one process as two holders.)
TEST(LogFolderLock, ASecondRunIsKeptOutAndToldWhoHoldsTheFolder) {
    const test::TempDir dir;
    auto first = std::make_unique<LogFolderLock>(dir.path());
    ASSERT_TRUE(first->tryTake("lumora-cli (process 1) since 2026-05-01 10:00:00"));
    LogFolderLock second(dir.path());
    EXPECT_FALSE(second.tryTake("lumora (process 2)"));
    EXPECT_EQ(second.holder(), "lumora-cli (process 1) since 2026-05-01 10:00:00");
    first.reset();
    second.take("lumora (process 2)");
    EXPECT_EQ(second.holder(), "lumora (process 2)");
}

// A folder that cannot be written has nothing to lock: the run goes on to say that it cannot open
// its logs, rather than waiting or failing here with another message.
TEST(LogFolderLock, AFolderThatCannotBeWrittenLocksNothing) {
    const test::TempDir dir;
    LogFolderLock lock(dir.path() / "missing");
    EXPECT_TRUE(lock.tryTake("lumora-cli"));
    EXPECT_EQ(lock.holder(), "another run");
}

} // namespace
} // namespace lumora
