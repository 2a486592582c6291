#include "drawing/ItemOwners.h"

#include <algorithm>

namespace lumora::drawing {

namespace {

std::string netOfPin(const ItemOwner& component, std::string_view pin) {
    if (component.pinNets == nullptr) {
        return {};
    }
    auto net = component.pinNets->find(pin);
    return net == component.pinNets->end() ? std::string() : net->second;
}

} // namespace

bool namesOwner(const engine::DrcItem& item, const ItemOwner& owner) {
    return item.component.empty()
               ? !item.net.empty() && item.net == owner.net
               : item.component == owner.component && (item.pin.empty() || item.pin == owner.pin);
}

ItemOwner ItemOwners::of(const engine::Insert& insert, const ItemOwner& outer) const {
    if (lit_.empty()) {
        return {}; // no names to build
    }
    ItemOwner owner = outer;
    if (insert.insertType == insert_type::Board) {
        owner = ItemOwner{.boards = outer.boards + insert.refName.str() + "/"};
    } else if (insert.insertType == insert_type::Pin) {
        owner.pin = insert.refName.str();
        owner.net = netOfPin(outer, insert.refName);
    } else {
        owner = ItemOwner{.boards = outer.boards,
                          .component = outer.boards + insert.refName.str(),
                          .net = insert.net.str(),
                          .pinNets = &insert.pinNets};
    }
    owner.lit = outer.lit || std::ranges::any_of(
                                 lit_, [&](const engine::DrcItem& item) { return namesOwner(item, owner); });
    return owner;
}

bool ItemOwners::netLit(std::string_view net, const ItemOwner& owner) const {
    return !net.empty() && owner.component.empty() &&
           std::ranges::any_of(
               lit_, [&](const engine::DrcItem& item) { return item.component.empty() && item.net == net; });
}

// A marker that names a net lights its vias, pads and etch, not the plane that fills the board.
bool ItemOwners::isPlane(int16_t layer) const {
    const auto& layers = design_.layers;
    if (layer < 0 || static_cast<std::size_t>(layer) >= layers.size() || !layers[layer]) {
        return false;
    }
    return layers[layer]->type == layer_type::Plane || layers[layer]->type == layer_type::SplitPlane;
}

} // namespace lumora::drawing
