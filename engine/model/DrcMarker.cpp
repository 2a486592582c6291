#include "engine/model/DrcMarker.h"

#include "engine/model/NumberText.h"

namespace lumora::engine {

std::string itemText(const DrcItem& item) {
    std::string text = item.component;
    if (!item.pin.empty()) {
        text += (text.empty() ? "" : "-") + item.pin;
    }
    if (!item.net.empty()) {
        text += (text.empty() ? "" : " ") + item.net;
    }
    return text;
}

std::string markerText(const DrcMarker& marker) {
    std::string text =
        marker.measure + " " + formatNumber(marker.measured) + ", required " + formatNumber(marker.required);
    std::string separator = ": ";
    for (const DrcItem& item : marker.items) {
        const std::string named = itemText(item);
        text += separator + (named.empty() ? "(unnamed)" : named);
        separator = ", ";
    }
    return text;
}

} // namespace lumora::engine
