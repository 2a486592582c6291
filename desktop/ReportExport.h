#pragma once

#include "app/MDIMain.h"
#include "desktop/DesignHost.h"
#include "record/RunRecord.h"

#include <string>
#include <vector>

namespace lumora::desktop {

// The run's report as lumora-cli --report writes it, or its page for people as --html does when the
// path ends in .html or .htm, by the same writers (report/): every open script window's tests with
// what their runs recorded, the waivers of the file beside the design applied as they are on disk
// now. Throws std::runtime_error: a waivers file that cannot be read, a report that cannot be
// written (an earlier file of that name stays whole).
void exportReport(const MDIMain& main, const std::vector<TestRecord>& records, const DesignHost& host,
                  const std::string& path);

} // namespace lumora::desktop
