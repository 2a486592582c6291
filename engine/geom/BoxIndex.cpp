#include "engine/geom/BoxIndex.h"

#include <boost/iterator/function_output_iterator.hpp>

#include <algorithm>
#include <cmath>

namespace lumora::engine {

namespace bgi = boost::geometry::index;

namespace {

// Below this many boxes a list is one tree; above, 2^6 = 64 cells: the worker pool keeps a run of
// fewer items on the caller's thread.
constexpr std::size_t kOneTree = 1 << 16;
constexpr int kCellLevels = 6;

// A centre coordinate that orders: not a number would break the median's ordering.
double orderedCentre(const Box& box, bool x) {
    const Point centre = centreOf(box);
    const double coordinate = x ? centre.x : centre.y;
    return std::isfinite(coordinate) ? coordinate : 0;
}

using Entry = std::pair<Box, std::size_t>;

// Halves the entries at the median of their centres' x or y, then each half at the other axis, down
// to 2^levels cells.
void splitAtMedians(std::span<Entry> entries, int levels, bool byX, std::vector<std::span<Entry>>& cells) {
    if (levels == 0) {
        cells.push_back(entries);
        return;
    }
    const std::size_t half = entries.size() / 2;
    std::ranges::nth_element(entries, entries.begin() + static_cast<std::ptrdiff_t>(half), {},
                             [byX](const Entry& entry) { return orderedCentre(entry.first, byX); });
    splitAtMedians(entries.first(half), levels - 1, !byX, cells);
    splitAtMedians(entries.subspan(half), levels - 1, !byX, cells);
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
    std::vector<std::span<Entry>> cells;
    splitAtMedians(entries, entries.size() < kOneTree ? 0 : kCellLevels, true, cells);
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
