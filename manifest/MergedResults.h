#pragma once

#include "manifest/DesignResult.h"

#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <vector>

namespace lumora::manifest {

// An output folder that is not one of a manifest run, or whose list of designs cannot be read.
class MergeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The result of every design the output folder is for (designs.json), in manifest order; a design
// without a complete result is there as Missing, with its name, design and scripts.
std::vector<DesignResult> collectResults(const std::filesystem::path& out);

// The worst of the outcomes, in this order: missing, crashed, failed, broken, violations, passed.
DesignOutcome worstOutcome(const std::vector<DesignResult>& results);

// One summary of all designs as JSON (docs/scale-out.md): the designs with their outcomes and
// counts, the outcome, the totals, and the tests that found the most violations over all designs.
void writeSummary(const std::vector<DesignResult>& results, std::ostream& out);

} // namespace lumora::manifest
