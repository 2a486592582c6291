// The waivers file: what it refuses, with the file and the fault named; what a round trip keeps;
// which waivers go stale; what a baseline holds.

#include "record/Waivers.h"
#include "tests/support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

namespace lumora::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// What loadWaivers says of a file with this content ("" when it reads it).
std::string refusalOf(const TempDir& dir, const std::string& content) {
    const std::filesystem::path file = dir.write("board.waivers.json", content);
    try {
        loadWaivers(file);
        return "";
    } catch (const WaiverFileError& error) {
        return error.what();
    }
}

// A test with a marker about each of these components.
TestRecord testAbout(std::initializer_list<std::string> components) {
    TestRecord test;
    test.name = "T";
    for (const std::string& component : components) {
        engine::DrcMarker marker{.check = "C", .measure = "distance", .items = {{.component = component}}};
        test.markers.push_back({std::make_shared<const engine::DrcMarker>(std::move(marker)), "b.cc"});
    }
    return test;
}

// The key of testAbout's marker about the component.
std::string keyAbout(const std::string& component) {
    return "T / b.cc / C / distance / " + component;
}

// Catches a broken waivers file read as if it held fewer waivers (violations silently unwaived),
// or refused without saying which file and what is wrong with it.
TEST(Waivers, RefusesABrokenFileNamingItAndTheFault) {
    const TempDir dir;
    const std::string file =
        "the waivers file \"" + (dir.path() / "board.waivers.json").string() + "\" cannot be read: ";
    EXPECT_THAT(refusalOf(dir, R"({"waivers": [{"key": "A"},)"),
                HasSubstr(file + "[json.exception.parse_error"));
    EXPECT_EQ(refusalOf(dir, R"([{"key": "A"}])"), file + "expected an object with a \"waivers\" list");
    EXPECT_EQ(refusalOf(dir, R"({"waivers": {"key": "A"}})"),
              file + "expected an object with a \"waivers\" list");
    EXPECT_EQ(refusalOf(dir, R"({"waivers": [{"key": "A", "reason": 3}]})"),
              file + "\"reason\" of waiver 1 is not a text");
    EXPECT_EQ(refusalOf(dir, R"({"waivers": []})"), "");
    EXPECT_THROW(loadWaivers(dir.path() / "missing.json"), WaiverFileError);
}

// Catches 100,000 nested objects overflowing the stack (nlohmann copies members recursively).
TEST(Waivers, RefusesNestingDeeperThanAnyWaiverNeedsWhereItStarts) {
    const TempDir dir;
    std::string deep;
    for (int level = 0; level < 100000; ++level) {
        deep += R"({"a": )";
    }
    deep += "1" + std::string(100000, '}');
    EXPECT_EQ(refusalOf(dir, deep), "the waivers file \"" + (dir.path() / "board.waivers.json").string() +
                                        "\" cannot be read: nested deeper than 256 levels at byte 1537 (line "
                                        "1, column 1537)");
}

// Catches a waiver without a key taken as a waiver of nothing, or of everything.
TEST(Waivers, RefusesAWaiverWithoutAKeyText) {
    const TempDir dir;
    EXPECT_THAT(refusalOf(dir, R"({"waivers": [{"key": "A"}, {"reason": "no key"}]})"),
                HasSubstr("cannot be read: waiver 2 has no \"key\" text"));
    EXPECT_THAT(refusalOf(dir, R"({"waivers": [{"key": 7}]})"), HasSubstr("waiver 1 has no \"key\" text"));
    EXPECT_THAT(refusalOf(dir, R"({"waivers": ["A"]})"), HasSubstr("waiver 1 has no \"key\" text"));
}

// Catches a key given twice, whose reasons would disagree on why one violation is accepted.
TEST(Waivers, RefusesAKeyGivenTwice) {
    const TempDir dir;
    EXPECT_THAT(
        refusalOf(dir, R"({"waivers": [{"key": "A"}, {"key": "B"}, {"key": "A", "reason": "again"}]})"),
        HasSubstr("cannot be read: waiver 3 repeats the key of waiver 1: \"A\""));
}

// Catches a field lost, renamed or mangled between writing a waivers file and reading it back.
TEST(Waivers, KeepEveryFieldThroughTheirFile) {
    const TempDir dir;
    const std::vector<Waiver> written{{"T / b.cc / C / \"U1\"-1 Ω", "probe, 45 mil", "jdoe", "2026-12-06"},
                                      {"T / b.cc / C / R2", "", "", ""}};
    saveWaivers(dir.path() / "w.json", written);
    const std::vector<Waiver> read = loadWaivers(dir.path() / "w.json");
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(std::tie(read[i].key, read[i].reason, read[i].author, read[i].date),
                  std::tie(written[i].key, written[i].reason, written[i].author, written[i].date));
    }
}

// Catches a waiver applied to a marker it does not name, or called stale although it matched.
TEST(Waivers, WaiveTheMarkersTheyNameAndReportTheRestStale) {
    std::vector<TestRecord> tests{testAbout({"a", "b"}), testAbout({"a"})};
    const std::vector<Waiver> stale =
        applyWaivers({{keyAbout("a"), "", "", ""}, {"gone", "", "", ""}}, tests);
    EXPECT_TRUE(tests[0].markers[0].waived);
    EXPECT_FALSE(tests[0].markers[1].waived);
    EXPECT_TRUE(tests[1].markers[0].waived);
    ASSERT_EQ(stale.size(), 1u);
    EXPECT_EQ(stale[0].key, "gone");
}

// Catches a baseline that waives again what is waived, or writes one key twice (two scripts of a
// batch running the same test on the same board), which its own next read would refuse.
TEST(Waivers, BaselineOnceEveryKeyNotWaivedYet) {
    std::vector<TestRecord> tests{testAbout({"a", "b"}), testAbout({"b", "c"})};
    tests[0].markers[0].waived = true;
    std::vector<std::string> keys;
    for (const Waiver& waiver : baselineWaivers(tests, "jdoe", "2026-12-06")) {
        EXPECT_EQ(std::tie(waiver.reason, waiver.author, waiver.date),
                  std::make_tuple("", "jdoe", "2026-12-06"));
        keys.push_back(waiver.key);
    }
    EXPECT_THAT(keys, ElementsAre(keyAbout("b"), keyAbout("c")));
}

} // namespace
} // namespace lumora::test
