#pragma once

#include "record/RunRecord.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace lumora::cli {

// An engineer's acceptance of one violation (docs/report-format.md).
struct Waiver {
    std::string key;
    std::string reason;
    std::string author;
    std::string date; // YYYY-MM-DD
};

// A waivers file that cannot be read; the message names the file and the fault.
class WaiverFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

std::vector<Waiver> loadWaivers(const std::filesystem::path& path);
void writeWaiversJson(const std::vector<Waiver>& waivers, std::ostream& out);

// The waivers file used without --waivers: DESIGN.waivers.json beside the design, if it exists.
std::optional<std::filesystem::path> defaultWaiversFile(const std::filesystem::path& design);

// Marks the markers whose key a waiver names; returns the waivers that matched nothing (stale).
std::vector<Waiver> applyWaivers(const std::vector<Waiver>& waivers, std::vector<TestRecord>& tests);

// A waiver for every marker not waived yet, reason left empty for the engineer to fill in.
std::vector<Waiver> baselineWaivers(const std::vector<TestRecord>& tests, const std::string& author,
                                    const std::string& date);

} // namespace lumora::cli
