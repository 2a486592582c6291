#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace lumora::test {

// A golden file is either compared with the text under test or (re)written from it.
enum class GoldenMode { Compare, Update };

// Update when the environment says LUMORA_UPDATE_GOLDEN=1, Compare otherwise.
GoldenMode goldenModeFromEnvironment();

// The first line at which the texts differ, numbered from 1, with both versions of it; none when
// the texts are equal byte for byte. A missing final newline counts as a difference of that line.
std::optional<std::string> firstDifference(const std::string& expected, const std::string& actual);

struct GoldenOutcome {
    bool passed = false;
    std::string message{}; // why it failed, or a note on a file written
};

// Compares actual with the file, or writes the file in Update mode.
GoldenOutcome checkGolden(const std::filesystem::path& file, const std::string& actual, GoldenMode mode);

// Checks actual against <folder>/<name>.trace and reports a failure at the caller's line.
void expectGolden(const std::string& actual, const std::string& name, const std::filesystem::path& folder,
                  const char* sourceFile, int sourceLine);

} // namespace lumora::test

// The suite names its folder of golden files with the compile definition LUMORA_GOLDEN_DIR.
#define EXPECT_GOLDEN(actual, name)                                                                          \
    ::lumora::test::expectGolden((actual), (name), LUMORA_GOLDEN_DIR, __FILE__, __LINE__)
