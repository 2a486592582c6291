#pragma once

#include "engine/model/Items.h"

#include <span>
#include <string>

namespace lumora::engine {

// What a person calls a placed item, read from the inserts that place it, outermost first: the
// reference of the footprint that holds it (a component, fiducial, testpoint, tooling hole, via),
// after the references of the boards of a panel ("B1/U1"), and the pad number of its pin. A pad
// placed on its own is called by its own reference. The path alone decides, so that an item named
// where it is flattened and one named later from its path read alike.
struct InsertNames {
    std::string component{};
    std::string pin{};
};

InsertNames namesFromInserts(std::span<const Insert* const> inserts);

} // namespace lumora::engine
