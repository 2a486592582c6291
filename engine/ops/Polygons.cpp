#include "engine/ops/Polygons.h"

#include "engine/model/GeometryItems.h"
#include "engine/ops/AreaIndex.h"
#include "engine/ops/Flatten.h"
#include "engine/runtime/Parallel.h"
#include "engine/runtime/WhileWaiting.h"

#include <cmath>
#include <limits>
#include <numeric>

namespace lumora::engine {

namespace {

constexpr std::size_t kNoPosition = std::numeric_limits<std::size_t>::max();
constexpr double kRelativeAreaTolerance = 1e-9;

class Groups {
  public:
    explicit Groups(std::size_t size) : parent_(size) { std::iota(parent_.begin(), parent_.end(), 0); }
    std::size_t root(std::size_t i) {
        while (parent_[i] != i) {
            i = parent_[i] = parent_[parent_[i]];
        }
        return i;
    }
    void join(std::size_t a, std::size_t b) {
        a = root(a);
        b = root(b);
        parent_[std::max(a, b)] = std::min(a, b); // the first item leads its group
    }

  private:
    std::vector<std::size_t> parent_;
};

// One item per polygon of area, each with the layer and the other properties of model.
std::vector<DataItem> itemsFor(const Area& area, const Graphic& model) {
    std::vector<DataItem> items;
    for (const AreaPolygon& polygon : area) {
        Graphic piece = model;
        piece.shape = toPolygon(polygon);
        items.emplace_back(std::move(piece));
    }
    return items;
}

} // namespace

namespace {

// The items whose areas share a point, in groups each led by its first item.
Groups touchingGroups(const AreaIndex& index, std::size_t count) {
    const std::vector<std::vector<std::size_t>> touching = measureInParallel<std::vector<std::size_t>>(
        count, [&](std::size_t i) { return index.touching(index.area(i), i); });
    Groups groups(count);
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t j : touching[i]) {
            groups.join(i, j);
        }
    }
    return groups;
}

// The union of each group of more than one item, in the order of their leaders.
std::vector<Area> groupUnions(const AreaIndex& index, Groups& groups, std::vector<std::size_t>& members) {
    const std::size_t count = members.size();
    std::vector<std::vector<Area>> pieces(count);
    EventSlices events; // copying every piece of a plane takes a while
    for (std::size_t i = 0; i < count; ++i) {
        events.tick();
        const std::size_t leader = groups.root(i);
        ++members[leader];
        if (!index.area(i).empty()) {
            pieces[leader].push_back(index.area(i));
        }
    }
    std::vector<std::size_t> leaders;
    for (std::size_t i = 0; i < count; ++i) {
        if (members[i] > 1) {
            leaders.push_back(i);
        }
    }
    return measureInParallel<Area>(leaders.size(),
                                   [&](std::size_t k) { return uniteAll(std::move(pieces[leaders[k]])); });
}

} // namespace

void combinePolies(Design& design, int16_t geomNum) {
    Geometry& geometry = flattenGeometry(design, geomNum);
    ownItems(geometry);
    const std::size_t count = geometry.data.size();
    const AreaIndex index(geometry.data);
    Groups groups = touchingGroups(index, count);
    std::vector<std::size_t> members(count, 0);
    std::vector<Area> joined = groupUnions(index, groups, members);
    std::vector<DataItem> result;
    result.reserve(count); // a group's union has no more pieces than the group
    EventSlices events;
    auto nextJoined = joined.begin();
    for (std::size_t i = 0; i < count; ++i) {
        events.tick();
        const std::size_t leader = groups.root(i);
        if (members[leader] == 1) {
            result.push_back(std::move(geometry.data[i]));
        } else if (leader == i) {
            for (DataItem& item : itemsFor(*nextJoined++, std::get<Graphic>(geometry.data[i]))) {
                result.push_back(std::move(item));
            }
        }
    }
    geometry.data = std::move(result);
}

namespace {

// What is left of a copper item where the mask opens: all of it, none of it, or these pieces.
struct MaskedCopper {
    enum class Kind { Whole, None, Pieces } kind = Kind::None;
    Area pieces;
};

MaskedCopper underOpenings(const Graphic& graphic, const AreaIndex& openings) {
    if (const auto* mark = std::get_if<Mark>(&graphic.shape)) {
        return {openings.covers(mark->at) ? MaskedCopper::Kind::Whole : MaskedCopper::Kind::None, {}};
    }
    const Area copperArea = areaOf(graphic.shape);
    std::vector<Area> touching;
    for (std::size_t position : openings.touching(copperArea, kNoPosition)) {
        touching.push_back(openings.area(position));
    }
    const Area open = uniteAll(std::move(touching));
    Area kept;
    bg::intersection(copperArea, open, kept);
    const double whole = bg::area(copperArea);
    const double left = bg::area(kept);
    if (left <= whole * kRelativeAreaTolerance) {
        return {};
    }
    if (std::abs(whole - left) <= whole * kRelativeAreaTolerance) {
        return {MaskedCopper::Kind::Whole, {}};
    }
    return {MaskedCopper::Kind::Pieces, std::move(kept)};
}

} // namespace

void processSolderMask(Design& design, int16_t soldermaskGeomNum, int16_t copperGeomNum) {
    const AreaIndex openings(ownItems(flattenGeometry(design, soldermaskGeomNum)));
    Geometry& copper = flattenGeometry(design, copperGeomNum);
    ownItems(copper);
    const std::vector<MaskedCopper> masked =
        measureInParallel<MaskedCopper>(copper.data.size(), [&](std::size_t i) {
            const auto* graphic = std::get_if<Graphic>(&copper.data[i]);
            return graphic ? underOpenings(*graphic, openings) : MaskedCopper{};
        });
    std::vector<DataItem> result;
    for (std::size_t i = 0; i < copper.data.size(); ++i) {
        if (masked[i].kind == MaskedCopper::Kind::Whole) {
            result.push_back(std::move(copper.data[i]));
        } else if (masked[i].kind == MaskedCopper::Kind::Pieces) {
            for (DataItem& piece : itemsFor(masked[i].pieces, std::get<Graphic>(copper.data[i]))) {
                result.push_back(std::move(piece));
            }
        }
    }
    copper.data = std::move(result);
}

} // namespace lumora::engine
