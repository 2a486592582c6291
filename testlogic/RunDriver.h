#pragma once

#include "korven/RunSettings.h"
#include "testlogic/RunHost.h"
#include "testlogic/RunWindow.h"

#include <cstdint>

namespace lumora {

// What a run returns.
namespace runstatus {
constexpr int16_t Done = 0; // every row was passed, or the run was stopped
// The run ended after a failing pre-processing step or test; the caller shows the run log.
constexpr int16_t Failures = -998;
// The run could not start (runnercode::Failed): KORVEN could not be connected, or the logs could
// not be opened.
} // namespace runstatus

// Runs the checked tests of the window's grid, from row lngStart to the last, against the design
// open in KORVEN: opens both logs, connects, lets KORVEN prepare its data, runs each test through
// runTest, colours its row and adds its counts to the window's totals. blnClearPrev starts both
// logs anew, generates the DFx outlines and clears old DRCs ("Clear DRC On Run"); without it the
// logs are appended to (Continue Script). The window becomes the current one for the run; its
// connection keeps the settings for the family routines under it.
int16_t runTests(RunWindow& window, RunHost& host, const RunSettings& settings, long lngStart,
                 bool blnClearPrev);

// Builds the soldermask geometries of every checked test, showing progress per row. False after
// an error, which stands in the run log.
bool preprocessTests(RunWindow& window, StatusDisplay& status);

} // namespace lumora
