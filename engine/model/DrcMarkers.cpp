#include "engine/model/DrcMarkers.h"

#include <algorithm>

namespace lumora::engine {

DrcMarkers::DrcMarkers(std::initializer_list<DrcMarker> markers) {
    for (const DrcMarker& marker : markers) {
        push_back(marker);
    }
}

bool DrcMarkers::operator==(const DrcMarkers& other) const {
    return std::ranges::equal(*this, other);
}

} // namespace lumora::engine
