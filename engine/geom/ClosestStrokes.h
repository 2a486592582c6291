#pragma once

#include "engine/geom/Distance.h"
#include "engine/geom/EdgeIndex.h"

#include <vector>

namespace lumora::engine {

// What a footprint measures with: its strokes, their box, and for a polygon with many edges the
// index of those edges (numbered as the strokes), else null.
struct Strokes {
    const std::vector<Stroke>& strokes;
    const Box& box;
    const EdgeIndex* edges;
};

// The shortest distance between two footprints' strokes, 0 on contact. Pairs are taken in the order
// (first's, second's), and a pair is measured only when its boxes lie closer than the best so far.
// When a side has an edge index, only its edges near the other side's strokes are taken, still in
// that order: the pairs left out all lie farther apart than a pair already measured, so the answer
// is the same to the last bit, in time logarithmic instead of linear in the edges.
double closestStrokes(const Strokes& first, const Strokes& second);

} // namespace lumora::engine
