// The manifest: both formats, what they refuse with the place named, the folder each design gets,
// and the slices that share it out.

#include "manifest/DesignManifest.h"
#include "manifest/DesignFolders.h"
#include "manifest/Slice.h"
#include "tests/support/TempDir.h"

#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

namespace lumora::test {
namespace {

using manifest::ManifestEntry;
using manifest::ManifestError;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::string> foldersOf(const std::vector<ManifestEntry>& entries) {
    std::vector<std::string> folders;
    for (const ManifestEntry& entry : entries) {
        folders.push_back(entry.folder);
    }
    return folders;
}

std::string refusalOf(const std::function<void()>& read) {
    try {
        read();
        return "";
    } catch (const ManifestError& error) {
        return error.what();
    }
}

std::string textRefusal(std::string_view text) {
    return refusalOf([&] { manifest::parseTextManifest(text, "/m"); });
}

std::string jsonRefusal(std::string_view text) {
    return refusalOf([&] { manifest::parseJsonManifest(text, "/m"); });
}

// Catches comments, blank lines, CR LF ends or a byte-order mark read as designs, relative paths
// taken from the working folder instead of the manifest's, and scripts after a tab lost.
TEST(DesignManifest, TextListsADesignALineWithScriptsAfterTabs) {
    const auto entries =
        manifest::parseTextManifest("\xEF\xBB\xBF# orders of week 12\r\n\r\nboards/a.json\r\n  /abs/b "
                                    "b.kicad_pcb\tsmt.dfm\t/s/all.dfm \n",
                                    "/m");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].design, "/m/boards/a.json");
    EXPECT_TRUE(entries[0].scripts.empty());
    EXPECT_EQ(entries[1].design, "/abs/b b.kicad_pcb");
    EXPECT_THAT(entries[1].scripts, ElementsAre("/m/smt.dfm", "/s/all.dfm"));
}

// Catches a JSON entry's scripts or name dropped, and a plain text entry refused.
TEST(DesignManifest, JsonListsPathsOrObjects) {
    const auto entries = manifest::parseJsonManifest(
        R"({"designs": ["a.json", {"design": "/x/b.json", "scripts": ["s.dfm"], "name": "order-17"}]})",
        "/m");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].design, "/m/a.json");
    EXPECT_EQ(entries[1].design, "/x/b.json");
    EXPECT_THAT(entries[1].scripts, ElementsAre("/m/s.dfm"));
    EXPECT_THAT(foldersOf(entries), ElementsAre("a", "order-17"));
}

// Catches a broken manifest run as far as it reads (designs silently left out) or refused without
// the place of the fault.
TEST(DesignManifest, RefusesWhatItCannotTakeNamingWhere) {
    EXPECT_EQ(textRefusal("# nothing\n\n"), "lists no design");
    EXPECT_EQ(textRefusal("a.json\nb.json\na.json\n"),
              "line 3: lists the design and scripts of line 1 again");
    EXPECT_EQ(textRefusal("a.json\tx.dfm\na.json\ty.dfm\n"), "");
    EXPECT_EQ(textRefusal(std::string_view("a\0b.json\n", 9)), "line 1: holds a NUL byte, which no path can");
    EXPECT_THAT(jsonRefusal(R"({"designs": [)"), HasSubstr("not JSON: "));
    // A number beyond a double escaped as nlohmann's out_of_range and ended the program (fuzz_manifest).
    EXPECT_THAT(jsonRefusal(R"({"designs": [888888888e001169852574605]})"), HasSubstr("not JSON: "));
    // 100,000 nested lists overflowed the stack in the parse.
    EXPECT_EQ(jsonRefusal(std::string(100000, '[')),
              "nested deeper than 256 levels at byte 257 (line 1, column 257)");
    EXPECT_EQ(jsonRefusal(R"(["a.json"])"), "expected an object with a \"designs\" list");
    EXPECT_EQ(jsonRefusal(R"({"designs": ["a.json", 3]})"),
              "/designs/1: expected a path or name as a text that is not empty");
    EXPECT_EQ(jsonRefusal(R"({"designs": [{"scripts": []}]})"), "/designs/0: names no \"design\"");
    EXPECT_EQ(jsonRefusal(R"({"designs": [{"design": "a", "script": "s.dfm"}]})"),
              "/designs/0/script: expected \"design\", \"scripts\" (a list) or \"name\"");
    EXPECT_THAT(jsonRefusal(R"({"designs": [{"design": "a", "name": "../../etc"}]})"),
                HasSubstr("/designs/0/name: \"../../etc\" cannot name a folder"));
    EXPECT_EQ(jsonRefusal(R"({"designs": [{"design": "a", "name": "X"}, {"design": "b", "name": "x"}]})"),
              "the name \"x\" is given to two designs");
}

