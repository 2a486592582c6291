#include "record/MarkerKeys.h"

#include <algorithm>
#include <map>

namespace lumora {

namespace {

std::string itemsText(const std::vector<engine::DrcItem>& items) {
    std::vector<std::string> names;
    for (const engine::DrcItem& item : items) {
        const std::string named = engine::itemText(item);
        names.push_back(named.empty() ? "(unnamed)" : named);
    }
    std::ranges::sort(names);
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

} // namespace

void assignMarkerKeys(TestRecord& record) {
    std::map<std::string, int> seen;
    for (RecordedMarker& recorded : record.markers) {
        std::string key = record.name + " / " + recorded.fileName + " / " + recorded.marker.check + " / " +
                          itemsText(recorded.marker.items);
        const int pass = ++seen[key];
        recorded.key = pass == 1 ? key : key + " #" + std::to_string(pass);
    }
}

} // namespace lumora
