#pragma once

#include <optional>
#include <string>

namespace lumora::report {

// Which findings make a run fail, for CI pipelines.
enum class FailOn { Nothing, Critical, Any };

// Whether unwaived violations of these counts fail a run that fails on failOn.
inline bool violationsFail(FailOn failOn, long marginal, long critical) {
    return (failOn == FailOn::Critical && critical > 0) || (failOn == FailOn::Any && marginal + critical > 0);
}

// What a front end asks of the reports of a run: the waivers to apply, the files to write (none
// when unset) and which violations fail it.
struct ReportSettings {
    std::optional<std::string> waivers;      // accepted violations (default: DESIGN.waivers.json)
    std::optional<std::string> report;       // the run as one JSON document
    std::optional<std::string> junit;        // JUnit XML for CI systems
    std::optional<std::string> html;         // one page for people: the board, its markers, the tests
    std::optional<std::string> writeWaivers; // a waiver for every violation, as a baseline
    FailOn failOn = FailOn::Nothing;
};

} // namespace lumora::report
