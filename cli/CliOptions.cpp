#include "cli/CliOptions.h"

#include "cli/ExitCodes.h"
#include "engine/io/DesignFormats.h"
#include "log/ProductInfo.h"

#include <CLI/CLI.hpp>

#include <map>
#include <string>

namespace lumora::cli {

namespace {

using report::FailOn;

const std::map<std::string, FailOn> kFailOnWords{
    {"never", FailOn::Nothing},
    {"critical", FailOn::Critical},
    {"any", FailOn::Any},
};

// CLI11's own range check would print its upper bound, 1.79769e+308.
const CLI::Validator kRowNumber(
    [](const std::string& text) {
        long row = 0;
        return CLI::detail::lexical_cast(text, row) && row >= 1 ? std::string()
                                                                : "rows are numbered from 1, not " + text;
    },
    "ROW");

// Without a folder the logs would land in the program's folder without a word.
const CLI::Validator kFolderName(
    [](const std::string& text) {
        return text.empty() ? std::string("--home needs a folder") : std::string();
    },
    "DIR");

const CLI::Validator kSliceText(
    [](const std::string& text) {
        return manifest::parseSlice(text) ? std::string()
                                          : "expected K/N, slice K of N with 1 <= K <= N, not " + text;
    },
    "K/N");

std::string exitCodeFooter() {
    std::string footer = "Exit status:";
    for (const ExitCodeMeaning& entry : kExitCodeMeanings) {
        footer += "\n  " + std::to_string(entry.code) + "  " + entry.meaning;
    }
    return footer;
}

// Many designs at once (docs/scale-out.md); the options that name one file of one design's run
// have no place beside a manifest, whose designs each get their folder of --out.
void describeManifestOptions(CLI::App& app, CliOptions& options, CLI::Option* design) {
    CLI::Option* manifest =
        app.add_option(
               "--manifest", options.manifest,
               "Run every design of this list (text, one a line, or JSON) into a folder of --out each")
            ->check(CLI::ExistingFile)
            ->excludes(design);
    CLI::Option* out =
        app.add_option("--out", options.out, "Output folder of --manifest: a folder per design")
            ->needs(manifest);
    manifest->needs(out);
    app.add_option_function<std::string>(
           "--slice", [&options](const std::string& text) { options.slice = *manifest::parseSlice(text); },
           "Run only slice K of N of the manifest's designs (a task of a job array)")
        ->check(kSliceText)
        ->needs(manifest);
    app.add_flag("--pages", options.pages,
                 "With --manifest: write each design's page for people (report.html) in its folder")
        ->needs(manifest);
    CLI::Option* merge = app.add_option("--merge", options.merge,
                                        "Merge the results of a manifest's output folder: summary.json, "
                                        "junit.xml and index.html in it")
                             ->check(CLI::ExistingDirectory)
                             ->excludes(design)
                             ->excludes(manifest);
    for (const char* single : {"--report", "--junit", "--html", "--markers", "--save-design",
                               "--write-waivers", "--start-row", "--home", "--list", "--picture"}) {
        if (CLI::Option* option = app.get_option_no_throw(single)) {
            option->excludes(manifest)->excludes(merge);
        }
    }
    app.get_option("scripts")->excludes(merge);
}

void describeOptions(CLI::App& app, CliOptions& options) {
    app.add_option("scripts", options.scripts,
                   "DFM test scripts (*.dfm); several run one after another as a batch")
        ->check(CLI::ExistingFile);
    CLI::Option* design = app.add_option("-d,--design", options.design,
                                         "Design file that KORVEN opens: " + engine::designFormatList())
                              ->check(CLI::ExistingFile);
    app.add_flag("--list", options.list, "Print each test with its parameters and run nothing");
    app.add_option("--drc-limit", options.drcLimit, "Most violations a check may report (0: no limit)")
        ->check(CLI::Range(0, 32767));
    app.add_flag("!--no-test-times", options.generateTestTimes, "Do not write testtimes.csv");
    app.add_flag("!--no-clear-drc", options.clearDrcOnRun, "Keep the design's earlier DRC markers");
    app.add_flag("--debug", options.debug, "Debug mode: keep the created geometries and list them");
    app.add_option("--start-row", options.startRow,
                   "Continue a stopped run at this row (one script); appends to both logs")
        ->check(kRowNumber);
    app.add_option("--home", options.home,
                   "Folder for runner.log, testtimes.csv, rdbset.dat and error.cc (default: LUMORA_HOME or "
                   "the program's folder)")
        ->check(kFolderName);
    app.add_option("--fail-on", options.reports.failOn,
                   "Exit with 1 when violations are found: never, critical, any")
        ->transform(CLI::CheckedTransformer(kFailOnWords, CLI::ignore_case));
    app.add_option("--save-design", options.saveDesign,
                   "Save the design with its markers after the run (\"-\": standard output)");
    app.add_option("--markers", options.markers,
                   "Write the DRC markers (where each violation is, measured and required value, items) "
                   "as JSON after the run (\"-\": standard output)");
    app.add_option(
        "--report", options.reports.report,
        "Write the run as one JSON document: tests, outcomes, counts per board, markers with keys (\"-\": "
        "standard output)");
    app.add_option(
        "--junit", options.reports.junit,
        "Write JUnit XML: a testsuite per script, a testcase per test and board (\"-\": standard output)");
    app.add_option("--html", options.reports.html,
                   "Write one page for people: the boards with their markers, the markers and the tests");
    app.add_option("--waivers", options.reports.waivers,
                   "Accepted violations (JSON); default: DESIGN.waivers.json beside the design, if present")
        ->check(CLI::ExistingFile);
    app.add_option(
        "--write-waivers", options.reports.writeWaivers,
        "Write a waiver for every violation not waived yet, to baseline a board; may name the waivers file "
        "read, to update it (\"-\": standard output)");
    app.add_flag("-q,--quiet", options.quiet, "No progress messages on stderr");
    describeManifestOptions(app, options, design);
#ifdef LUMORA_PICTURES
    app.add_option("--picture", options.picture,
                   "Draw every board and panel with its markers into this folder, as PNG and SVG");
#endif
}

} // namespace

std::variant<CliOptions, int> parseCommandLine(int argc, const char* const* argv) {
    CLI::App app{std::string(kApplicationTitle) + " " + versionText() +
                     ": runs DFM test scripts against a PCB design held by KORVEN.",
                 "lumora-cli"};
    app.set_version_flag("--version", std::string(kApplicationTitle) + " v." + versionText());
    app.footer(exitCodeFooter());
    CliOptions options;
    describeOptions(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        int code = app.exit(error);
        return code == 0 ? exitcode::Success : exitcode::BadInput;
    }
    if (options.merge) {
        return options;
    }
    if (options.scripts.empty() && !options.manifest) {
        std::cerr << "name at least one DFM test script (SCRIPT.dfm)\n";
        return exitcode::BadInput;
    }
    if (!options.list && !options.design && !options.manifest) {
        std::cerr << "--design is required to run tests (use --list to only show them)\n";
        return exitcode::BadInput;
    }
    if (options.startRow > 1 && options.scripts.size() > 1) {
        std::cerr << "--start-row continues one script; name only one\n";
        return exitcode::BadInput;
    }
    return options;
}

} // namespace lumora::cli
