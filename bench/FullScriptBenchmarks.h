#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lumora::bench {

// What the full example script is run on, and what it leaves out.
struct FullScriptOptions {
    std::vector<std::size_t> boards;    // components of each synthetic board
    std::vector<std::string> skipTests; // test names run unchecked
};

// The full example script (examples/scripts/all-tests.dfm) on each board through the command
// line's run path: one benchmark per test with its own time, and one with the whole run's.
void registerFullScriptBenchmarks(const FullScriptOptions& options);

} // namespace lumora::bench
