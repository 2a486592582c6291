#pragma once

#include <cstdint>
#include <string>

namespace lumora::engine {

// A check that could not measure the design: it placed no marker, and its caller got only a code.
struct FailedCheck {
    std::string check{}; // the name its markers would have carried
    int32_t file = 0;    // the board or panel it was given (a file number, or a flatten geometry's)
    int16_t code = 0;
    std::string description{}; // KORVEN's own words
};

} // namespace lumora::engine
