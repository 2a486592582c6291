#include "engine/ops/Polygons.h"

#include "engine/ops/AreaIndex.h"
#include "engine/ops/Flatten.h"

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

void combinePolies(Design& design, int16_t geomNum) {
    Geometry& geometry = flattenGeometry(design, geomNum);
    const AreaIndex index(geometry.data);
    Groups groups(geometry.data.size());
    for (std::size_t i = 0; i < geometry.data.size(); ++i) {
        for (std::size_t j : index.touching(index.area(i), i)) {
            groups.join(i, j);
        }
    }
    std::vector<std::vector<Area>> pieces(geometry.data.size());
    std::vector<std::size_t> members(geometry.data.size(), 0);
    for (std::size_t i = 0; i < geometry.data.size(); ++i) {
        const std::size_t leader = groups.root(i);
        ++members[leader];
        if (!index.area(i).empty()) {
            pieces[leader].push_back(index.area(i));
        }
    }
    std::vector<DataItem> result;
    for (std::size_t i = 0; i < geometry.data.size(); ++i) {
        const std::size_t leader = groups.root(i);
        if (members[leader] == 1) {
            result.push_back(std::move(geometry.data[i]));
        } else if (leader == i) {
            const Area joined = uniteAll(std::move(pieces[i]));
            for (DataItem& item : itemsFor(joined, std::get<Graphic>(geometry.data[i]))) {
                result.push_back(std::move(item));
            }
        }
    }
    geometry.data = std::move(result);
}

void processSolderMask(Design& design, int16_t soldermaskGeomNum, int16_t copperGeomNum) {
    const Geometry& mask = flattenGeometry(design, soldermaskGeomNum);
    Geometry& copper = flattenGeometry(design, copperGeomNum);
    const AreaIndex openings(mask.data);
    std::vector<DataItem> result;
    for (DataItem& item : copper.data) {
        auto* graphic = std::get_if<Graphic>(&item);
        if (!graphic) {
            continue;
        }
        if (const auto* mark = std::get_if<Mark>(&graphic->shape)) {
            if (openings.covers(mark->at)) {
                result.push_back(std::move(item));
            }
            continue;
        }
        const Area copperArea = areaOf(graphic->shape);
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
            continue;
        }
        if (std::abs(whole - left) <= whole * kRelativeAreaTolerance) {
            result.push_back(std::move(item));
        } else {
            for (DataItem& piece : itemsFor(kept, *graphic)) {
                result.push_back(std::move(piece));
            }
        }
    }
    copper.data = std::move(result);
}

} // namespace lumora::engine
