// The test catalogue's help pages: every entry found by its exact name, nothing else.

#include "app/TestHelp.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace lumora::test {
namespace {

constexpr std::string_view kServer = "https://help.example/";
const std::string kBase = std::string(kServer) + "GettingResults/Lumora/";

std::vector<std::pair<std::string, std::string>> expectedPages() {
    std::ifstream in(LUMORA_SOURCE_DIR "/tests/app/web-help-pages.tsv");
    std::vector<std::pair<std::string, std::string>> pages;
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with('#')) {
            const auto tab = line.find('\t');
            pages.emplace_back(line.substr(0, tab), line.substr(tab + 1));
        }
    }
    return pages;
}

TEST(TestHelpTest, EveryCatalogueEntryOpensItsPageInCatalogueOrder) {
    TestHelp help;
    help.loadTestCatalogue();
    const auto expected = expectedPages();
    ASSERT_EQ(expected.size(), 41u);
    std::vector<std::pair<std::string, std::string>> entries(help.dictTestHelp.begin(),
                                                             help.dictTestHelp.end());
    EXPECT_EQ(entries, expected);
    for (const auto& [test, page] : expected) {
        EXPECT_EQ(help.address(kServer, test), kBase + page) << test;
    }
}

TEST(TestHelpTest, NamesWithoutAnEntryOpenTheBaseAddress) {
    TestHelp help;
    help.loadTestCatalogue();
    for (const char* name :
         {"etch width", "Panel Fiducials In Corners", "Real Part To Real Part", "Test Name", ""}) {
        EXPECT_EQ(help.address(kServer, name), kBase) << name;
    }
    EXPECT_EQ(help.dictTestHelp.count(), 46u); // the lookups added their names without pages
    EXPECT_EQ(help.pagePath("Etch Width"), "board/etch_width.htm");
}

} // namespace
} // namespace lumora::test
