#pragma once

namespace lumora::bench {

// The longest time the desktop program would go without letting its events through during the
// copper distance test on boards of 10k and 30k components, with and without the engine's
// while-waiting hook.
void registerPumpGapBenchmarks();

} // namespace lumora::bench
