#pragma once

#include "engine/geom/Areas.h"

#include <optional>
#include <variant>

namespace lumora::engine {

// What an item occupies when distances are measured: the area it covers, or, for items that cover
// nothing (insertion marks, zero-width lines and arcs), the point or path it stands on.
class Footprint {
  public:
    explicit Footprint(const Shape& shape);

    bool empty() const { return std::holds_alternative<std::monostate>(ground_); }
    // The bounding box; a footprint that is empty has none and must not be asked.
    const Box& box() const { return box_; }
    // The area; empty for points and paths.
    const Area& area() const;

    // The shortest distance between the two; 0 when they touch or overlap.
    double distanceTo(const Footprint& other) const;
    // True when one reaches into the inside of the other, not only to its border. For a point or
    // path, which has no inside of its own, reaching into the other's inside counts.
    bool overlaps(const Footprint& other) const;

  private:
    std::variant<std::monostate, Area, Path, AreaPoint> ground_;
    Box box_{};
};

} // namespace lumora::engine
