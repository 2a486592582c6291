#pragma once

namespace lumora::bench {

// The desktop program's side of a run, drawn on the platform QT_QPA_PLATFORM names (offscreen
// unless set): what one of KORVEN's DRC callbacks costs the script window (the callback lets the
// window's events through and raises a count of its grid), and a whole run of "Etch Width" on a
// 30k-component synthetic board started from the Script menu, with how long Stop takes to act.
void registerWindowBenchmarks();

} // namespace lumora::bench
