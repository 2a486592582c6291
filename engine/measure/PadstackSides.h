#pragma once

#include "engine/geom/Areas.h"
#include "engine/model/Design.h"

#include <map>
#include <mutex>
#include <optional>
#include <utility>

namespace lumora::engine {

// The copper of a padstack on one outer side of the board, in the padstack's own coordinates.
struct SideCopper {
    int16_t shape = 0;         // pad shape code of its first pad there, 0 when it has none
    std::optional<Box> extent; // the box of all its copper there, none when it has none
};

struct PadstackSides {
    SideCopper top;
    SideCopper bottom;
};

// A placed padstack's copper on the board's top and bottom: placed mirrored, its items move to
// their layers' mirror layers, so its own top copper ends up on the bottom.
PadstackSides padstackSides(const Design& design, const Geometry& padstack, bool mirrored);

// padstackSides once per padstack and mirroring, for the checks that meet the same few padstacks on
// thousands of inserts; asked from the pool's threads at once.
class PadstackSidesMemo {
  public:
    explicit PadstackSidesMemo(const Design& design) : design_(design) {}
    const PadstackSides& of(int16_t padstack, bool mirrored);

  private:
    const Design& design_;
    std::mutex mutex_;
    std::map<std::pair<int16_t, bool>, PadstackSides> known_; // its entries never move
};

} // namespace lumora::engine
