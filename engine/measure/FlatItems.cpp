#include "engine/measure/FlatItems.h"

#include "engine/model/GeometryItems.h"
#include "engine/runtime/Parallel.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <unordered_map>

#include <boost/container_hash/hash.hpp>

namespace lumora::engine {

namespace {

// An outline is the border of a board or panel, drawn along its pen's centre line.
Fill fillOf(const Graphic& graphic) {
    const bool outline = graphic.graphicClass == graphic_class::BoardOutline ||
                         graphic.graphicClass == graphic_class::PanelOutline;
    return outline ? Fill::Border : Fill::Solid;
}

} // namespace

// Shapes are turned into footprints on several threads: on large boards that is most of a
// check's time.
std::vector<FlatItem> flatItemsOf(const Geometry& geometry) {
    std::vector<const Graphic*> graphics;
    graphics.reserve(itemCount(geometry));
    forEachItem(geometry, [&](const DataItem& data) {
        if (const auto* graphic = std::get_if<Graphic>(&data)) {
            graphics.push_back(graphic);
        }
    });
    auto footprints = measureInParallel<std::optional<Footprint>>(
        graphics.size(), [&](std::size_t i) -> std::optional<Footprint> {
            Footprint footprint(graphics[i]->shape, fillOf(*graphics[i]));
            return footprint.empty() ? std::nullopt : std::optional(std::move(footprint));
        });
    std::vector<FlatItem> items;
    items.reserve(graphics.size());
    for (std::size_t i = 0; i < graphics.size(); ++i) {
        if (footprints[i]) {
            items.push_back({graphics[i], std::move(*footprints[i])});
        }
    }
    return items;
}

Area areaOf(const FlatItem& item) {
    return areaOf(item.graphic->shape, fillOf(*item.graphic));
}

bool overlaps(const FlatItem& a, const FlatItem& b) {
    return overlaps(a.graphic->shape, fillOf(*a.graphic), b.graphic->shape, fillOf(*b.graphic));
}

// In ranges on the worker pool, joined in order: a pair search of a million items waited for them
// on one thread.
RoughItems roughItemsOf(const Geometry& geometry) {
    constexpr std::size_t kRange = 1024;
    std::vector<std::span<const DataItem>> rangeItems;
    for (std::span<const DataItem> items : itemSpans(geometry)) {
        for (std::size_t first = 0; first < items.size(); first += kRange) {
            rangeItems.push_back(items.subspan(first, std::min(kRange, items.size() - first)));
        }
    }
    std::vector<RoughItems> ranges(rangeItems.size());
    workerPool().runEach(ranges.size(), [&](std::size_t r) {
        for (const DataItem& item : rangeItems[r]) {
            const auto* graphic = std::get_if<Graphic>(&item);
            if (std::optional<Box> box = graphic ? roughBoxOf(graphic->shape) : std::nullopt) {
                ranges[r].graphics.push_back(graphic);
                ranges[r].boxes.push_back(*box);
            }
        }
    });
    RoughItems items;
    std::size_t count = 0;
    for (const RoughItems& range : ranges) {
        count += range.graphics.size();
    }
    items.graphics.reserve(count);
    items.boxes.reserve(count);
    for (const RoughItems& range : ranges) {
        items.graphics.insert(items.graphics.end(), range.graphics.begin(), range.graphics.end());
        items.boxes.insert(items.boxes.end(), range.boxes.begin(), range.boxes.end());
    }
    return items;
}

namespace {

constexpr uint32_t kNoSlot = std::numeric_limits<uint32_t>::max();

} // namespace

SomeFootprints::SomeFootprints(std::span<const Graphic* const> graphics, const std::vector<char>& wanted)
    : slots_(graphics.size(), kNoSlot) {
    std::vector<uint32_t> positions;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (wanted[i]) {
            if (positions.size() >= kNoSlot) {
                throw std::length_error("more items than a distance check can measure");
            }
            slots_[i] = static_cast<uint32_t>(positions.size());
            positions.push_back(static_cast<uint32_t>(i));
        }
    }
    footprints_ = measureInParallel<Footprint>(positions.size(), [&](std::size_t n) {
        const Graphic& graphic = *graphics[positions[n]];
        return Footprint(graphic.shape, fillOf(graphic));
    });
}

const Footprint* SomeFootprints::at(std::size_t position) const {
    const uint32_t slot = slots_[position];
    return slot != kNoSlot && !footprints_[slot].empty() ? &footprints_[slot] : nullptr;
}

std::vector<Box> boxesOf(const std::vector<FlatItem>& items) {
    std::vector<Box> boxes;
    boxes.reserve(items.size());
    for (const FlatItem& item : items) {
        boxes.push_back(item.footprint.box());
    }
    return boxes;
}

// Without a copy: the hot path of the pair checks asks for it once per candidate pair.
std::span<const int32_t> insertPathOf(const Graphic& graphic) {
    if (!graphic.origin) {
        return {};
    }
    return {graphic.origin->insertPath.data(), graphic.origin->insertPath.size()};
}

namespace {

// The block placed by the insert at data positions `path` below `block`; null when the path leads
// elsewhere, as it may once the design changed after flattening.
const Geometry* blockInsertedAt(const Design& design, const Geometry& block, std::span<const int32_t> path) {
    const Geometry* geometry = &block;
    for (const int32_t position : path) {
        if (position < 0 || static_cast<std::size_t>(position) >= geometry->data.size()) {
            return nullptr;
        }
        const auto* insert = std::get_if<Insert>(&geometry->data[static_cast<std::size_t>(position)]);
        const auto child = insert ? design.geometries.find(insert->geometry) : design.geometries.end();
        if (child == design.geometries.end()) {
            return nullptr;
        }
        geometry = &child->second;
    }
    return path.empty() ? nullptr : geometry;
}

} // namespace

ObjectKey objectOf(const Graphic& graphic) {
    // Below every data position: the outline, one object however many items draw it.
    constexpr int32_t kOutline = -1;
    if (graphic.graphicClass == graphic_class::BoardOutline ||
        graphic.graphicClass == graphic_class::PanelOutline) {
        return {kOutline};
    }
    const std::span<const int32_t> owner = insertPathOf(graphic);
    if (!owner.empty()) {
        return {owner.begin(), owner.end()};
    }
    return graphic.origin && graphic.sourcePosition >= 0 ? ObjectKey{graphic.sourcePosition} : ObjectKey{};
}

bool ofOnePadstack(const Design& design, const Geometry& fileBlock, const Graphic& a, const Graphic& b) {
    const std::span<const int32_t> owner = insertPathOf(a);
    if (owner.empty() || !std::ranges::equal(owner, insertPathOf(b))) {
        return false;
    }
    const Geometry* block = blockInsertedAt(design, fileBlock, owner);
    return block != nullptr && block->blockType == block_type::Padstack;
}

namespace {

// Insert paths viewed where their items keep them: a copy per item was most of a grouping's time.
struct PathHash {
    std::size_t operator()(std::span<const int32_t> path) const {
        return boost::hash_range(path.begin(), path.end());
    }
};
struct SamePath {
    bool operator()(std::span<const int32_t> a, std::span<const int32_t> b) const {
        return std::ranges::equal(a, b);
    }
};

} // namespace

std::vector<InsertItems> groupByInsert(const std::vector<FlatItem>& items) {
    return groupItemsBy<std::span<const int32_t>, PathHash, SamePath>(
        items, [](const FlatItem& item) { return insertPathOf(*item.graphic); });
}

} // namespace lumora::engine
