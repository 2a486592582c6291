#include "korven/KorvenFailure.h"

#include <cstdint>

namespace lumora {

void raiseKorvenFailure(const std::string& source, const std::string& description) {
    throw RunnerError(errnum::KorvenFailure, source, description);
}

void raiseSubscriptOutOfRange(const std::string& source) {
    throw RunnerError(errnum::SubscriptOutOfRange, source, "Subscript out of range");
}

int16_t toInteger16(int32_t value, const std::string& source) {
    if (value < INT16_MIN || value > INT16_MAX) {
        throw RunnerError(errnum::Overflow, source, "Overflow");
    }
    return static_cast<int16_t>(value);
}

} // namespace lumora
