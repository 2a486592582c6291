// libFuzzer target: any bytes as a waivers file. A file that is refused says why; one that reads
// is written as --write-waivers and the desktop's marker list write it, and reads back to the same
// waivers.

#include "record/Waivers.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

namespace {

bool sameWaivers(const std::vector<lumora::Waiver>& a, const std::vector<lumora::Waiver>& b) {
    return std::ranges::equal(a, b, [](const lumora::Waiver& x, const lumora::Waiver& y) {
        return x.key == y.key && x.reason == y.reason && x.author == y.author && x.date == y.date;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<lumora::Waiver> waivers;
    try {
        waivers = lumora::parseWaivers(text);
    } catch (const lumora::WaiverFileError& error) {
        if (std::string_view(error.what()).empty()) {
            __builtin_trap(); // a refusal says why
        }
        return 0;
    }
    std::ostringstream written;
    lumora::writeWaiversJson(waivers, written);
    if (!sameWaivers(lumora::parseWaivers(written.str()), waivers)) {
        __builtin_trap(); // what the program writes must read back as it was
    }
    return 0;
}
