#pragma once

#include <cstdint>

namespace lumora {

class clsTestItem;

// Writes the test's heading, validates its parameters and runs its family routine.
// Returns the family's result code, or -999 for invalid parameters and unknown names.
int16_t runTest(clsTestItem& test);

// The family routines: each runs one test on every panel or board and returns 0, 1 (a check
// stopped at the DRC limit) or -999 (at least one item failed).
int16_t runPanelTests(clsTestItem& test);
int16_t runKeepoutTests(clsTestItem& test);
int16_t runBoardTests(clsTestItem& test);
int16_t runOrientationTests(clsTestItem& test);
int16_t runBoardOutlineTests(clsTestItem& test);
int16_t runTestpointTests(clsTestItem& test);
int16_t runViaTests(clsTestItem& test);

} // namespace lumora
