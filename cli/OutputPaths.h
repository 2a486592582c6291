#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumora::cli {

// "-" names standard output for every output but the pictures.
inline constexpr const char* kStandardOutput = "-";

// A file of the run: an output by its option ("--report"), an input or a file the run writes of
// its own by what it is ("the design file", "the run log").
struct RunFile {
    std::string role;
    std::filesystem::path path;
    std::string replacedBy{}; // inputs: the one option that may replace this file (it updates it)
};

// Why the outputs cannot be written where they are named, before the run starts (its work would
// be lost at its end): one that is not a regular file or a new name (files::checkOutputPath), one
// that is a file of the run (the same file, followed through links and hard links), one named by
// two options, or more than one on standard output ("-"). None when every output may be written.
std::optional<std::string> outputsRefusal(const std::vector<RunFile>& outputs,
                                          const std::vector<RunFile>& runFiles);

} // namespace lumora::cli
