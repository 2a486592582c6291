#pragma once

#include "engine/model/Design.h"
#include "engine/model/DrcMarker.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumora::drawing {

// Who a placed item belongs to, in the names a marker gives its items.
struct ItemOwner {
    std::string boards{}; // "B1/" inside a panel's board
    std::string component{};
    std::string pin{};
    std::string net{}; // of a via, testpoint or free pad, or of a component's pin
    const engine::PinNets* pinNets = nullptr;
    bool lit = false; // one of the items asked for, or inside one
};

// Names the owners of placed items and tells which of them are among the items asked for (a
// marker's), so that a drawing can light them.
class ItemOwners {
  public:
    ItemOwners(const engine::Design& design, const std::vector<engine::DrcItem>& lit)
        : design_(design), lit_(lit) {}
    // The owners keep the items they are given, so they must outlive them.
    ItemOwners(const engine::Design&, std::vector<engine::DrcItem>&&) = delete;

    // The owner of what `insert` places, inside `outer`; no names are built when none are asked for.
    ItemOwner of(const engine::Insert& insert, const ItemOwner& outer) const;
    // Whether a graphic on `layer` inside `owner` is lit: its owner is, or it carries a net asked
    // for, unless it is a plane, which would light the whole board.
    bool lit(const engine::Graphic& graphic, int16_t layer, const ItemOwner& owner) const {
        return owner.lit || (netLit(graphic.net, owner) && !isPlane(layer));
    }
    bool isPlane(int16_t layer) const;

  private:
    bool netLit(std::string_view net, const ItemOwner& owner) const;

    const engine::Design& design_;
    const std::vector<engine::DrcItem>& lit_;
};

// Whether a marker's item names this owner: its component (and pin, when it names one), or, for an
// item without a component, its net.
bool namesOwner(const engine::DrcItem& item, const ItemOwner& owner);

} // namespace lumora::drawing
