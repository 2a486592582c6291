#include "report/RunReport.h"

#include "engine/io/MarkersJson.h"
#include "log/ProductInfo.h"
#include "record/MarkerKeys.h"
#include "script/clsTestItem.h"

namespace lumora::report {

namespace {

using engine::Json;

Json countsJson(const MarkerCounts& counts) {
    return Json{{"marginal", counts.marginal}, {"critical", counts.critical}, {"waived", counts.waived}};
}

Json markerJson(const RecordedMarker& recorded, const std::string& key) {
    Json entry = engine::markerJson(*recorded.marker);
    entry["fileName"] = recorded.fileName;
    entry["key"] = key;
    entry["waived"] = recorded.waived;
    return entry;
}

Json recordJson(const TestRecord& record) {
    Json files = Json::array();
    for (const TestedFile& file : record.files) {
        Json entry{{"file", file.number}, {"name", file.name}};
        entry.update(countsJson(countMarkers(record, file.number)));
        files.push_back(std::move(entry));
    }
    Json markers = Json::array();
    const std::vector<std::string> keys = markerKeys(record);
    for (std::size_t i = 0; i < record.markers.size(); ++i) {
        markers.push_back(markerJson(record.markers[i], keys[i]));
    }
    return Json{{"seconds", record.seconds}, {"files", std::move(files)}, {"markers", std::move(markers)}};
}

Json testJson(const ReportedTest& test) {
    Json parameters = Json::object();
    for (const auto& [key, value] : test.item->dictProperties()) {
        parameters[key] = value;
    }
    Json entry{{"row", test.row},
               {"name", test.item->strName},
               {"parameters", std::move(parameters)},
               {"outcome", test.outcome}};
    if (test.record != nullptr) {
        entry.update(countsJson(countMarkers(*test.record)));
        entry.update(recordJson(*test.record));
    }
    return entry;
}

Json waiverJson(const Waiver& waiver) {
    return Json{
        {"key", waiver.key}, {"reason", waiver.reason}, {"author", waiver.author}, {"date", waiver.date}};
}

} // namespace

void writeRunReport(const std::vector<ReportedScript>& scripts, const ReportContext& context,
                    std::ostream& out) {
    MarkerCounts total;
    Json scriptList = Json::array();
    for (const ReportedScript& script : scripts) {
        Json tests = Json::array();
        for (const ReportedTest& test : script.tests) {
            tests.push_back(testJson(test));
            if (test.record != nullptr) {
                total += countMarkers(*test.record);
            }
        }
        scriptList.push_back(Json{{"file", script.file}, {"name", script.name}, {"tests", std::move(tests)}});
    }
    Json stale = Json::array();
    for (const Waiver& waiver : context.staleWaivers) {
        stale.push_back(waiverJson(waiver));
    }
    Json report{{"program", std::string(kApplicationTitle)},
                {"version", versionText()},
                {"date", context.date},
                {"design", context.design},
                {"designNotes", context.designNotes},
                {"waivers", Json{{"file", context.waiversFile}, {"stale", std::move(stale)}}},
                {"totals", countsJson(total)},
                {"scripts", std::move(scriptList)}};
    out << report.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

} // namespace lumora::report
