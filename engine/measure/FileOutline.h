#pragma once

#include "engine/geom/Areas.h"
#include "engine/geom/Footprint.h"
#include "engine/model/Design.h"

#include <vector>

namespace lumora::engine {

// The outline of a board or panel file as the centre lines of its outline items (graphic class
// board-outline in a board's block, panel-outline in a panel's), in the file's coordinates. Pens
// do not count: the outline is where the item is drawn, not how thick. Raises -3 when the file has
// no outline.
std::vector<Path> outlinePaths(const Design& design, int32_t filePos);

// The outline items of a file as borders, measured exactly along their centre lines; raises -3
// when the file has no outline.
std::vector<Footprint> outlineBorders(const Design& design, int32_t filePos);

// The box around a file's outline; raises -3 also when it encloses nothing.
Box outlineBox(const Design& design, int32_t filePos);

// The rails of a panel file (graphic class panel-rail in its own block).
std::vector<Box> railBoxes(const Design& design, int32_t filePos);

} // namespace lumora::engine
