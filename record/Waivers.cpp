#include "record/Waivers.h"

#include "engine/io/JsonDepth.h"
#include "files/InputFile.h"
#include "files/ReplaceFile.h"
#include "record/MarkerKeys.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

namespace lumora {

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

std::vector<Waiver> parseWaivers(std::string_view text) {
    try {
        if (const std::optional<std::size_t> deep = engine::firstTooDeep(text)) {
            throw std::runtime_error(engine::tooDeepMessage(text, *deep));
        }
        const Json document = Json::parse(text);
        if (!document.is_object() || !document.contains("waivers") || !document["waivers"].is_array()) {
            throw std::runtime_error("expected an object with a \"waivers\" list");
        }
        std::vector<Waiver> waivers;
        std::map<std::string, std::size_t> firstWithKey;
        for (const Json& entry : document["waivers"]) {
            Waiver waiver = waiverFromJson(entry, waivers.size());
            const auto [first, isNew] = firstWithKey.emplace(waiver.key, waivers.size());
            if (!isNew) {
                throw std::runtime_error("waiver " + std::to_string(waivers.size() + 1) +
                                         " repeats the key of waiver " + std::to_string(first->second + 1) +
                                         ": \"" + waiver.key + "\"");
            }
            waivers.push_back(std::move(waiver));
        }
        return waivers;
    } catch (const std::exception& error) {
        throw WaiverFileError(error.what());
    }
}

std::vector<Waiver> loadWaivers(const std::filesystem::path& path) {
    const std::string refused = "the waivers file \"" + path.string() + "\" cannot be read: ";
    try {
        return parseWaivers(files::readInputFile(path, files::input::Waivers));
    } catch (const files::InputFileError& error) {
        throw WaiverFileError(refused + error.reason());
    } catch (const WaiverFileError& error) {
        throw WaiverFileError(refused + error.what());
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
    out << Json{{"waivers", std::move(list)}}.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

void saveWaivers(const std::filesystem::path& path, const std::vector<Waiver>& waivers) {
    std::ostringstream text;
    writeWaiversJson(waivers, text);
    files::replaceFile(path, text.str());
}

std::filesystem::path waiversFileBeside(const std::filesystem::path& design) {
    std::filesystem::path beside = design;
    return beside.replace_extension(".waivers.json");
}

std::optional<std::filesystem::path> defaultWaiversFile(const std::filesystem::path& design) {
    const std::filesystem::path beside = waiversFileBeside(design);
    std::error_code ignored;
    if (std::filesystem::is_regular_file(beside, ignored)) {
        return beside;
    }
    return std::nullopt;
}

void migrateWaiverKeys(std::vector<Waiver>& waivers, const std::vector<TestRecord>& tests) {
    std::map<std::string, Waiver*> unmatched;
    for (Waiver& waiver : waivers) {
        unmatched.emplace(waiver.key, &waiver);
    }
    for (const TestRecord& test : tests) {
        if (unmatched.empty()) {
            return;
        }
        for (const std::string& key : markerKeys(test)) {
            unmatched.erase(key);
        }
    }
    // Most runs end here: former keys are made only for a waiver that names no current key.
    for (const TestRecord& test : tests) {
        if (unmatched.empty()) {
            return;
        }
        const std::vector<std::string> former = formerKeys(test);
        std::vector<std::string> keys; // made again only for a test a former key names
        for (std::size_t i = 0; i < former.size(); ++i) {
            const auto waiver = former[i].empty() ? unmatched.end() : unmatched.find(former[i]);
            if (waiver != unmatched.end()) {
                if (keys.empty()) {
                    keys = markerKeys(test);
                }
                waiver->second->key = keys[i];
                unmatched.erase(waiver);
            }
        }
    }
}

std::vector<Waiver> applyWaivers(const std::vector<Waiver>& waivers, std::vector<TestRecord>& tests) {
    std::set<std::string> matched;
    std::set<std::string> keys;
    for (const Waiver& waiver : waivers) {
        keys.insert(waiver.key);
    }
    for (TestRecord& test : tests) {
        if (keys.empty()) {
            break;
        }
        const std::vector<std::string> testKeys = markerKeys(test);
        for (std::size_t i = 0; i < test.markers.size(); ++i) {
            if (keys.contains(testKeys[i])) {
                test.markers[i].waived = true;
                matched.insert(testKeys[i]);
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
    std::set<std::string> keys; // the same test on the same board in two scripts of a batch
    for (const TestRecord& test : tests) {
        const std::vector<std::string> testKeys = markerKeys(test);
        for (std::size_t i = 0; i < test.markers.size(); ++i) {
            if (!test.markers[i].waived && keys.insert(testKeys[i]).second) {
                waivers.push_back({testKeys[i], "", author, date});
            }
        }
    }
    return waivers;
}

std::string waiverAuthor() {
    const char* user = std::getenv("USER");
    return user == nullptr ? std::string() : std::string(user);
}

std::string waiverDate() {
    const std::chrono::year_month_day today{
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(today.year()),
                  static_cast<unsigned>(today.month()), static_cast<unsigned>(today.day()));
    return text;
}

void setWaiver(std::vector<Waiver>& waivers, Waiver waiver) {
    auto same = std::ranges::find(waivers, waiver.key, &Waiver::key);
    if (same == waivers.end()) {
        waivers.push_back(std::move(waiver));
    } else {
        *same = std::move(waiver);
    }
}

bool removeWaiver(std::vector<Waiver>& waivers, const std::string& key) {
    return std::erase_if(waivers, [&](const Waiver& waiver) { return waiver.key == key; }) > 0;
}

} // namespace lumora
