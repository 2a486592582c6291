#include "engine/measure/PlacedInserts.h"

#include "engine/runtime/WhileWaiting.h"

#include <cmath>

namespace lumora::engine {

namespace {

void walk(const Design& design, const Geometry& block, const Transform& transform, const PlacedInsert* parent,
          const std::string& prefix, const Geometry& board,
          const std::function<void(const PlacedInsert&)>& visit) {
    for (const DataItem& item : block.data) {
        const auto* insert = std::get_if<Insert>(&item);
        if (!insert) {
            continue;
        }
        const Geometry& child = design.geometry(insert->geometry);
        const PlacedInsert placed{*insert, Transform::of(*insert).then(transform), parent, prefix, board};
        visit(placed);
        const bool isBoard = insert->insertType == insert_type::Board;
        walk(design, child, placed.placed, &placed, isBoard ? prefix + insert->refName + "/" : prefix,
             isBoard ? child : board, visit);
    }
}

} // namespace

const std::string& PlacedInsert::net() const {
    static const std::string kNone;
    if (!insert.net.empty() || insert.insertType != insert_type::Pin) {
        return insert.net;
    }
    for (const PlacedInsert* owner = parent; owner; owner = owner->parent) {
        auto found = owner->insert.pinNets.find(insert.refName);
        if (found != owner->insert.pinNets.end()) {
            return found->second;
        }
    }
    return kNone;
}

DrcItem PlacedInsert::item() const {
    const std::string* found = insert.attributes.find(keyword::SourceId);
    const std::string id = found ? *found : std::string();
    if (insert.insertType == insert_type::Pin && parent) {
        return {.component = parent->reference(), .pin = insert.refName, .net = net(), .id = id};
    }
    return {.component = reference(), .net = net(), .id = id};
}

double PlacedInsert::rotation() const {
    return placed.applyAngle(placed.mirrored() ? 180 : 0);
}

double PlacedInsert::scale() const {
    const Point unit = placed.apply(Point{1, 0});
    return std::hypot(unit.x - placed.offset().x, unit.y - placed.offset().y);
}

void forEachPlacedInsert(const Design& design, int32_t filePos,
                         const std::function<void(const PlacedInsert&)>& visit) {
    const Geometry& block = design.geometry(design.file(filePos).geometry);
    EventSlices events; // the checks that walk a whole board do their work here, on the caller's thread
    walk(design, block, Transform(), nullptr, "", block, [&](const PlacedInsert& placed) {
        events.tick();
        visit(placed);
    });
}

} // namespace lumora::engine
