#pragma once

#include "engine/model/Items.h"
#include "engine/model/Shapes.h"

#include <tuple>

namespace lumora::engine {

// Placement of a block's coordinates in its parent's: mirror x, scale, rotate counter-clockwise by
// `rotation` degrees, then move by `offset`.
class Transform {
  public:
    Transform() = default;
    Transform(Point offset, double rotation, bool mirror, double scale);
    static Transform of(const Insert& insert);

    // This transform followed by outer: the placement of a nested block in outer's parent.
    Transform then(const Transform& outer) const;
    // The transform that undoes this one: where a point of the parent lies in the block.
    Transform inverse() const;

    Point apply(Point point) const;
    // The direction of an angle (degrees) after the transform, in [0, 360).
    double applyAngle(double degrees) const;
    Shape apply(const Shape& shape) const;

    bool mirrored() const { return mirror_; }
    Point offset() const { return offset_; }
    // The same turn, mirror and scale without the move: a block placed at the origin.
    Transform atOrigin() const { return Transform({}, rotation_, mirror_, scale_); }
    // Equal for transforms that turn, mirror and scale alike.
    std::tuple<double, bool, double> linearKey() const { return {rotation_, mirror_, scale_}; }

  private:
    // turned's turn, with its cosine and sine
    Transform(Point offset, const Transform& turned, bool mirror, double scale);
    Point linear(Point point) const;

    Point offset_;
    double rotation_ = 0;
    bool mirror_ = false;
    double scale_ = 1;
    // of rotation_, computed once: a transform maps many points
    double cos_ = 1;
    double sin_ = 0;
};

double normalizedDegrees(double degrees);

} // namespace lumora::engine
