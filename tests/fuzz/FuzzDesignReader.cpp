// libFuzzer target: any bytes as a design file. The oracle: what is read is written, read again and
// written again to the same text; a design that reads (within a small item budget) then goes
// through a full run of the example script (every preparation step and every check) through the
// command line's own path.

#include "cli/CliRun.h"
#include "engine/io/DesignFile.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr lumora::engine::PlacementLimits kBudget{.maxPlacedItems = 400, .maxReach = 1e9};

const std::filesystem::path& workFolder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("lumora-fuzz-design-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

void runExampleScript(const std::string& designText) {
    const std::filesystem::path design = workFolder() / "design.json";
    std::ofstream(design, std::ios::binary | std::ios::trunc) << designText;
    lumora::cli::CliOptions options;
    options.scripts = {std::string(LUMORA_SOURCE_DIR) + "/examples/scripts/all-tests.dfm"};
    options.design = design.string();
    options.home = workFolder().string();
    options.quiet = true;
    std::ostringstream out;
    std::ostringstream err;
    (void)lumora::cli::runCli(options, out, err);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string written;
    try {
        written = lumora::engine::serializeDesign(lumora::engine::parseDesign(text, kBudget));
    } catch (const lumora::engine::DesignFormatError&) {
        return 0; // refused with a message: an answer
    }
    if (lumora::engine::serializeDesign(lumora::engine::parseDesign(written, kBudget)) != written) {
        __builtin_trap(); // what the engine writes must read back to the same design
    }
    runExampleScript(written);
    return 0;
}
