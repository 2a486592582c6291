#pragma once

#include "manifest/DesignResult.h"

#include <filesystem>
#include <ostream>
#include <vector>

namespace lumora::manifest {

// One page for people over all designs of an output folder (index.html): the outcome and totals,
// and a row per design with its outcome and counts, linking its own page where its folder holds one
// (--pages), its JSON report otherwise. It needs nothing but itself, as each design's page.
void writeMergedIndex(const std::vector<DesignResult>& results, const std::filesystem::path& out,
                      std::ostream& page);

} // namespace lumora::manifest
