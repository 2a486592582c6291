#pragma once

#include "engine/model/Design.h"
#include "report/ReportedRun.h"
#include "report/RunReport.h"

#include <ostream>
#include <vector>

namespace lumora::report {

// The run as one page for the people who act on it (docs/report-format.md): what was and was not
// checked, every board and panel of the design drawn with its markers, the markers in a table that
// sorts and filters, the tests as the grid showed them, the stale waivers. The page holds its
// style, script and data; it needs no network and no other file.
void writeHtmlReport(const std::vector<ReportedScript>& scripts, const ReportContext& context,
                     const engine::Design& design, std::ostream& out);

} // namespace lumora::report
