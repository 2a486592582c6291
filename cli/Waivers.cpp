#include "cli/Waivers.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <set>
#include <sstream>

namespace lumora::cli {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::pair<const char*, std::string Waiver::*> kFields[] = {
    {"key", &Waiver::key},
    {"reason", &Waiver::reason},
    {"author", &Waiver::author},
    {"date", &Waiver::date},
};

Waiver waiverFromJson(const Json& entry, std::size_t index) {
    if (!entry.is_object() || !entry.contains("key") || !entry["key"].is_string()) {
        throw std::runtime_error("waiver " + std::to_string(index + 1) + " has no \"key\" text");
    }
    Waiver waiver;
    for (const auto& [name, field] : kFields) {
        if (entry.contains(name)) {
            if (!entry[name].is_string()) {
                throw std::runtime_error("\"" + std::string(name) + "\" of waiver " +
                                         std::to_string(index + 1) + " is not a text");
            }
            waiver.*field = entry[name].get<std::string>();
        }
    }
    return waiver;
}

} // namespace

std::vector<Waiver> loadWaivers(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw WaiverFileError("cannot read the waivers file \"" + path.string() + "\"");
    }
    try {
        const Json document = Json::parse(in);
        if (!document.is_object() || !document.contains("waivers") || !document["waivers"].is_array()) {
            throw std::runtime_error("expected an object with a \"waivers\" list");
        }
        std::vector<Waiver> waivers;
        for (const Json& entry : document["waivers"]) {
            waivers.push_back(waiverFromJson(entry, waivers.size()));
        }
        return waivers;
    } catch (const std::exception& error) {
        throw WaiverFileError("the waivers file \"" + path.string() + "\" cannot be read: " + error.what());
    }
}

void writeWaiversJson(const std::vector<Waiver>& waivers, std::ostream& out) {
    Json list = Json::array();
    for (const Waiver& waiver : waivers) {
        Json entry = Json::object();
        for (const auto& [name, field] : kFields) {
            entry[name] = waiver.*field;
        }
        list.push_back(std::move(entry));
    }
    out << Json{{"waivers", std::move(list)}}.dump(2) << '\n';
}

std::optional<std::filesystem::path> defaultWaiversFile(const std::filesystem::path& design) {
    std::filesystem::path beside = design;
    beside.replace_extension(".waivers.json");
    std::error_code ignored;
    if (std::filesystem::is_regular_file(beside, ignored)) {
        return beside;
    }
    return std::nullopt;
}

std::vector<Waiver> applyWaivers(const std::vector<Waiver>& waivers, std::vector<TestRecord>& tests) {
    std::set<std::string> matched;
    std::set<std::string> keys;
    for (const Waiver& waiver : waivers) {
        keys.insert(waiver.key);
    }
    for (TestRecord& test : tests) {
        for (RecordedMarker& recorded : test.markers) {
            if (keys.contains(recorded.key)) {
                recorded.waived = true;
                matched.insert(recorded.key);
            }
        }
    }
    std::vector<Waiver> stale;
    for (const Waiver& waiver : waivers) {
        if (!matched.contains(waiver.key)) {
            stale.push_back(waiver);
        }
    }
    return stale;
}

std::vector<Waiver> baselineWaivers(const std::vector<TestRecord>& tests, const std::string& author,
                                    const std::string& date) {
    std::vector<Waiver> waivers;
    for (const TestRecord& test : tests) {
        for (const RecordedMarker& recorded : test.markers) {
            if (!recorded.waived) {
                waivers.push_back({recorded.key, "", author, date});
            }
        }
    }
    return waivers;
}

} // namespace lumora::cli
