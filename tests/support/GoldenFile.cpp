#include "tests/support/GoldenFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string_view>
#include <vector>

namespace lumora::test {

namespace {

constexpr std::string_view kUpdateHint = "run the test with LUMORA_UPDATE_GOLDEN=1";

struct Line {
    std::string_view text;
    bool ended = true; // followed by a newline
    bool operator==(const Line&) const = default;
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            lines.push_back({text, false});
            break;
        }
        lines.push_back({text.substr(0, end), true});
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::string show(const std::vector<Line>& lines, std::size_t index) {
    if (index >= lines.size()) {
        return "<end of text>";
    }
    std::string shown = "\"" + std::string(lines[index].text) + "\"";
    return lines[index].ended ? shown : shown + " (no newline at end)";
}

std::optional<std::string> readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

GoldenOutcome writeGolden(const std::filesystem::path& file, const std::string& actual) {
    std::error_code ignored; // a folder that cannot be made shows as a file that cannot be written
    std::filesystem::create_directories(file.parent_path(), ignored);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << actual;
    out.close();
    if (!out) {
        return {false, "could not write golden file " + file.string()};
    }
    return {true, "wrote golden file " + file.string()};
}

GoldenOutcome compareWithGolden(const std::filesystem::path& file, const std::string& actual) {
    std::error_code ignored; // an unreadable file is reported below
    if (!std::filesystem::exists(file, ignored)) {
        return {false, "golden file " + file.string() + " is missing; " + std::string(kUpdateHint) +
                           " to create it from the actual text:\n" + actual};
    }
    std::optional<std::string> expected = readFile(file);
    if (!expected) {
        return {false, "could not read golden file " + file.string()};
    }
    std::optional<std::string> difference = firstDifference(*expected, actual);
    if (!difference) {
        return {true};
    }
    return {false, "text differs from golden file " + file.string() + " at " + *difference +
                       "\n--- expected ---\n" + *expected + "\n--- actual ---\n" + actual +
                       "\n(if the new text is right, " + std::string(kUpdateHint) + ")"};
}

} // namespace

GoldenMode goldenModeFromEnvironment() {
    const char* update = std::getenv("LUMORA_UPDATE_GOLDEN");
    return update != nullptr && std::string_view(update) == "1" ? GoldenMode::Update : GoldenMode::Compare;
}

std::optional<std::string> firstDifference(const std::string& expected, const std::string& actual) {
    std::vector<Line> want = splitLines(expected);
    std::vector<Line> got = splitLines(actual);
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        if (i >= want.size() || i >= got.size() || want[i] != got[i]) {
            return "line " + std::to_string(i + 1) + "\n  expected: " + show(want, i) +
                   "\n  actual:   " + show(got, i);
        }
    }
    return std::nullopt;
}

GoldenOutcome checkGolden(const std::filesystem::path& file, const std::string& actual, GoldenMode mode) {
    return mode == GoldenMode::Update ? writeGolden(file, actual) : compareWithGolden(file, actual);
}

void expectGolden(const std::string& actual, const std::string& name, const std::filesystem::path& folder,
                  const char* sourceFile, int sourceLine) {
    GoldenOutcome outcome = checkGolden(folder / (name + ".trace"), actual, goldenModeFromEnvironment());
    if (!outcome.passed) {
        ADD_FAILURE_AT(sourceFile, sourceLine) << outcome.message;
    } else if (!outcome.message.empty()) {
        std::cout << "[ GOLDEN   ] " << outcome.message << "\n";
    }
}

} // namespace lumora::test
