#include "cli/CliOptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

namespace lumora::cli {
namespace {

// Catches a --help that names fewer design formats than KORVEN opens, or other extensions.
TEST(Help, NamesEveryDesignFormatWithItsExtensions) {
    const std::array<const char*, 2> arguments{"lumora-cli", "--help"};
    ::testing::internal::CaptureStdout();
    const std::variant<CliOptions, int> parsed = parseCommandLine(arguments.size(), arguments.data());
    const std::string help = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::get<int>(parsed), 0);
    EXPECT_THAT(help,
                ::testing::HasSubstr("Design file that KORVEN opens: KORVEN design (*.json), KiCad board "
                                     "(*.kicad_pcb), IPC-2581 (*.xml, *.cvg)"));
}

} // namespace
} // namespace lumora::cli
