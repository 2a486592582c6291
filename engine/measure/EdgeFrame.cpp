#include "engine/measure/EdgeFrame.h"

#include "engine/measure/FileOutline.h"

namespace lumora::engine {

namespace {

bool isVertical(Edge edge) {
    return edge == Edge::Left || edge == Edge::Right;
}

// The x (left, right) or y (bottom, top) of the line `inset` inside an edge.
double insideEdge(const Box& outline, Edge edge, double inset) {
    switch (edge) {
    case Edge::Left:
        return outline.min_corner().x() + inset;
    case Edge::Right:
        return outline.max_corner().x() - inset;
    case Edge::Bottom:
        return outline.min_corner().y() + inset;
    default:
        return outline.max_corner().y() - inset;
    }
}

bool isWide(const Box& box) {
    return box.max_corner().x() - box.min_corner().x() >= box.max_corner().y() - box.min_corner().y();
}

Point placedAt(Edge edge, double coordinate, double along) {
    return isVertical(edge) ? Point{coordinate, along} : Point{along, coordinate};
}

} // namespace

EdgeFrame::EdgeFrame(Box outline, bool railsAlongX) : outline_(outline), railsAlongX_(railsAlongX) {}

double EdgeFrame::width() const {
    return outline_.max_corner().x() - outline_.min_corner().x();
}

double EdgeFrame::height() const {
    return outline_.max_corner().y() - outline_.min_corner().y();
}

double EdgeFrame::length() const {
    return railsAlongX_ ? width() : height();
}

double EdgeFrame::breadth() const {
    return railsAlongX_ ? height() : width();
}

Point EdgeFrame::centre() const {
    return {(outline_.min_corner().x() + outline_.max_corner().x()) / 2,
            (outline_.min_corner().y() + outline_.max_corner().y()) / 2};
}

std::array<Edge, 2> EdgeFrame::railEdges() const {
    return railsAlongX_ ? std::array{Edge::Bottom, Edge::Top} : std::array{Edge::Left, Edge::Right};
}

std::array<Edge, 2> EdgeFrame::leadingTrailingEdges() const {
    return railsAlongX_ ? std::array{Edge::Left, Edge::Right} : std::array{Edge::Bottom, Edge::Top};
}

double EdgeFrame::distance(const Box& box, Edge edge) const {
    switch (edge) {
    case Edge::Left:
        return box.min_corner().x() - outline_.min_corner().x();
    case Edge::Right:
        return outline_.max_corner().x() - box.max_corner().x();
    case Edge::Bottom:
        return box.min_corner().y() - outline_.min_corner().y();
    default:
        return outline_.max_corner().y() - box.max_corner().y();
    }
}

Point EdgeFrame::pointToward(const Box& box, Edge edge) const {
    const double facing = edge == Edge::Left     ? box.min_corner().x()
                          : edge == Edge::Right  ? box.max_corner().x()
                          : edge == Edge::Bottom ? box.min_corner().y()
                                                 : box.max_corner().y();
    const double middle = isVertical(edge) ? (box.min_corner().y() + box.max_corner().y()) / 2
                                           : (box.min_corner().x() + box.max_corner().x()) / 2;
    return placedAt(edge, facing, middle);
}

Point EdgeFrame::edgeMiddle(Edge edge, double inset) const {
    const Point middle = centre();
    return placedAt(edge, insideEdge(outline_, edge, inset), isVertical(edge) ? middle.y : middle.x);
}

Point EdgeFrame::cornerPoint(Edge railEdge, double railInset, Edge endEdge, double endInset) const {
    return placedAt(railEdge, insideEdge(outline_, railEdge, railInset),
                    insideEdge(outline_, endEdge, endInset));
}

EdgeFrame edgeFrameOf(const Design& design, int32_t filePos) {
    const Box outline = outlineBox(design, filePos);
    const std::vector<Box> rails = railBoxes(design, filePos);
    return EdgeFrame(outline, rails.empty() || isWide(rails.front()));
}

} // namespace lumora::engine
