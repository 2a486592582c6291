#include "engine/io/MarkersJson.h"

#include "engine/io/JsonNumbers.h"

#include <algorithm>
#include <limits>

namespace lumora::engine {

namespace {

constexpr std::pair<const char*, ShortText DrcItem::*> kItemTexts[] = {
    {"component", &DrcItem::component},
    {"pin", &DrcItem::pin},
    {"net", &DrcItem::net},
    {"id", &DrcItem::id},
};

Json itemJson(const DrcItem& item) {
    Json entry = Json::object();
    for (const auto& [key, member] : kItemTexts) {
        if (!(item.*member).empty()) {
            entry[key] = (item.*member).str();
        }
    }
    return entry;
}

DrcItem itemFromJson(const JsonNode& node) {
    node.expectObject({"component", "pin", "net", "id"});
    DrcItem item;
    for (const auto& [key, member] : kItemTexts) {
        item.*member = node.textOr(key, "");
    }
    return item;
}

} // namespace

Json markerJson(const DrcMarker& marker) {
    Json items = Json::array();
    for (const DrcItem& item : marker.items) {
        items.push_back(itemJson(item));
    }
    return Json{{"file", marker.file},
                {"at", jsonPoint(marker.at)},
                {"severity", marker.severity.str()},
                {"check", marker.check.str()},
                {"measure", marker.measure.str()},
                {"measured", jsonNumber(marker.measured)},
                {"required", jsonNumber(marker.required)},
                {"items", std::move(items)}};
}

DrcMarker markerFromJson(const JsonNode& node) {
    node.expectObject({"file", "at", "severity", "check", "measure", "measured", "required", "items"});
    DrcMarker marker;
    marker.file = static_cast<int32_t>(node.member("file").integer(1, std::numeric_limits<int32_t>::max()));
    marker.at = node.member("at").point();
    marker.severity = node.member("severity").text();
    if (marker.severity != "Marginal" && marker.severity != "Critical") {
        node.member("severity").fail("expected \"Marginal\" or \"Critical\"");
    }
    marker.check = node.textOr("check", "");
    marker.measure = node.textOr("measure", "");
    marker.measured = node.numberOr("measured", 0);
    marker.required = node.numberOr("required", 0);
    if (const std::optional<JsonNode> items = node.optionalMember("items")) {
        for (const JsonNode& item : items->elements()) {
            marker.items.push_back(itemFromJson(item));
        }
    }
    return marker;
}

void writeMarkersJson(const Design& design, const std::vector<FailedCheck>& failedChecks, std::ostream& out) {
    const auto fileNamed = [&](int32_t number) {
        return std::ranges::find(design.files, number, &File::number);
    };
    Json list = Json::array();
    for (const DrcMarker& marker : design.drcs) {
        const auto file = fileNamed(marker.file);
        Json entry = markerJson(marker);
        entry["fileName"] = file == design.files.end() ? std::string() : file->name;
        entry["text"] = markerText(marker);
        list.push_back(std::move(entry));
    }
    for (const FailedCheck& failed : failedChecks) {
        Json entry = Json::object();
        if (const auto file = fileNamed(failed.file); file != design.files.end()) {
            entry["file"] = failed.file;
            entry["fileName"] = file->name;
        }
        entry["check"] = failed.check;
        entry["severity"] = "Failed";
        entry["code"] = failed.code;
        entry["text"] = failed.description;
        list.push_back(std::move(entry));
    }
    out << list.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

} // namespace lumora::engine
