#pragma once

#include "cli/CliOptions.h"
#include "cli/OutputPaths.h"
#include "engine/session/Session.h"
#include "report/RunReports.h"

#include <functional>
#include <ostream>
#include <vector>

namespace lumora::cli {

// The outputs the options name, each by its option; the pictures by the files the design holds.
std::vector<RunFile> namedOutputs(const CliOptions& options, const engine::Design& design);

// Whether an output goes to standard output, which then carries nothing else.
bool streamsToStandardOutput(const CliOptions& options);

// Where the output phase writes: "-" to out, messages to err; beforeEach is called before each file.
struct OutputStreams {
    std::ostream& out;
    std::ostream& err;
    std::function<void()> beforeEach;
};

// One file, made whole in memory and then written ("-": to out); why not on err. A file of the
// same name survives a failure.
bool writeOutput(const report::OutputFile& file, std::ostream& out, std::ostream& err);

// Writes the files the options ask for after the run, each whole or not at all. A file that
// cannot be written is named on err with the reason, and the others are still written; false
// then. Nothing a writer throws ends the program.
bool writeOutputs(const CliOptions& options, const engine::Session& session,
                  const report::RunReports& reports, const OutputStreams& streams);

} // namespace lumora::cli
