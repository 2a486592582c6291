#include "engine/checks/DrcReport.h"

namespace lumora::engine {

bool DrcReport::add(Point at, std::string severity, std::string text) {
    if (limitReached()) {
        return false;
    }
    session_.placeDrc({file_, at, std::move(severity), check_, std::move(text)});
    ++placed_;
    return !limitReached();
}

} // namespace lumora::engine
