#include "cli/ManifestCli.h"

#include "cli/CliRun.h"
#include "cli/DesignProcess.h"
#include "cli/ExitCodes.h"
#include "cli/ExitStatus.h"
#include "cli/RunOutputs.h"
#include "cli/StopOnInterrupt.h"
#include "log/ProductInfo.h"
#include "manifest/ManifestRun.h"
#include "manifest/MergedIndex.h"
#include "manifest/MergedJUnit.h"
#include "manifest/MergedResults.h"
#include "manifest/OutputFolder.h"

#include <iostream>

namespace lumora::cli {

namespace {

using manifest::DesignOutcome;
using manifest::ManifestEntry;

// How a design fared, by the exit status of its run (cli/ExitCodes.h).
DesignOutcome outcomeOf(const ProcessEnd& end) {
    if (end.signal != 0) {
        return DesignOutcome::Crashed;
    }
    switch (end.exitStatus) {
    case exitcode::Success:
        return DesignOutcome::Passed;
    case exitcode::ViolationsFound:
        return DesignOutcome::Violations;
    case exitcode::BadInput:
        return DesignOutcome::Broken;
    case exitcode::TestsFailed:
    case exitcode::NotConnected:
    case exitcode::LogFolderUnwritable:
    case exitcode::FileNotWritten:
        return DesignOutcome::Failed;
    case exitcode::Stopped:
        return DesignOutcome::Stopped;
    default:
        return DesignOutcome::Crashed;
    }
}

// The options of one design's run: the command line's, with the design, its scripts when the
// manifest names some, and its folder for the logs and reports.
CliOptions designOptions(const CliOptions& options, const ManifestEntry& entry,
                         const std::filesystem::path& folder) {
    CliOptions design = options;
    design.manifest.reset();
    design.out.reset();
    design.design = entry.design.string();
    if (!entry.scripts.empty()) {
        design.scripts.assign(entry.scripts.begin(), entry.scripts.end());
    }
    design.home = folder.string();
    design.reports.report = (folder / manifest::files::kReport).string();
    design.reports.junit = (folder / manifest::files::kJUnit).string();
    if (options.pages) {
        design.reports.html = (folder / manifest::files::kPage).string();
    }
    design.quiet = true;
    return design;
}

std::vector<ManifestEntry> readEntries(const CliOptions& options, std::ostream& err) {
    try {
        std::vector<ManifestEntry> entries = manifest::readManifest(*options.manifest);
        for (const ManifestEntry& entry : entries) {
            if (entry.scripts.empty() && options.scripts.empty()) {
                err << kApplicationTitle << ": " << entry.design.string()
                    << " has no script: name one on the command line or in the manifest\n";
                return {};
            }
        }
        return entries;
    } catch (const manifest::ManifestError& error) {
        err << kApplicationTitle << ": " << error.what() << '\n';
        return {};
    }
}

int sliceExitCode(const manifest::SliceRun& run, std::ostream& err) {
    for (const std::string& fault : run.faults) {
        err << kApplicationTitle << ": " << fault << "; the design runs again with the slice\n";
    }
    if (run.stopped) {
        return exitcode::Stopped;
    }
    return run.faults.empty() ? exitcode::Success : exitcode::FileNotWritten;
}

// The exit status a design's run had, as far as the merge's exit status is concerned.
int designExitCode(const manifest::DesignResult& result) {
    return result.outcome == DesignOutcome::Crashed ? exitcode::TestsFailed : result.exitStatus;
}

} // namespace

int runManifestCli(const CliOptions& options, std::ostream& out, std::ostream& err) {
    const std::vector<ManifestEntry> entries = readEntries(options, err);
    if (entries.empty()) {
        return exitcode::BadInput;
    }
    bool interrupted = false;
    StopOnInterrupt interrupt([&interrupted] { interrupted = true; });
    const manifest::DesignRunner runDesign = [&](const ManifestEntry& entry,
                                                 const std::filesystem::path& folder) {
        interrupt.doEvents();
        if (interrupted) {
            return manifest::DesignEnd{DesignOutcome::Stopped, exitcode::Stopped, 0};
        }
        const CliOptions design = designOptions(options, entry, folder);
        const ProcessEnd end =
            runInChildProcess([&] { return runCli(design, std::cout, std::cerr); },
                              folder / manifest::files::kOutput, folder / manifest::files::kMessages);
        return manifest::DesignEnd{outcomeOf(end), end.exitStatus, end.signal};
    };
    try {
        const manifest::SliceRun run =
            manifest::runSlice(entries, options.slice, *options.out, runDesign, out);
        out << "Slice " << options.slice.number << "/" << options.slice.count << ": " << run.designs
            << " designs, " << run.checked << " checked, " << run.complete << " complete already\n";
        return sliceExitCode(run, err);
    } catch (const std::exception& error) {
        err << kApplicationTitle << ": " << error.what() << '\n';
        return exitcode::FileNotWritten;
    }
}

int runMergeCli(const CliOptions& options, std::ostream& out, std::ostream& err) {
    const std::filesystem::path folder = *options.merge;
    std::vector<manifest::DesignResult> results;
    try {
        results = manifest::collectResults(folder);
    } catch (const manifest::MergeError& error) {
        err << kApplicationTitle << ": " << error.what() << '\n';
        return exitcode::BadInput;
    }
    bool written = writeOutput({(folder / manifest::files::kSummary).string(),
                                [&](std::ostream& text) { manifest::writeSummary(results, text); }},
                               out, err);
    written &= writeOutput({(folder / manifest::files::kMergedJUnit).string(),
                            [&](std::ostream& text) { manifest::writeMergedJUnit(results, folder, text); }},
                           out, err);
    written &= writeOutput({(folder / manifest::files::kIndex).string(),
                            [&](std::ostream& page) { manifest::writeMergedIndex(results, folder, page); }},
                           out, err);

    std::vector<int> codes;
    std::size_t complete = 0;
    for (const manifest::DesignResult& result : results) {
        if (result.outcome != DesignOutcome::Missing) {
            ++complete;
            codes.push_back(designExitCode(result));
        }
    }
    out << complete << " of " << results.size() << " designs have their results; outcome "
        << manifest::outcomeName(manifest::worstOutcome(results)) << "\n";
    if (!written) {
        return exitcode::FileNotWritten;
    }
    return complete < results.size() ? exitcode::Incomplete : worstExitCode(codes);
}

} // namespace lumora::cli
