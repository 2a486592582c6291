#pragma once

#include "record/RunRecord.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

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

// Refuses (WaiverFileError) a file that is not JSON or nests deeper than any waiver needs, a
// waiver without a key text, a field that is not a text, and a key given twice; the message names
// the file. A file that is not a regular one, or larger than 64 MiB, is refused unread.
std::vector<Waiver> loadWaivers(const std::filesystem::path& path);
// The same for a file's text; the message names only the fault.
std::vector<Waiver> parseWaivers(std::string_view text);
void writeWaiversJson(const std::vector<Waiver>& waivers, std::ostream& out);
// Replaces the file whole (a temporary file renamed onto it); throws std::runtime_error.
void saveWaivers(const std::filesystem::path& path, const std::vector<Waiver>& waivers);

// DESIGN.waivers.json beside the design: the design's name with .waivers.json for its extension.
std::filesystem::path waiversFileBeside(const std::filesystem::path& design);
// The waivers file used without --waivers: the one beside the design, if it exists.
std::optional<std::filesystem::path> defaultWaiversFile(const std::filesystem::path& design);

// Who waives and when: the user's login name and today's date (UTC, YYYY-MM-DD).
std::string waiverAuthor();
std::string waiverDate();
// Adds the waiver, or replaces the one with its key.
void setWaiver(std::vector<Waiver>& waivers, Waiver waiver);
// Removes the waiver of a key; false when there was none.
bool removeWaiver(std::vector<Waiver>& waivers, const std::string& key);

// Gives a waiver written before items were named by their identity the key of the marker it still
// names: one whose former key it is, unique in its test (docs/report-format.md, "Waivers").
void migrateWaiverKeys(std::vector<Waiver>& waivers, const std::vector<TestRecord>& tests);

// Marks the markers whose key a waiver names; returns the waivers that matched nothing (stale).
std::vector<Waiver> applyWaivers(const std::vector<Waiver>& waivers, std::vector<TestRecord>& tests);

// A waiver for every key of a marker not waived yet, once, its reason left empty for the engineer
// to fill in.
std::vector<Waiver> baselineWaivers(const std::vector<TestRecord>& tests, const std::string& author,
                                    const std::string& date);

} // namespace lumora
