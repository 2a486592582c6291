#pragma once

#include "manifest/DesignResult.h"

#include <filesystem>
#include <ostream>
#include <vector>

namespace lumora::manifest {

// One JUnit XML of all designs: a testsuite per design, named after its folder, holding the
// testcases of its own junit.xml (their classname is the script); a design that has none (broken,
// crashed, missing) gets one testcase with an error that says why.
void writeMergedJUnit(const std::vector<DesignResult>& results, const std::filesystem::path& out,
                      std::ostream& xml);

} // namespace lumora::manifest
