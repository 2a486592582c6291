#pragma once

#include "script/TextDictionary.h"

#include <string>
#include <string_view>

namespace lumora {

// Below the web-help server's address, where the runner's help pages lie.
inline constexpr std::string_view kHelpPath = "GettingResults/Lumora/";

// The test catalogue: each test that has a help page, by its exact name, with the page's path
// below the help base address.
class TestHelp {
  public:
    // Fills dictTestHelp with the catalogue's 41 entries, in catalogue order.
    void loadTestCatalogue();
    // The page of a test; a name without an entry yields the empty path and is added without one.
    std::string pagePath(const std::string& testName);
    // The server's address, kHelpPath and the page: the base address itself for a test without a page.
    std::string address(std::string_view server, const std::string& testName);

    TextDictionary dictTestHelp;
};

} // namespace lumora
