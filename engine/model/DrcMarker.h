#pragma once

#include "engine/model/Shapes.h"
#include "engine/model/ShortText.h"

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine {

// One design item a violation is about. Empty texts stand for "none" (a via has no pin, free etch
// no component). `id` is the identity the design's source gives an item (its SOURCE_ID attribute,
// a KiCad uuid), for keys that tell apart items without a name.
struct DrcItem {
    ShortText component{};
    ShortText pin{};
    ShortText net{};
    ShortText id{};
    auto operator<=>(const DrcItem&) const = default;
};

// A violation a check placed in the document: where, how bad, what was measured against which
// limit, and between which items. Lengths are in page units; counts and ratios as they are.
struct DrcMarker {
    int32_t file = 0; // the board or panel the location belongs to
    Point at{};
    ShortText severity{}; // "Marginal" or "Critical"
    ShortText check{};
    ShortText measure{}; // what measured and required are: "distance", "width", "hole size" ...
    double measured = 0;
    double required = 0;
    std::vector<DrcItem> items{};
    bool operator==(const DrcMarker&) const = default;
};

// The word for a measured or required value where the measure counts in codes that have words (a
// pad shape: "oblong"), else nothing: such values read as words wherever a person reads them.
std::optional<std::string> valueWord(std::string_view measure, double value);

// "R1-2 VCC": the item as a user names it.
std::string itemText(const DrcItem& item);

// "distance 10, required 15: A-1 N1, B-1 N2": the marker in one line for a reader; an item without
// component, pin or net reads "(unnamed)".
std::string markerText(const DrcMarker& marker);

} // namespace lumora::engine