// Catches a refusal of the file that does not say which file.
TEST(DesignManifest, AFileIsReadByItsExtensionAndNamedInItsFaults) {
    const TempDir dir;
    const auto entries = manifest::readManifest(dir.write("list.json", R"({"designs": ["a.json"]})"));
    EXPECT_EQ(entries.at(0).design, dir.path() / "a.json");
    const std::filesystem::path text = dir.write("list.txt", "{\"designs\": [\"a.json\"]}\n");
    EXPECT_EQ(manifest::readManifest(text).at(0).folder, "__designs_____a");
    EXPECT_EQ(refusalOf([&] { manifest::readManifest(dir.write("empty.txt", "")); }),
              "the manifest \"" + (dir.path() / "empty.txt").string() + "\", lists no design");
    EXPECT_THAT(refusalOf([&] { manifest::readManifest(dir.path() / "none.txt"); }),
                HasSubstr("cannot be read"));
    // A FIFO as the manifest blocked the task forever: it is refused before anything is read.
    const std::filesystem::path fifo = dir.path() / "fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THAT(refusalOf([&] { manifest::readManifest(fifo); }), HasSubstr("cannot be read"));
}

// Catches two designs of one file name in different folders writing into one folder, a name that
// climbs out of the output folder or hides in it, and a design folder called like a merged file.
TEST(DesignFolders, EveryDesignGetsAUniqueSafeFolder) {
    std::vector<ManifestEntry> entries{
        {"/a/board.json", {}, {}},           {"/b/board.json", {}, {}},     {"/c/Board.kicad_pcb", {}, {}},
        {"/d/board-2.json", {}, {}},         {"/e/../..", {}, {}},          {"/f/.hidden.json", {}, {}},
        {"/g/sonde x\xC3\xA9.json", {}, {}}, {"/h/summary.json.x", {}, {}}, {"/i/y.json", {}, "board"}};
    manifest::nameFolders(entries);
    EXPECT_THAT(foldersOf(entries), ElementsAre("board-2", "board-3", "Board-4", "board-2-2", "_.", "_hidden",
                                                "sonde_x__", "summary.json-2", "board"));
    for (const std::string& folder : foldersOf(entries)) {
        EXPECT_TRUE(manifest::isSafeFolderName(folder)) << folder;
    }
    EXPECT_FALSE(manifest::isSafeFolderName(".."));
    EXPECT_FALSE(manifest::isSafeFolderName("a/b"));
    EXPECT_FALSE(manifest::isSafeFolderName("JUnit.xml"));
    EXPECT_FALSE(manifest::isSafeFolderName(std::string(101, 'a')));
}

// Catches slices that leave a design out or run one twice, for any count of tasks, and slice
// texts that would run nothing or everything.
TEST(Slice, TheSlicesHoldEveryDesignOnce) {
    for (std::size_t count = 1; count <= 7; ++count) {
        for (std::size_t designs : {0u, 1u, 6u, 7u, 41u}) {
            std::vector<int> seen(designs, 0);
            for (std::size_t number = 1; number <= count; ++number) {
                const auto slice = manifest::parseSlice(std::to_string(number) + "/" + std::to_string(count));
                ASSERT_TRUE(slice);
                for (std::size_t position = 0; position < designs; ++position) {
                    seen[position] += slice->holds(position) ? 1 : 0;
                }
            }
            EXPECT_EQ(std::set<int>(seen.begin(), seen.end()),
                      designs == 0 ? std::set<int>{} : std::set<int>{1})
                << count << " slices of " << designs;
        }
    }
    for (const char* wrong : {"0/4", "5/4", "1/0", "1", "a/4", "1/4x", "-1/4", "/4", "1/", ""}) {
        EXPECT_FALSE(manifest::parseSlice(wrong)) << wrong;
    }
}

} // namespace
} // namespace lumora::test
