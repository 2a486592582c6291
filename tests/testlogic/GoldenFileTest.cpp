#include "tests/support/GoldenFile.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace lumora::test;

TEST(GoldenFileDifference, NamesTheFirstDifferingLineWithItsNumberAndBothVersions) {
    EXPECT_EQ(firstDifference("a\nb\nc\n", "a\nB\nc\n"), "line 2\n  expected: \"b\"\n  actual:   \"B\"");
    EXPECT_EQ(firstDifference("a\nb\n", "a\nb\nc\n"), "line 3\n  expected: <end of text>\n  actual:   \"c\"");
    EXPECT_EQ(firstDifference("a\nb\n", "a\n"), "line 2\n  expected: \"b\"\n  actual:   <end of text>");
}

TEST(GoldenFileDifference, AMissingFinalNewlineIsADifferenceOfTheLastLine) {
    EXPECT_EQ(firstDifference("a\nb\n", "a\nb"),
              "line 2\n  expected: \"b\"\n  actual:   \"b\" (no newline at end)");
    EXPECT_EQ(firstDifference("", "\n"), "line 1\n  expected: <end of text>\n  actual:   \"\"");
}

TEST(GoldenFileCheck, ComparesByteForByteAndShowsBothTextsOnADifference) {
    TempDir dir;
    std::filesystem::path file = dir.write("calls.trace", "A() -> 0\nB() -> 0\n");

    EXPECT_TRUE(checkGolden(file, "A() -> 0\nB() -> 0\n", GoldenMode::Compare).passed);

    GoldenOutcome outcome = checkGolden(file, "A() -> 0\nB() -> 1\n", GoldenMode::Compare);
    EXPECT_FALSE(outcome.passed);
    EXPECT_TRUE(
        outcome.message.starts_with("text differs from golden file " + file.string() +
                                    " at line 2\n  expected: \"B() -> 0\"\n  actual:   \"B() -> 1\"\n"))
        << outcome.message;
    EXPECT_NE(outcome.message.find("--- expected ---\nA() -> 0\nB() -> 0\n"), std::string::npos);
    EXPECT_NE(outcome.message.find("--- actual ---\nA() -> 0\nB() -> 1\n"), std::string::npos);
    EXPECT_NE(outcome.message.find("LUMORA_UPDATE_GOLDEN=1"), std::string::npos);
}

TEST(GoldenFileCheck, AMissingFileFailsWithHowToCreateItAndWritesNothing) {
    TempDir dir;
    std::filesystem::path file = dir.path() / "family" / "case.trace";

    GoldenOutcome outcome = checkGolden(file, "A() -> 0\n", GoldenMode::Compare);

    EXPECT_FALSE(outcome.passed);
    EXPECT_TRUE(outcome.message.starts_with("golden file " + file.string() +
                                            " is missing; run the test with LUMORA_UPDATE_GOLDEN=1"))
        << outcome.message;
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(GoldenFileCheck, UpdateWritesTheExactTextIntoNewFoldersAndPassesWithANote) {
    TempDir dir;
    std::filesystem::path file = dir.path() / "family" / "case.trace";

    GoldenOutcome created = checkGolden(file, "A() -> 0\nB() -> 0", GoldenMode::Update);
    EXPECT_TRUE(created.passed);
    EXPECT_EQ(created.message, "wrote golden file " + file.string());
    EXPECT_EQ(dir.read("family/case.trace"), "A() -> 0\nB() -> 0");

    EXPECT_TRUE(checkGolden(file, "C() -> 0\n", GoldenMode::Update).passed);
    EXPECT_EQ(dir.read("family/case.trace"), "C() -> 0\n");
    EXPECT_TRUE(checkGolden(file, "C() -> 0\n", GoldenMode::Compare).passed);
}
