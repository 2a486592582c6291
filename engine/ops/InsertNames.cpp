#include "engine/ops/InsertNames.h"

namespace lumora::engine {

// The innermost component names the item; without one, the outermost insert that places a footprint
// of another kind (a fiducial, a testpoint, a via), not the pin inside it.
InsertNames namesFromInserts(std::span<const Insert* const> inserts) {
    std::string boards;
    const Insert* component = nullptr;
    const Insert* footprint = nullptr;
    const Insert* pin = nullptr;
    for (const Insert* insert : inserts) {
        if (insert->insertType == insert_type::Board) {
            boards.append(insert->refName.view()).append("/");
            component = nullptr;
            footprint = nullptr;
        } else if (insert->insertType == insert_type::Pin) {
            pin = insert;
        } else if (insert->insertType == insert_type::Component) {
            component = insert;
        } else if (footprint == nullptr) {
            footprint = insert;
        }
    }
    const Insert* owner = component ? component : footprint;
    if (owner == nullptr && !inserts.empty() && inserts.back()->insertType != insert_type::Board) {
        owner = inserts.back();
    }
    return {owner ? boards.append(owner->refName.view()) : std::string(),
            pin ? pin->refName.str() : std::string()};
}

} // namespace lumora::engine
