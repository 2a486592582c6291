#include "engine/geom/BoxIndex.h"

#include <boost/iterator/function_output_iterator.hpp>

#include <algorithm>

namespace lumora::engine {

namespace bgi = boost::geometry::index;

void oneAfterAnother(std::size_t count, const std::function<void(std::size_t)>& body) {
    for (std::size_t n = 0; n < count; ++n) {
        body(n);
    }
}

Box grown(const Box& box, double distance) {
    return Box({box.min_corner().x() - distance, box.min_corner().y() - distance},
               {box.max_corner().x() + distance, box.max_corner().y() + distance});
}

BoxIndex::BoxIndex(std::span<const Box> boxes) {
    std::vector<Entry> entries;
    entries.reserve(boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        entries.emplace_back(boxes[i], i);
    }
    tree_ = decltype(tree_)(entries.begin(), entries.end());
}

std::vector<std::size_t> BoxIndex::near(const Box& box, double distance) const {
    std::vector<std::size_t> found;
    near(box, distance, found);
    return found;
}

// A query through an output iterator: the query iterators are type-erased and allocate each time.
void BoxIndex::near(const Box& box, double distance, std::vector<std::size_t>& found) const {
    found.clear();
    tree_.query(bgi::intersects(grown(box, distance)),
                boost::make_function_output_iterator(
                    [&found](const Entry& entry) { found.push_back(entry.second); }));
    std::ranges::sort(found);
}

} // namespace lumora::engine
