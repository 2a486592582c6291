#include "engine/geom/Transform.h"

#include <cmath>
#include <numbers>

namespace lumora::engine {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

struct Turn {
    double cos;
    double sin;
};

Turn turnOf(double degrees) {
    if (degrees == 0) {
        return {1, degrees}; // what cos and sin give, the sign of a zero kept: most placements do not turn
    }
    return {std::cos(degrees * kRadiansPerDegree), std::sin(degrees * kRadiansPerDegree)};
}

Point rotated(Point p, Turn turn) {
    return {p.x * turn.cos - p.y * turn.sin, p.x * turn.sin + p.y * turn.cos};
}

} // namespace

double normalizedDegrees(double degrees) {
    double result = std::fmod(degrees, 360.0);
    if (result < 0) {
        result += 360.0;
    }
    return result == 360.0 ? 0.0 : result;
}

Transform::Transform(Point offset, double rotation, bool mirror, double scale)
    : offset_(offset), rotation_(normalizedDegrees(rotation)), mirror_(mirror), scale_(scale) {
    const Turn turn = turnOf(rotation_);
    cos_ = turn.cos;
    sin_ = turn.sin;
}

Transform Transform::of(const Insert& insert) {
    return Transform(insert.at, insert.rotation, insert.mirror, insert.scale);
}

Transform::Transform(Point offset, const Transform& turned, bool mirror, double scale)
    : offset_(offset), rotation_(turned.rotation_), mirror_(mirror), scale_(scale), cos_(turned.cos_),
      sin_(turned.sin_) {}

// Where one of the two does not turn (and the outer one does not mirror the inner turn), the other's
// cosine and sine are the composed ones exactly: taken, not computed again for every placed pin.
Transform Transform::then(const Transform& outer) const {
    const Point offset = outer.apply(offset_);
    const bool mirror = outer.mirror_ != mirror_;
    const double scale = outer.scale_ * scale_;
    if (rotation_ == 0) {
        return Transform(offset, outer, mirror, scale);
    }
    if (outer.rotation_ == 0 && !outer.mirror_) {
        return Transform(offset, *this, mirror, scale);
    }
    return Transform(offset, outer.rotation_ + (outer.mirror_ ? -rotation_ : rotation_), mirror, scale);
}

// Undoing "mirror, scale, turn by r, move by o" is "move by -o, turn by -r, scale, mirror", and a
// mirror turns the other way round: turning by -r before it is turning by r after it.
Transform Transform::inverse() const {
    const Transform undoLinear({}, mirror_ ? rotation_ : -rotation_, mirror_, 1 / scale_);
    const Point moved = undoLinear.apply(offset_);
    return Transform({-moved.x, -moved.y}, undoLinear.rotation_, mirror_, 1 / scale_);
}

Point Transform::linear(Point point) const {
    Point p{mirror_ ? -point.x : point.x, point.y};
    p = {p.x * scale_, p.y * scale_};
    return rotated(p, {cos_, sin_});
}

Point Transform::apply(Point point) const {
    Point p = linear(point);
    return {p.x + offset_.x, p.y + offset_.y};
}

double Transform::applyAngle(double degrees) const {
    return normalizedDegrees((mirror_ ? 180.0 - degrees : degrees) + rotation_);
}

Shape Transform::apply(const Shape& shape) const {
    const double size = std::abs(scale_);
    auto mapRing = [this](const Ring& ring) {
        Ring result;
        result.reserve(ring.size());
        for (Point p : ring) {
            result.push_back(apply(p));
        }
        return result;
    };
    struct Visitor {
        const Transform& t;
        double size;
        decltype(mapRing)& ring;

        void placeComplex(ComplexShape& complex, Turn padTurn) const {
            if (complex.cornerRadii) {
                for (double& radius : *complex.cornerRadii) {
                    radius *= size;
                }
            }
            for (Point& p : complex.outline) {
                p = t.linear(rotated(p, padTurn));
            }
        }
        Shape operator()(const Pad& pad) const {
            Pad result = pad;
            result.at = t.apply(pad.at);
            result.sizeX *= size;
            result.sizeY *= size;
            if (result.ring) {
                result.ring->inner *= size;
                result.ring->spokeWidth *= size;
            }
            if (result.complex) {
                placeComplex(*result.complex, turnOf(pad.rotation));
            }
            if (pad.shape == pad_shape::Complex) {
                result.rotation = 0; // the outline carries the orientation, so mirrored outlines stay exact
            } else {
                result.rotation =
                    normalizedDegrees(t.mirror_ ? t.rotation_ - pad.rotation : t.rotation_ + pad.rotation);
            }
            return result;
        }
        Shape operator()(const Line& line) const {
            return Line{t.apply(line.from), t.apply(line.to), line.width * size};
        }
        Shape operator()(const Arc& arc) const {
            return Arc{t.apply(arc.center), arc.radius * size, t.applyAngle(arc.start),
                       t.mirror_ ? -arc.sweep : arc.sweep, arc.width * size};
        }
        Shape operator()(const Circle& circle) const {
            return Circle{t.apply(circle.center), circle.radius * size, circle.width * size};
        }
        Shape operator()(const Polygon& polygon) const {
            Polygon result{ring(polygon.outline), {}};
            result.holes.reserve(polygon.holes.size());
            for (const Ring& hole : polygon.holes) {
                result.holes.push_back(ring(hole));
            }
            return result;
        }
        Shape operator()(const Mark& mark) const { return Mark{t.apply(mark.at)}; }
    };
    return std::visit(Visitor{*this, size, mapRing}, shape);
}

} // namespace lumora::engine
