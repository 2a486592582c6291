#include "engine/io/DesignFormats.h"
#include "engine/io/OpenDesign.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace lumora::engine {
namespace {

std::string_view formatName(std::string_view file, std::string_view start) {
    return formatOf(file, start).name;
}

// Catches a file read by its name when its content says otherwise, or a name's case that hides
// its format.
TEST(DesignFormats, TheStartDecidesBeforeTheName) {
    EXPECT_EQ(formatName("board.json", "\n (kicad_pcb (version 20221018)"), "KiCad board");
    EXPECT_EQ(formatName("design.kicad_pcb", "  {\"format\": \"korven-design\""), "KORVEN design");
    EXPECT_EQ(formatName("BOARD.KICAD_PCB", "garbage"), "KiCad board");
    EXPECT_EQ(formatName("board.json", "<?xml version=\"1.0\"?>\n<IPC-2581 revision=\"C\">"), "IPC-2581");
    EXPECT_EQ(formatName("board.CVG", "garbage"), "IPC-2581");
    EXPECT_EQ(formatName("design", ""), "KORVEN design");
}

// Catches a design dialog that offers fewer files than KORVEN reads.
TEST(DesignFormats, TheDialogOffersEveryFormatTogetherAndEachAlone) {
    EXPECT_EQ(designDialogFilter(),
              "Designs (*.json *.kicad_pcb *.xml *.cvg);;KORVEN designs (*.json);;KiCad "
              "boards (*.kicad_pcb);;IPC-2581 files (*.xml *.cvg)");
    EXPECT_EQ(designFormatList(),
              "KORVEN design (*.json), KiCad board (*.kicad_pcb), IPC-2581 (*.xml, *.cvg)");
}

// Catches an output allowed over the roles file an IPC-2581 import read (only a KiCad board's was
// known), or a design that cannot be read failing before the run says why.
TEST(DesignFormats, TheRolesFileIsACompanionOfEveryImportThatReadsIt) {
    const test::TempDir dir;
    const std::filesystem::path ipc = dir.write("board.json", "<?xml version=\"1.0\"?>\n<IPC-2581>");
    EXPECT_EQ(companionFiles(ipc), std::vector{dir.path() / "board.roles.json"});
    EXPECT_EQ(companionFiles(dir.path() / "missing.kicad_pcb"),
              std::vector{dir.path() / "missing.roles.json"});
    EXPECT_TRUE(companionFiles(dir.write("design.json", "{}")).empty());
}

} // namespace
} // namespace lumora::engine
