#pragma once

#include "engine/geom/Areas.h"
#include "engine/model/Design.h"

#include <array>

namespace lumora::engine {

enum class Edge { Left, Bottom, Right, Top };

// The four edges a panel's (or board's) items are measured to: the sides of its outline's box.
// Two are rail edges, along which it rides through the machines; the other two are its leading
// and trailing edges.
class EdgeFrame {
  public:
    EdgeFrame(Box outline, bool railsAlongX);

    const Box& outline() const { return outline_; }
    double width() const;
    double height() const;
    // Along the rails, the panel's travel through the machines, and across them.
    double length() const;
    double breadth() const;
    Point centre() const;
    std::array<Edge, 2> railEdges() const;
    std::array<Edge, 2> leadingTrailingEdges() const;

    // How far a box lies inside the edge; negative when it reaches beyond.
    double distance(const Box& box, Edge edge) const;
    // The point of a box nearest to an edge, and the point `inset` inside an edge, halfway along it.
    Point pointToward(const Box& box, Edge edge) const;
    Point edgeMiddle(Edge edge, double inset) const;
    // The point `railInset` inside a rail edge and `endInset` inside a leading or trailing edge.
    Point cornerPoint(Edge railEdge, double railInset, Edge endEdge, double endInset) const;

  private:
    Box outline_;
    bool railsAlongX_;
};

// The frame of a file: its outline box, with rails along the edges its rails lie at. Rails run
// along x (on the bottom and top edges) unless the file's first rail is taller than wide, and on
// files without rails, such as boards. Raises -3 when the file has no outline.
EdgeFrame edgeFrameOf(const Design& design, int32_t filePos);

} // namespace lumora::engine
