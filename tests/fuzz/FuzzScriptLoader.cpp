// libFuzzer target: any bytes as a DFM test script, read from memory through the loader's text
// path (the one a file's text goes through once read). The loader must answer with tests or a
// failure that has a message, never crash, hang or leak.

#include "script/LocaleService.h"
#include "script/ScriptLoader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

struct CountingSink : lumora::ScriptSink {
    void setUnits(int32_t) override {}
    void addTest(std::unique_ptr<lumora::clsTestItem>) override {}
};

// The C locale's notation, fixed: asking the system for it at every conversion (as the program
// does, to follow changes of the environment) would take most of the time of an input.
const lumora::ScopedLocale kCNotation(lumora::NumberFormat{".", ""});

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CountingSink sink;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (std::optional<lumora::XMLErrorHandler> failure = lumora::loadScriptText(text, "fuzz.dfm", sink)) {
        if (failure->strMsgError.empty()) {
            __builtin_trap(); // a script that cannot be read says why
        }
        (void)lumora::scriptFailureMessage("fuzz.dfm", *failure);
    }
    return 0;
}
