// The full example script on the example designs, through the command line's own path: every test
// finds the faults seeded into the designs (examples/designs/SEEDED.md) and nothing else, per board
// and per panel, under a "." and a "," locale.

#include "cli/CliRun.h"
#include "engine/io/DesignFile.h"
#include "script/LocaleService.h"
#include "tests/support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <regex>
#include <set>
#include <sstream>
#include <utility>

namespace lumora::cli::test {
namespace {

using ::testing::ElementsAreArray;

const std::filesystem::path kSource = LUMORA_SOURCE_DIR;
const std::filesystem::path kScript = kSource / "examples" / "scripts" / "all-tests.dfm";
const std::filesystem::path kPanelDesign = kSource / "examples" / "designs" / "panel-two-up.json";
const std::filesystem::path kBoardDesign = kSource / "examples" / "designs" / "single-board.json";
constexpr std::string_view kBoardFile = "ctrl_board.cc";
constexpr std::string_view kPanelFile = "panel_2up.cc";

// Where a test runs: on the panels, on every board (a hidden one too), or on the visible boards and
// then the visible panels, as the orientation tests do.
enum class Runs { Panels, Boards, Visible };

struct Counts {
    long marginal = 0;
    long critical = 0;
};

// One row of SEEDED.md.
struct Seeded {
    std::string_view heading; // the test's heading in the run log
    Runs runs;
    Counts board; // on ctrl_board.cc
    Counts panel; // on panel_2up.cc
    // The items its markers name on the board (on the panel for panel tests), "; " between them.
    std::string_view items;
};

using enum Runs;

constexpr std::array kSeeded{
    Seeded{"Panel Dimensions", Panels, {}, {0, 1}, ""},
    Seeded{"Panel Length To Width Ratio", Panels, {}, {0, 1}, ""},
    Seeded{"Panel Tooling Holes In Corners", Panels, {}, {0, 3}, ""},
    Seeded{"Fiducial Clearance To Panel Edge", Panels, {}, {0, 1}, "PFID4"},
    Seeded{"Panel Fiducials In Corners ", Panels, {}, {0, 4}, ""},
    Seeded{"All Components Clearance To Panel Edges", Panels, {}, {0, 2}, "B1/J4; B2/J4"},
    Seeded{"Gold Fingers Flush With Panel Edge", Panels, {}, {0, 2}, "B1/P1; B2/P1"},
    Seeded{"Panel Fiducial Keepout",
           Panels,
           {},
           {2, 2},
           "B1/FID2; B1/FID3; B1/LOGO1; B2/FID2; B2/FID3; B2/LOGO1"},
    Seeded{"Panel Tooling Hole Keepout",
           Panels,
           {},
           {4, 2},
           "B1/ VCC; B1/J4; B1/T1; B1/T2; B2/ VCC; B2/J4; B2/T1; B2/T2"},
    Seeded{"Component Package To Component Package - R0603 To R0603", Boards, {1, 1}, {}, "R1; R2; R3"},
    Seeded{"Real Part To Real Part - SOIC8 To SOD323", Boards, {1, 1}, {}, "D1; D2; U1"},
    Seeded{"Placement Machine Tooling Keepout", Boards, {0, 1}, {}, "C1; U2"},
    Seeded{"Thru-hole Components Pad Shape", Boards, {0, 4}, {}, "J2-4 VCC; J3-2 VIN"},
    Seeded{"Thru-hole Components Annular Ring", Boards, {0, 2}, {}, "J3-2 VIN"},
    Seeded{"Routes Between SMT Pads", Boards, {0, 1}, {}, "GND; U2"},
    Seeded{"Etch Width", Boards, {1, 1}, {}, "SCL; SDA"},
    Seeded{"Soldermask Clearance for SMT Components", Boards, {0, 1}, {}, "U2-1 SDA"},
    Seeded{"Board Fiducials in Four Corners", Boards, {0, 4}, {}, ""},
    Seeded{"Thickness to Drill Diameter Maximum Aspect Ratio", Boards, {0, 1}, {}, "GND"},
    Seeded{"Keepout Around Thru Hole Pin on Non-Mount Side", Boards, {0, 1}, {}, "J1-8 VCC; R5"},
    Seeded{"Board Fiducial Keepout", Boards, {1, 1}, {}, "FID2; FID3; LOGO1"},
    Seeded{"Board Tooling Hole Keepout", Boards, {2, 1}, {}, "J4; T1; T2; VCC"},
    Seeded{"Custom Keepouts", Boards, {1, 1}, {}, "GND; J2"},
    Seeded{"Component Heights", Boards, {1, 1}, {}, "J2; J3"},
    Seeded{"Distance Between Copper on Electrical Stackup Layers",
           Boards,
           {2, 2},
           {},
           "GND; SCL; U2-4; U2-5; VCC"},
    Seeded{"Components Not Allowed Per Surface", Boards, {0, 1}, {}, "U3"},
    Seeded{"Testpad Density",
           Boards,
           {1, 1},
           {},
           "TP1 GND; TP2 VCC; TP3 SDA; TP4 SCL; TP6 SDA; TP7 SCL; TP9 GND"},
    Seeded{"Component Over Component", Boards, {0, 1}, {}, "U1; U3"},
    Seeded{"Pin 1 Orientation", Boards, {0, 1}, {}, "R2"},
    Seeded{"Soldermask Webbing", Boards, {1, 2}, {}, "C1-1 VCC; D1-1; D1-2; D2-1; D2-2; U2-17"},
    Seeded{"Thru-hole Pin Thermal Ties to Plane Areas", Boards, {0, 1}, {}, "J2-1 GND"},
    Seeded{"Top Surface Thru-hole Component Orientation", Visible, {0, 1}, {0, 2}, "J3"},
    Seeded{"Bottom Surface SMT Component Orientation", Visible, {0, 1}, {0, 2}, "C2"},
    Seeded{"Fiducial Clearance To Board Outline", Boards, {0, 1}, {}, "FID4"},
    Seeded{"Minimum Component Clearance To Board Outline", Boards, {0, 2}, {}, "J4; P1"},
    Seeded{"Minimum Testpoint Pad Edge Clearance To Board Outline", Boards, {0, 1}, {}, "TP9 GND"},
    Seeded{"Minimum Via Pad Edge Clearance To Board Outline", Boards, {0, 2}, {}, "GND"},
    Seeded{"Minimum Etch Edge Clearance To Board Outline", Boards, {0, 1}, {}, "GND"},
    Seeded{"Goldfinger Flush With Board Outline", Boards, {0, 1}, {}, "P1"},
    Seeded{"Testpoint Pad Size", Boards, {0, 1}, {}, "TP3 SDA"},
    Seeded{"Testpoints Per Net", Boards, {0, 1}, {}, "LED"},
    Seeded{"Top Surface Testpoints Per Net", Boards, {0, 1}, {}, "LED"},
    Seeded{"Bottom Surface Testpoints Per Net", Boards, {0, 1}, {}, "LED"},
    Seeded{"Testpoint Center To Testpoint Center", Boards, {1, 1}, {}, "TP3 SDA; TP4 SCL; TP6 SDA; TP7 SCL"},
    Seeded{"Testpoint Center To Component Body", Boards, {1, 1}, {}, "J2; Q1; TP5 GND; TP8 VIN"},
    Seeded{"Testpoint Edge To Component Pin Edge", Boards, {1, 1}, {}, "J1-1 VIN; J1-3; TP1 GND; TP4 SCL"},
    Seeded{"Testpoint Edge To Feature", Boards, {1, 1}, {}, "MTG1 GND; TP2 VCC; TP6 SDA"},
    Seeded{"Via Pad Size", Boards, {0, 1}, {}, "GND"},
    Seeded{"Via Hole Size", Boards, {0, 1}, {}, "GND"},
    Seeded{"Via Edge To Component Pad Edge", Boards, {1, 1}, {}, "SCL; SDA; U1-1 SDA; U1-8 VCC"},
    Seeded{"Via Edge To Testpoint", Boards, {2, 2}, {}, "GND; VCC; VIN"},
    Seeded{"Via Edge To Via Edge", Boards, {2, 2}, {}, "GND; VCC; VIN"},
    Seeded{"Via Edge To Feature", Boards, {2, 2}, {}, "MTG1 GND; VCC"},
    Seeded{"Via Under Component", Boards, {0, 2}, {}, "GND; Q1; U1; VIN"},
    Seeded{"Via In SMT Pad", Boards, {0, 1}, {}, "GND; U1-4 GND"},
};

// The tests whose markers KORVEN names after its own check rather than after the test.
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kCheckNames{{
    {"Panel Length To Width Ratio", "Length_To_Width_Ratio"},
    {"Component Heights", "ComponentHeight"},
    {"Components Not Allowed Per Surface", "ComponentNotAllowedPerSurface"},
    {"Testpad Density", "TestPadDensityCheck"},
    {"Pin 1 Orientation", "Pin1Orientation"},
    {"Thru-hole Pin Thermal Ties to Plane Areas", "GerberThermalBarrelPlugCheck"},
}};

// What the markers of a test are named, before a " - " or "_" suffix.
std::string_view checkOf(const Seeded& test) {
    const auto* found =
        std::ranges::find_if(kCheckNames, [&](const auto& entry) { return entry.first == test.heading; });
    return found == kCheckNames.end() ? test.heading : found->second;
}

// A result line of the run log with the heading it stands under: "Etch Width | ctrl_board.cc |
// SUCCEDED {Marginal: 1  Critical: 1}".
std::string resultLine(std::string_view heading, std::string_view file, Counts counts) {
    return std::string(heading) + " | " + std::string(file) +
           " | SUCCEDED {Marginal: " + std::to_string(counts.marginal) +
           "  Critical: " + std::to_string(counts.critical) + "}";
}

std::vector<std::string> resultLinesOf(const std::string& log) {
    static const std::regex heading("^Test : (.*)$");
    static const std::regex result("^   Test On (.*) : (.*)$");
    std::vector<std::string> lines;
    std::istringstream in(log);
    std::string line;
    std::string current;
    std::smatch match;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (std::regex_match(line, match, heading)) {
            current = match[1];
        } else if (std::regex_match(line, match, result)) {
            lines.push_back(current + " | " + std::string(match[1]) + " | " + std::string(match[2]));
        }
    }
    return lines;
}

// What the run log of the panel design must say: the panel tests and orientation tests on the
// panel, the board tests on its hidden board.
std::vector<std::string> expectedOnPanelDesign() {
    std::vector<std::string> lines;
    for (const Seeded& test : kSeeded) {
        const bool onPanel = test.runs != Runs::Boards;
        lines.push_back(
            resultLine(test.heading, onPanel ? kPanelFile : kBoardFile, onPanel ? test.panel : test.board));
    }
    return lines;
}

// What the run log of the single board must say: every test but the panel tests on the board.
std::vector<std::string> expectedOnBoardDesign() {
    std::vector<std::string> lines;
    for (const Seeded& test : kSeeded) {
        if (test.runs != Runs::Panels) {
            lines.push_back(resultLine(test.heading, kBoardFile, test.board));
        }
    }
    return lines;
}

std::vector<std::string> onFile(const std::vector<std::string>& lines, std::string_view file) {
    std::vector<std::string> kept;
    const std::string infix = " | " + std::string(file) + " | ";
    std::ranges::copy_if(lines, std::back_inserter(kept),
                         [&](const std::string& line) { return line.find(infix) != std::string::npos; });
    return kept;
}

// A run of the full script on one design, with the run log and the design as saved afterwards.
struct ExampleRun {
    int exitCode;
    std::vector<std::string> results;
    engine::Design saved;
};

ExampleRun runExample(const std::filesystem::path& design) {
    lumora::test::TempDir home;
    CliOptions options;
    options.scripts = {kScript.string()};
    options.design = design.string();
    options.home = home.path().string();
    options.saveDesign = (home.path() / "saved.json").string();
    options.quiet = true;
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = runCli(options, out, err);
    return {exitCode, resultLinesOf(home.read("runner.log")), engine::loadDesign(home.path() / "saved.json")};
}

bool namedBy(const engine::DrcMarker& marker, std::string_view check) {
    const std::string_view name = marker.check;
    return name == check || (name.starts_with(check) && (name.substr(check.size()).starts_with(" - ") ||
                                                         name.substr(check.size()).starts_with("_")));
}

// The items the markers of a check name ("J1-8 VCC", "R5"), "; " between them.
std::string itemsOf(const engine::Design& design, std::string_view check) {
    std::set<std::string> items;
    for (const engine::DrcMarker& marker : design.drcs) {
        if (!namedBy(marker, check)) {
            continue;
        }
        for (const engine::DrcItem& item : marker.items) {
            if (std::string text = engine::itemText(item); !text.empty()) {
                items.insert(std::move(text));
            }
        }
    }
    std::string joined;
    for (const std::string& item : items) {
        joined += (joined.empty() ? "" : "; ") + item;
    }
    return joined;
}

class SeededExamplesTest : public ::testing::Test {
  protected:
    ScopedLocale locale{{".", ""}};
};

TEST_F(SeededExamplesTest, PanelDesignFindsTheSeededFaultsOfThePanelAndOfItsBoard) {
    const ExampleRun run = runExample(kPanelDesign);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(run.results, ElementsAreArray(expectedOnPanelDesign()));
}

TEST_F(SeededExamplesTest, SingleBoardFindsTheSeededFaultsOfTheBoard) {
    const ExampleRun run = runExample(kBoardDesign);
    EXPECT_THAT(onFile(run.results, kBoardFile), ElementsAreArray(expectedOnBoardDesign()));
    EXPECT_EQ(onFile(run.results, kPanelFile), std::vector<std::string>()) << "it has no panel";
}

TEST_F(SeededExamplesTest, MarkersNameTheSeededItems) {
    const ExampleRun board = runExample(kBoardDesign);
    const ExampleRun panel = runExample(kPanelDesign);
    for (const Seeded& test : kSeeded) {
        const engine::Design& design = test.runs == Runs::Panels ? panel.saved : board.saved;
        EXPECT_EQ(itemsOf(design, checkOf(test)), test.items) << test.heading;
    }
}

TEST_F(SeededExamplesTest, CommaLocaleFindsTheSame) {
    ScopedLocale comma({",", "."});
    EXPECT_THAT(runExample(kPanelDesign).results, ElementsAreArray(expectedOnPanelDesign()));
    EXPECT_THAT(onFile(runExample(kBoardDesign).results, kBoardFile),
                ElementsAreArray(expectedOnBoardDesign()));
}

} // namespace
} // namespace lumora::cli::test
