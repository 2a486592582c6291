#pragma once

#include "engine/model/Design.h"

#include <functional>

namespace lumora::engine {

// Removes the items drop picks from a geometry, for the calls that filter one. The shared lists are
// filtered in ranges on the worker pool, each into a list of the geometry's own in the same order; a
// list drop picks nothing from stays shared. drop is called from several threads at once.
void dropItemsInParts(Geometry& geometry, const std::function<bool(const DataItem&)>& drop);

} // namespace lumora::engine
