#pragma once

#include "manifest/Slice.h"
#include "report/ReportSettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace lumora::cli {

// Everything a user can ask of lumora-cli; the switches mirror the desktop program's menus.
struct CliOptions {
    std::vector<std::string> scripts;
    std::optional<std::string> design; // the design file KORVEN opens
    bool list = false;                 // print the tests with their parameters, run nothing
    std::optional<int16_t> drcLimit;   // overrides the settings file, as Runner Settings does
    bool generateTestTimes = true;
    bool clearDrcOnRun = true;
    bool debug = false;                    // keep and list the created geometries
    long startRow = 1;                     // above 1: Continue from that row, appending to the logs
    std::optional<std::string> home;       // the program folder for logs and settings
    std::optional<std::string> saveDesign; // where to save the design after the run
    std::optional<std::string> markers;    // where to write the DRC markers as JSON after the run
    report::ReportSettings reports;        // --waivers, --report, --junit, --html, --write-waivers, --fail-on
    bool quiet = false;                    // no progress on stderr
    std::optional<std::string> picture;    // folder for a PNG and an SVG of every board with its markers
    std::optional<std::string> manifest;   // designs to run, each into a folder of `out`
    std::optional<std::string> out;        // the output folder of a manifest
    manifest::Slice slice;                 // the designs of the manifest this command runs
    std::optional<std::string> merge;      // the output folder whose results to merge
    bool pages = false;                    // each design of a manifest gets its page for people
};

// The parsed options, or the exit code when the command line asked for help or was wrong
// (CLI11 has then printed what it had to say).
std::variant<CliOptions, int> parseCommandLine(int argc, const char* const* argv);

} // namespace lumora::cli
