#include "engine/model/DrcMarker.h"

#include "engine/model/CodeNames.h"
#include "engine/model/NumberText.h"

namespace lumora::engine {

namespace {

// Measures whose values are codes, by the end of their name ("top pad shape"), with the names of
// the codes and the word for 0, which stands for none.
struct WordedMeasure {
    std::string_view ending;
    std::span<const CodeName> (*names)();
    std::string_view none;
};

constexpr WordedMeasure kWordedMeasures[] = {
    {"pad shape", padShapeNames, "no pad"},
};

std::string valueText(std::string_view measure, double value) {
    const std::optional<std::string> word = valueWord(measure, value);
    return word ? *word : formatNumber(value);
}

} // namespace

std::optional<std::string> valueWord(std::string_view measure, double value) {
    for (const WordedMeasure& worded : kWordedMeasures) {
        if (!measure.ends_with(worded.ending)) {
            continue;
        }
        if (value == 0) {
            return std::string(worded.none);
        }
        const std::optional<std::string_view> name = nameOf(worded.names(), static_cast<int16_t>(value));
        return name ? std::optional<std::string>(*name) : std::nullopt;
    }
    return std::nullopt;
}

std::string itemText(const DrcItem& item) {
    std::string text = item.component.str();
    if (!item.pin.empty()) {
        text += text.empty() ? "" : "-";
        text += item.pin.view();
    }
    if (!item.net.empty()) {
        text += text.empty() ? "" : " ";
        text += item.net.view();
    }
    return text;
}

std::string markerText(const DrcMarker& marker) {
    std::string text = marker.measure.str() + " " + valueText(marker.measure, marker.measured) +
                       ", required " + valueText(marker.measure, marker.required);
    std::string separator = ": ";
    for (const DrcItem& item : marker.items) {
        const std::string named = itemText(item);
        text += separator + (named.empty() ? "(unnamed)" : named);
        separator = ", ";
    }
    return text;
}

} // namespace lumora::engine
