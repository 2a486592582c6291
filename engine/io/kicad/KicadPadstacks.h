#pragma once

#include "engine/model/Design.h"

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace lumora::engine::kicad {

// The padstacks of one board, each stored once however many pads and vias use it.
class PadstackLibrary {
  public:
    explicit PadstackLibrary(Design& design) : design_(design) {}
    // The number of a padstack equal to this one (hole and graphics), stored under a new name made
    // from prefix when it is new.
    int16_t add(Geometry padstack, const std::string& prefix);

  private:
    using Key = std::tuple<double, bool, std::size_t>;
    Design& design_;
    std::map<Key, std::vector<int16_t>> byKey_;
    std::map<std::string, int> named_;
};

} // namespace lumora::engine::kicad
