// libFuzzer target: any bytes as rdbset.dat, and each of its words through the regional number
// conversions that parameters go through.

#include "script/LocaleConversions.h"
#include "ui/DebugSettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    lumora::DebugSettings settings = lumora::readDebugSettings(in);
    if (settings.drcLimit && *settings.drcLimit < 0) {
        __builtin_trap(); // a limit is a count
    }
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        try {
            (void)lumora::toDouble(word);
            (void)lumora::toInteger(word);
            (void)lumora::toBoolean(word);
        } catch (const std::exception&) {
            // Refusing a value is an answer; only crashes are faults here.
        }
    }
    return 0;
}
