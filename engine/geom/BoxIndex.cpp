#include "engine/geom/BoxIndex.h"

#include <boost/iterator/function_output_iterator.hpp>

#include <algorithm>
#include <cmath>
#include <utility>

namespace lumora::engine {

namespace bgi = boost::geometry::index;

namespace {

// Below this many boxes a list is one tree; above, 2^6 = 64 cells, many more than threads, so that
// they share the packing evenly.
constexpr std::size_t kOneTree = 1 << 16;
constexpr int kCellLevels = 6;

// A centre coordinate that orders: not a number would break the median's ordering.
double orderedCentre(const Box& box, bool x) {
    const Point centre = centreOf(box);
    const double coordinate = x ? centre.x : centre.y;
    return std::isfinite(coordinate) ? coordinate : 0;
}

using Entry = std::pair<Box, std::size_t>;

// Halves the entries at the median of their centres' x, then each half at the median of y, and so
// on down to 2^levels cells, the halves of a level split through forEach.
std::vector<std::span<Entry>> splitAtMedians(std::span<Entry> entries, int levels,
                                             const ForEachIndex& forEach) {
    std::vector<std::span<Entry>> cells{entries};
    for (int level = 0; level < levels; ++level) {
        const bool byX = level % 2 == 0;
        std::vector<std::span<Entry>> halves(2 * cells.size());
        forEach(cells.size(), [&](std::size_t c) {
            const std::span<Entry> cell = cells[c];
            const std::size_t half = cell.size() / 2;
            std::ranges::nth_element(cell, cell.begin() + static_cast<std::ptrdiff_t>(half), {},
                                     [byX](const Entry& entry) { return orderedCentre(entry.first, byX); });
            halves[2 * c] = cell.first(half);
            halves[2 * c + 1] = cell.subspan(half);
        });
        cells = std::move(halves);
    }
    return cells;
}

} // namespace

void oneAfterAnother(std::size_t count, const std::function<void(std::size_t)>& body) {
    for (std::size_t n = 0; n < count; ++n) {
        body(n);
    }
}

Box grown(const Box& box, double distance) {
    return Box({box.min_corner().x() - distance, box.min_corner().y() - distance},
               {box.max_corner().x() + distance, box.max_corner().y() + distance});
}

BoxIndex::BoxIndex(std::span<const Box> boxes, const ForEachIndex& forEach) {
    std::vector<Entry> entries;
    entries.reserve(boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        entries.emplace_back(boxes[i], i);
    }
    const std::vector<std::span<Entry>> cells =
        splitAtMedians(entries, entries.size() < kOneTree ? 0 : kCellLevels, forEach);
    trees_.resize(cells.size());
    forEach(cells.size(), [&](std::size_t c) { trees_[c] = Tree(cells[c].begin(), cells[c].end()); });
    for (const Tree& tree : trees_) {
        bounds_.push_back(tree.bounds());
    }
}

std::vector<std::size_t> BoxIndex::near(const Box& box, double distance) const {
    std::vector<std::size_t> found;
    near(box, distance, found);
    return found;
}

// A query through an output iterator: the query iterators are type-erased and allocate each time.
void BoxIndex::near(const Box& box, double distance, std::vector<std::size_t>& found) const {
    found.clear();
    const Box query = grown(box, distance);
    for (std::size_t t = 0; t < trees_.size(); ++t) {
        if (!bg::intersects(query, bounds_[t])) {
            continue;
        }
        trees_[t].query(bgi::intersects(query),
                        boost::make_function_output_iterator(
                            [&found](const Entry& entry) { found.push_back(entry.second); }));
    }
    std::ranges::sort(found);
}

} // namespace lumora::engine
