// Designs the reader must refuse, each with its positioned message: refused-designs/NAME.json is
// read and must fail with the text of NAME.expected.

#include "engine/io/DesignFile.h"
#include "engine/io/FileText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace lumora::engine {
namespace {

TEST(RefusedDesigns, EachFailsWithItsPositionedMessage) {
    const std::filesystem::path folder =
        std::filesystem::path(LUMORA_SOURCE_DIR) / "tests/engine/refused-designs";
    int cases = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".json") {
            continue;
        }
        ++cases;
        std::string expected =
            readFileText(std::filesystem::path(entry.path()).replace_extension(".expected"));
        expected.erase(expected.find_last_not_of('\n') + 1);
        try {
            (void)parseDesign(readFileText(entry.path()));
            ADD_FAILURE() << entry.path().filename() << " was read";
        } catch (const DesignFormatError& error) {
            EXPECT_EQ(error.what(), expected) << entry.path().filename();
        }
    }
    EXPECT_GE(cases, 5);
}

} // namespace
} // namespace lumora::engine
