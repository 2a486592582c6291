#include "engine/io/PlacementBudget.h"

#include "engine/model/NumberText.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace lumora::engine {

namespace {

double distance(const Point& p) {
    return std::hypot(p.x, p.y);
}

double ringReach(std::span<const Point> ring, const Point& offset = {}) {
    double reach = 0;
    for (const Point& p : ring) {
        reach = std::max(reach, distance({p.x + offset.x, p.y + offset.y}));
    }
    return reach;
}

// How far a shape reaches from its block's origin, whatever its rotation.
struct ShapeReach {
    double operator()(const Pad& pad) const {
        return distance(pad.at) + std::max({pad.sizeX, pad.sizeY, innerOf(pad)}) + ringReach(outlineOf(pad));
    }
    double operator()(const Line& line) const {
        return std::max(distance(line.from), distance(line.to)) + line.width;
    }
    double operator()(const Arc& arc) const { return distance(arc.center) + arc.radius + arc.width; }
    double operator()(const Circle& circle) const {
        return distance(circle.center) + circle.radius + circle.width;
    }
    double operator()(const Polygon& polygon) const {
        double reach = ringReach(polygon.outline);
        for (const Ring& hole : polygon.holes) {
            reach = std::max(reach, ringReach(hole));
        }
        return reach;
    }
    double operator()(const Mark& mark) const { return distance(mark.at); }
};

struct Reach {
    double extent = 0;
    uint64_t placed = 0;
};

class Budget {
  public:
    Budget(const Design& design, const PlacementLimits& limits) : design_(design), limits_(limits) {}

    std::optional<PlacementProblem> check() {
        uint64_t placed = 0;
        for (const File& file : design_.files) {
            const Reach reach = of(file.geometry);
            if (problem_) {
                return problem_;
            }
            if (!(distance(file.at) + file.scale * reach.extent <= limits_.maxReach)) {
                return fileProblem(file, "its items reach beyond " + formatNumber(limits_.maxReach));
            }
            placed = std::min(placed + reach.placed, limits_.maxPlacedItems + 1);
            if (placed > limits_.maxPlacedItems) {
                return fileProblem(file, "the design places more than " +
                                             std::to_string(limits_.maxPlacedItems) +
                                             " items (every block counted as often as it is placed)");
            }
        }
        return std::nullopt;
    }

  private:
    PlacementProblem fileProblem(const File& file, std::string text) const {
        return {.file = file.number, .text = "file \"" + file.name + "\": " + std::move(text)};
    }

    Reach of(int16_t number) {
        if (auto known = reaches_.find(number); known != reaches_.end()) {
            return known->second;
        }
        Reach reach;
        const Geometry& geometry = design_.geometries.at(number);
        for (std::size_t position = 0; position < geometry.data.size() && !problem_; ++position) {
            const Reach item = itemReach(geometry.data[position]);
            reach.extent = std::max(reach.extent, item.extent);
            reach.placed = std::min(reach.placed + item.placed, limits_.maxPlacedItems + 1);
            if (!(item.extent <= limits_.maxReach)) {
                problem_ = PlacementProblem{number, position, std::nullopt,
                                            "the item reaches beyond " + formatNumber(limits_.maxReach) +
                                                " once placed (position or scale too large)"};
            }
        }
        reaches_.emplace(number, reach);
        return reach;
    }

    Reach itemReach(const DataItem& item) {
        if (const auto* insert = std::get_if<Insert>(&item)) {
            const Reach below = of(insert->geometry);
            return {distance(insert->at) + insert->scale * below.extent, below.placed + 1};
        }
        return {std::visit(ShapeReach{}, std::get<Graphic>(item).shape), 1};
    }

    const Design& design_;
    const PlacementLimits& limits_;
    std::map<int16_t, Reach> reaches_;
    std::optional<PlacementProblem> problem_;
};

} // namespace

std::optional<PlacementProblem> findPlacementProblem(const Design& design, const PlacementLimits& limits) {
    return Budget(design, limits).check();
}

} // namespace lumora::engine
