#pragma once

#include "manifest/DesignManifest.h"
#include "manifest/DesignOutcome.h"
#include "manifest/Slice.h"

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace lumora::manifest {

// How the run of one design ended.
struct DesignEnd {
    DesignOutcome outcome = DesignOutcome::Passed;
    int exitStatus = 0;
    int signal = 0; // the signal that ended it, 0 for none
};

// Runs one design into its folder (emptied before), writing report.json and messages.txt there.
using DesignRunner =
    std::function<DesignEnd(const ManifestEntry& entry, const std::filesystem::path& folder)>;

// What a slice did.
struct SliceRun {
    std::size_t designs = 0; // of the slice
    std::size_t checked = 0;
    std::size_t complete = 0;        // complete already, not run again
    std::vector<std::string> faults; // results that could not be written: those designs run again
    bool stopped = false;            // a run was stopped; the designs after it did not run
};

// Runs the designs of the slice whose folders hold no complete result, one after the other, and
// writes each one's result last; a design that fails in any way is recorded as such and the slice
// goes on. Writes the designs the output folder is for (designs.json) first; throws
// std::runtime_error when that cannot be written. One line per design on `progress`.
SliceRun runSlice(const std::vector<ManifestEntry>& entries, Slice slice, const std::filesystem::path& out,
                  const DesignRunner& run, std::ostream& progress);

} // namespace lumora::manifest
