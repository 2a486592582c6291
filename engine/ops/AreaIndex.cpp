#include "engine/ops/AreaIndex.h"

#include "engine/runtime/Parallel.h"

namespace lumora::engine {

namespace bgi = boost::geometry::index;

namespace {

std::vector<Area> areasOf(const std::vector<DataItem>& data) {
    return measureInParallel<Area>(data.size(), [&](std::size_t i) {
        const auto* graphic = std::get_if<Graphic>(&data[i]);
        return graphic ? areaOf(graphic->shape) : Area();
    });
}

} // namespace

AreaIndex::AreaIndex(std::vector<Area> areas) : areas_(std::move(areas)) {
    std::vector<Entry> entries;
    for (std::size_t position = 0; position < areas_.size(); ++position) {
        if (!areas_[position].empty()) {
            entries.emplace_back(bg::return_envelope<Box>(areas_[position]), position);
        }
    }
    tree_ = decltype(tree_)(entries.begin(), entries.end());
}

AreaIndex::AreaIndex(const std::vector<DataItem>& data) : AreaIndex(areasOf(data)) {}

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
