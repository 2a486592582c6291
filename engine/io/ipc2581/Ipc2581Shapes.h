#pragma once

#include "engine/io/ipc2581/Ipc2581Dictionaries.h"
#include "engine/io/ipc2581/Ipc2581Geometry.h"

#include <optional>
#include <string_view>

namespace lumora::engine::ipc2581 {

// How a feature's numbers become shapes: the units wanted, the factor from the units its numbers
// are written in, and the dictionaries its references name.
struct ShapeReading {
    const Dictionaries& dictionaries;
    std::string_view units;
    Lengths lengths;
};

// A feature element as shapes about its origin (its own Xform applied): a standard primitive
// (Circle, RectCenter ... Contour), a user primitive (Line, Arc, Polyline, Outline, UserSpecial;
// Text has no shape) or a reference to a dictionary entry. None when the element is no feature;
// a reference to an entry the dictionaries lack is refused where it stands.
std::optional<Shapes> featureShapes(const XmlElement& element, const ShapeReading& reading);

// The first feature among an element's children; none when it has none.
std::optional<Shapes> childFeatureShapes(const XmlElement& owner, const ShapeReading& reading);

// The pen of a Line, Arc, Polyline or Outline: its LineDesc or LineDescRef, else 0.
double penWidth(const XmlElement& owner, const ShapeReading& reading);

// The outlines of filled shapes, drawn with a pen; pens and outlines stay as they are.
Shapes outlinesOf(const Shapes& shapes, double width);

} // namespace lumora::engine::ipc2581
