#include "engine/checks/FlatItems.h"

#include <map>

namespace lumora::engine {

std::vector<FlatItem> flatItemsOf(const Geometry& geometry) {
    std::vector<FlatItem> items;
    for (const DataItem& data : geometry.data) {
        if (const auto* graphic = std::get_if<Graphic>(&data)) {
            Footprint footprint(graphic->shape);
            if (!footprint.empty()) {
                items.push_back({graphic, std::move(footprint)});
            }
        }
    }
    return items;
}

std::vector<Box> boxesOf(const std::vector<FlatItem>& items) {
    std::vector<Box> boxes;
    boxes.reserve(items.size());
    for (const FlatItem& item : items) {
        boxes.push_back(item.footprint.box());
    }
    return boxes;
}

std::vector<int32_t> insertPathOf(const Graphic& graphic) {
    if (!graphic.origin || graphic.origin->path.empty()) {
        return {};
    }
    const std::vector<int32_t>& path = graphic.origin->path;
    // An insertion mark stands for its insert; any other graphic lies inside one.
    if (std::holds_alternative<Mark>(graphic.shape)) {
        return path;
    }
    return {path.begin(), path.end() - 1};
}

std::vector<InsertItems> groupByInsert(const std::vector<FlatItem>& items) {
    std::vector<InsertItems> groups;
    std::map<std::vector<int32_t>, std::size_t> groupOf;
    for (const FlatItem& item : items) {
        auto [found, added] = groupOf.try_emplace(insertPathOf(*item.graphic), groups.size());
        if (added) {
            groups.emplace_back();
        }
        groups[found->second].push_back(&item);
    }
    return groups;
}

} // namespace lumora::engine
