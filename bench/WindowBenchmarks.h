#pragma once

namespace lumora::bench {

// The desktop program's side of a run: what one of KORVEN's DRC callbacks costs the script window
// (the callback lets the window's events through and raises a count of its grid), drawn on the
// platform QT_QPA_PLATFORM names (offscreen unless set).
void registerWindowBenchmarks();

} // namespace lumora::bench
