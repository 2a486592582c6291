#pragma once

#include "engine/model/FailedCheck.h"
#include "record/Waivers.h"
#include "report/ReportedRun.h"

#include <ostream>
#include <string>
#include <vector>

namespace lumora::report {

// What a report says besides the scripts: the run's setting and the waivers it used.
struct ReportContext {
    std::string design;
    std::vector<std::string> designNotes; // what reading the design said (zones without fill ...)
    std::string date;                     // ISO 8601, UTC
    std::string waiversFile;              // empty: none used
    std::vector<Waiver> staleWaivers;
    std::vector<Waiver> waivers;                   // all of the file's, for their reasons
    std::vector<engine::FailedCheck> failedChecks; // the checks KORVEN could not perform
};

// The run as one JSON document (docs/report-format.md, docs/report.schema.json).
void writeRunReport(const std::vector<ReportedScript>& scripts, const ReportContext& context,
                    std::ostream& out);

} // namespace lumora::report
