#pragma once

#include "engine/io/kicad/SExpression.h"
#include "engine/model/Attributes.h"

#include <string>
#include <string_view>

namespace lumora::engine::kicad {

// KiCad's identity of an item: (uuid ...) since KiCad 7, (tstamp ...) before; "" for none.
std::string_view sourceIdOf(const sexpr::Expr& item);

// The identity of the n-th piece of an item that the design holds as several (a zone's fills, a
// rectangle's sides): "uuid/2"; "" for an item without one.
std::string partId(std::string_view id, int n);

// An item's own attributes with its identity (SOURCE_ID), where it has one.
AttributeList withSourceId(AttributeList attributes, std::string_view id);

} // namespace lumora::engine::kicad
