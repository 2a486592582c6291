#include "engine/geom/PairSearch.h"

#include <algorithm>

namespace lumora::engine {

namespace bgi = boost::geometry::index;

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
    for (auto it = tree_.qbegin(bgi::intersects(grown(box, distance))); it != tree_.qend(); ++it) {
        found.push_back(it->second);
    }
    std::ranges::sort(found);
    return found;
}

std::vector<IndexPair> nearPairs(std::span<const Box> boxes, double distance) {
    const BoxIndex index(boxes);
    std::vector<IndexPair> pairs;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        for (std::size_t j : index.near(boxes[i], distance)) {
            if (j > i) {
                pairs.emplace_back(i, j);
            }
        }
    }
    return pairs;
}

std::vector<IndexPair> nearPairs(std::span<const Box> first, std::span<const Box> second, double distance) {
    const BoxIndex index(second);
    std::vector<IndexPair> pairs;
    for (std::size_t i = 0; i < first.size(); ++i) {
        for (std::size_t j : index.near(first[i], distance)) {
            pairs.emplace_back(i, j);
        }
    }
    return pairs;
}

} // namespace lumora::engine
