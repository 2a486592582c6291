#include "drawing/BoardWalk.h"

namespace lumora::drawing {

const engine::Geometry& shownBlock(const engine::Design& design, const engine::File& file) {
    return design.geometry(file.shownGeometry != 0 ? file.shownGeometry : file.geometry);
}

MarkerRank markerRank(std::string_view severity, bool waived) {
    return waived ? MarkerRank::Waived : severity == "Critical" ? MarkerRank::Critical : MarkerRank::Marginal;
}

} // namespace lumora::drawing
