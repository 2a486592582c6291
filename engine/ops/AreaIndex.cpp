#include "engine/ops/AreaIndex.h"

namespace lumora::engine {

namespace bgi = boost::geometry::index;

AreaIndex::AreaIndex(const std::vector<DataItem>& data) {
    areas_.reserve(data.size());
    std::vector<Entry> entries;
    for (std::size_t position = 0; position < data.size(); ++position) {
        const auto* graphic = std::get_if<Graphic>(&data[position]);
        areas_.push_back(graphic ? areaOf(graphic->shape) : Area());
        if (!areas_.back().empty()) {
            entries.emplace_back(bg::return_envelope<Box>(areas_.back()), position);
        }
    }
    tree_ = decltype(tree_)(entries.begin(), entries.end());
}

std::vector<std::size_t> AreaIndex::touching(const Area& area, std::size_t position) const {
    std::vector<std::size_t> result;
    if (area.empty()) {
        return result;
    }
    const Box box = bg::return_envelope<Box>(area);
    for (auto it = tree_.qbegin(bgi::intersects(box)); it != tree_.qend(); ++it) {
        if (it->second != position && bg::intersects(areas_[it->second], area)) {
            result.push_back(it->second);
        }
    }
    return result;
}

bool AreaIndex::covers(Point point) const {
    const AreaPoint p(point.x, point.y);
    for (auto it = tree_.qbegin(bgi::intersects(p)); it != tree_.qend(); ++it) {
        if (bg::covered_by(p, areas_[it->second])) {
            return true;
        }
    }
    return false;
}

} // namespace lumora::engine
