#include "testlogic/FamilyGeometries.h"

#include "testlogic/BuildingBlocks.h"

#include <algorithm>

namespace lumora {

void FamilyGeometries::zero() {
    std::ranges::fill(numbers_, 0);
}

void FamilyGeometries::deleteUnlessDebug() {
    for (int16_t& number : numbers_) {
        lumora::deleteUnlessDebug(number);
    }
}

} // namespace lumora
