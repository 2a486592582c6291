// libFuzzer target: any bytes as a DFM test script. The loader must answer with tests or a failure,
// never crash, hang or leak.

#include "script/ScriptLoader.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

namespace {

struct CountingSink : lumora::ScriptSink {
    void setUnits(int32_t) override {}
    void addTest(std::unique_ptr<lumora::clsTestItem>) override {}
};

// The loader reads files; one per process, rewritten for each input.
const std::string& scriptPath() {
    static const std::string path = "/tmp/lumora-fuzz-script-" + std::to_string(getpid()) + ".dfm";
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::ofstream(scriptPath(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    CountingSink sink;
    if (std::optional<lumora::XMLErrorHandler> failure = lumora::loadScript(scriptPath(), sink)) {
        (void)lumora::scriptFailureMessage("fuzz.dfm", *failure);
    }
    return 0;
}
