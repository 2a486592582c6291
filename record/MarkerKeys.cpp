#include "record/MarkerKeys.h"

#include <algorithm>
#include <map>

namespace lumora {

namespace {

// Whether a key names its items' identities too (the key), or their names only (the key before
// sources named their items).
enum class Identities { Named, Left };

// An item as a key names it: as a person does, and, when it has no name of its own (a via, a
// track, a zone's fill of a KiCad board, a pad whose number another pad of its part shares), by
// the identity its source gives it: the engine gives identities to those items only.
std::string keyName(const engine::DrcItem& item, Identities identities) {
    const std::string named = engine::itemText(item);
    std::string text = named.empty() ? "(unnamed)" : named;
    if (identities == Identities::Named && !item.id.empty()) {
        text += " {" + item.id + "}";
    }
    return text;
}

std::string itemsText(const std::vector<engine::DrcItem>& items, Identities identities) {
    std::vector<std::string> names;
    for (const engine::DrcItem& item : items) {
        names.push_back(keyName(item, identities));
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
    std::map<std::string, int> formerUses;
    std::vector<std::string> former;
    for (RecordedMarker& recorded : record.markers) {
        const engine::DrcMarker& marker = *recorded.marker;
        const std::string prefix = record.name + " / " + recorded.fileName + " / " + marker.check + " / ";
        const std::string key = prefix + marker.measure + " / " + itemsText(marker.items, Identities::Named);
        const int pass = ++seen[key];
        recorded.key = pass == 1 ? key : key + " #" + std::to_string(pass);
        former.push_back(prefix + itemsText(marker.items, Identities::Left));
        ++formerUses[former.back()];
    }
    for (std::size_t i = 0; i < record.markers.size(); ++i) {
        record.markers[i].formerKey = formerUses[former[i]] == 1 ? former[i] : std::string();
    }
}

} // namespace lumora
