#include "record/MarkerKeys.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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
        text += " {";
        text += item.id.view();
        text += "}";
    }
    return text;
}

std::string itemsText(const std::vector<engine::DrcItem>& items, Identities identities) {
    if (items.size() == 1) { // most markers: nothing to sort
        return keyName(items.front(), identities);
    }
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

std::string prefixOf(const TestRecord& record, const RecordedMarker& recorded) {
    return record.name + " / " + recorded.fileName + " / " + recorded.marker->check.str() + " / ";
}

} // namespace

std::vector<std::string> markerKeys(const TestRecord& record) {
    std::vector<std::string> keys;
    keys.reserve(record.markers.size());
    // Hashed: a large board's test places tens of thousands of markers whose keys share long starts.
    // The first marker's key is the one seen, viewed where the list keeps it; the list is sized
    // first, so views stay put.
    std::unordered_map<std::string_view, int> seen;
    seen.reserve(record.markers.size());
    for (const RecordedMarker& recorded : record.markers) {
        const engine::DrcMarker& marker = *recorded.marker;
        std::string key = prefixOf(record, recorded) + marker.measure.str() + " / " +
                          itemsText(marker.items, Identities::Named);
        if (const auto earlier = seen.find(key); earlier != seen.end()) {
            keys.push_back(key + " #" + std::to_string(++earlier->second));
        } else {
            keys.push_back(std::move(key));
            seen.emplace(keys.back(), 1);
        }
    }
    return keys;
}

std::vector<std::string> formerKeys(const TestRecord& record) {
    std::vector<std::string> former;
    former.reserve(record.markers.size());
    std::unordered_map<std::string, int> uses;
    for (const RecordedMarker& recorded : record.markers) {
        former.push_back(prefixOf(record, recorded) + itemsText(recorded.marker->items, Identities::Left));
        ++uses[former.back()];
    }
    for (std::string& key : former) {
        if (uses.at(key) != 1) {
            key.clear();
        }
    }
    return former;
}

} // namespace lumora
