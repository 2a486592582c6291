#include "ui/frmStatus.h"

#include "korven/CurrentWindow.h"

#include <algorithm>

namespace lumora {

void frmStatus::showStatus(const std::string& msgString, int16_t min, int16_t max) {
    visible_ = true;
    message_ = msgString;
    eventPump().doEvents();
    barVisible_ = min != 0 || max != 0;
    if (barVisible_) {
        // A reversed range is read as the range it names, so the bar never refuses a value.
        min_ = std::min(min, max);
        max_ = std::max(min, max);
        value_ = clamped(1);
    }
    eventPump().doEvents();
}

void frmStatus::setProgress(int16_t progress) {
    value_ = clamped(progress);
    eventPump().doEvents();
}

void frmStatus::hideStatus() {
    value_ = max_;
    eventPump().doEvents();
    message_.clear();
    visible_ = false;
}

int16_t frmStatus::clamped(int16_t value) const {
    return std::clamp(value, min_, max_);
}

} // namespace lumora
