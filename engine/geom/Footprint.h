#pragma once

#include "engine/geom/Areas.h"
#include "engine/geom/Distance.h"
#include "engine/geom/EdgeIndex.h"
#include "engine/model/HeapOptional.h"

#include <memory>
#include <optional>
#include <vector>

namespace lumora::engine {

// The part of a rounded corner beyond the chord between its ends: inside the arc's circle and on the
// far side of the chord from its centre.
struct CornerCap {
    Point from{};
    Point to{};
    Point center{};
    double radius = 0;
    bool holds(Point p) const;
};

// What a footprint covers when it is filled: a polygon, with the caps of its rounded corners.
struct FilledInside {
    AreaPolygon polygon;
    std::vector<CornerCap> caps{};
};

// What only some polygons and pads have: the filled area whose border the strokes are (where neither
// the strokes of one ring nor the index tell its inside, and for the caps of rounded corners), and
// a polygon's many edges, indexed as the strokes.
struct PolygonParts {
    std::optional<FilledInside> inside;
    std::shared_ptr<const EdgeIndex> edges;
};

// How an item stands for what it is drawn as: copper and bodies cover their area; outlines are
// borders, and only the centre line of their pen counts.
enum class Fill { Solid, Border };

// What an item occupies when distances are measured, in closed form: round pads, drills, traces
// and arcs are strokes (a centre line with a round pen), polygons and square-cornered pads the
// edges of a filled polygon; a complex pad's rounded corners are arcs. Insertion marks and zero-width lines
// and arcs cover nothing: they stand on their point or centre line.
class Footprint {
  public:
    Footprint() = default; // empty
    explicit Footprint(const Shape& shape, Fill fill = Fill::Solid);

    bool empty() const { return strokes_.empty(); }
    // The bounding box; a footprint that is empty has none and must not be asked.
    const Box& box() const { return box_; }

    // The shortest distance between the two; 0 when they touch or overlap.
    double distanceTo(const Footprint& other) const;
    // How far p lies inside: the distance to the nearest point outside, negative outside.
    double depthAt(Point p) const;

  private:
    bool covers(Point p) const;
    const FilledInside* inside() const { return polygon_ && polygon_->inside ? &*polygon_->inside : nullptr; }
    const EdgeIndex* edges() const { return polygon_ ? polygon_->edges.get() : nullptr; }
    double strokesDistance(const Footprint& other) const;

    // No copy of the shape: a check holds a footprint for each of up to millions of items, whose
    // shapes it has at hand.
    std::vector<Stroke> strokes_;
    // One pointer for what most footprints lack: a copper check holds a footprint for each of a
    // board's items.
    HeapOptional<PolygonParts> polygon_;
    Box box_{};
    // Covers its inside, told by the edge index, else the polygon kept, else its strokes, the
    // edges of one ring.
    bool filled_ = false;
};

// The area a shape covers with the fill, as polygons, for area sums and unions; empty for points,
// paths and borders.
Area areaOf(const Shape& shape, Fill fill);

// True when one reaches into the inside of the other, not only to its border. For a point or path,
// which has no inside of its own, reaching into the other's inside counts.
bool overlaps(const Shape& a, Fill fillA, const Shape& b, Fill fillB);

// A box around all that a footprint of the shape may cover, with either fill, found without building
// the footprint: a little larger than its box, never smaller. Nothing when such a footprint is
// certainly empty. For deciding which items need a footprint at all.
std::optional<Box> roughBoxOf(const Shape& shape);

} // namespace lumora::engine
