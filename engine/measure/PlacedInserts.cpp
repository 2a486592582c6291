#include "engine/measure/PlacedInserts.h"

#include "engine/runtime/WhileWaiting.h"

#include <algorithm>
#include <cmath>

namespace lumora::engine {

namespace {

// Where a block's inserts end up: in the file's coordinates, below an insert, in a board.
struct Placement {
    Transform transform;
    const PlacedInsert* parent;
    const std::string& prefix;
    const Geometry& board;
};

// The inserts among the block's items [first, last) and, depth first, every insert below them.
void walk(const Design& design, const Geometry& block, std::pair<std::size_t, std::size_t> range,
          const Placement& where, const std::function<void(const PlacedInsert&)>& visit) {
    for (std::size_t position = range.first; position < range.second; ++position) {
        const auto* insert = std::get_if<Insert>(&block.data[position]);
        if (!insert) {
            continue;
        }
        const Geometry& child = design.geometry(insert->geometry);
        const PlacedInsert placed{*insert, Transform::of(*insert).then(where.transform), where.parent,
                                  where.prefix, where.board};
        visit(placed);
        const bool isBoard = insert->insertType == insert_type::Board;
        const std::string boardPrefix = isBoard ? where.prefix + insert->refName.str() + "/" : std::string();
        const std::string& prefix = isBoard ? boardPrefix : where.prefix;
        walk(design, child, {0, child.data.size()},
             {placed.placed, &placed, prefix, isBoard ? child : where.board}, visit);
    }
}

} // namespace

std::string_view PlacedInsert::net() const {
    if (!insert.net.empty() || insert.insertType != insert_type::Pin) {
        return insert.net;
    }
    for (const PlacedInsert* owner = parent; owner; owner = owner->parent) {
        auto found = owner->insert.pinNets.find(insert.refName.view());
        if (found != owner->insert.pinNets.end()) {
            return found->second;
        }
    }
    return {};
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
    const std::size_t count = design.geometry(design.file(filePos).geometry).data.size();
    EventSlices events; // the checks that walk a whole board do their work here, on the caller's thread
    forEachPlacedInsertIn(design, filePos, {0, count}, [&](const PlacedInsert& placed) {
        events.tick();
        visit(placed);
    });
}

std::vector<std::pair<std::size_t, std::size_t>> placedInsertRanges(const Design& design, int32_t filePos) {
    // A board's own items are mostly components, each with a few pins below it.
    constexpr std::size_t kItemsPerRange = 256;
    const std::size_t count = design.geometry(design.file(filePos).geometry).data.size();
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    for (std::size_t first = 0; first < count; first += kItemsPerRange) {
        ranges.emplace_back(first, std::min(count, first + kItemsPerRange));
    }
    return ranges;
}

void forEachPlacedInsertIn(const Design& design, int32_t filePos, std::pair<std::size_t, std::size_t> range,
                           const std::function<void(const PlacedInsert&)>& visit) {
    const Geometry& block = design.geometry(design.file(filePos).geometry);
    const std::string noPrefix;
    walk(design, block, range, {Transform(), nullptr, noPrefix, block}, visit);
}

} // namespace lumora::engine
