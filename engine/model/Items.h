#pragma once

#include "engine/model/Attributes.h"
#include "engine/model/CodeNames.h"
#include "engine/model/InsertPath.h"
#include "engine/model/Shapes.h"
#include "engine/model/SharedValue.h"
#include "engine/model/ShortText.h"

// GCC 12 warns of a read past the inline buffer in Boost's moves that its bounds never reach.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wstringop-overread"
#endif
#include <boost/container/flat_map.hpp>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace lumora::engine {

// Where a flattened item came from, so that checks can tell nets, components and pins apart.
struct FlatOrigin {
    ShortText component{};                 // reference name of its component (or top-level insert)
    ShortText pin{};                       // reference name of its pin, if any
    int16_t insertType = insert_type::Any; // type of the insert it was taken from; -1 at top level
    int16_t surface = surface::Top;        // mount side of that insert
    // Data positions from the file's block down to the insert the item lies in, or that a mark
    // stands for; empty for the file's own items.
    InsertPath insertPath{};
    bool operator==(const FlatOrigin&) const = default;
};

struct Graphic {
    Shape shape{};
    int16_t layer = 0;
    int16_t graphicClass = graphic_class::Normal;
    // Flatten geometries only: the item's data position in the block it was taken from (-1 for a
    // mark), and its origin, shared by the items taken from one insert.
    int32_t sourcePosition = -1;
    ShortText net{};
    AttributeList attributes{};
    SharedValue<FlatOrigin> origin{};
    bool operator==(const Graphic&) const = default;
};

// A component's pins by reference name, each with its net. A sorted vector rather than a tree: an
// item takes the room of the larger of Insert and Graphic, and a tree's root took 48 bytes of every
// item of a board and of every flatten result. Found by a view of the pin's name, without a copy.
using PinNets = boost::container::flat_map<std::string, std::string, std::less<>>;

// A placement of one geometry inside another. Mirroring flips x before rotating and moves the
// placed items to their layers' mirror layers.
struct Insert {
    int16_t insertType = insert_type::Unclassified;
    int16_t geometry = 0;
    bool mirror = false; // beside the short fields: an item takes the room of the larger of the two kinds
    Point at{};
    double rotation = 0; // degrees, counter-clockwise
    double scale = 1;
    ShortText refName{};
    ShortText net{};   // vias, testpoints, free pads
    PinNets pinNets{}; // components
    AttributeList attributes{};
    bool operator==(const Insert&) const = default;
};

using DataItem = std::variant<Insert, Graphic>;

} // namespace lumora::engine
