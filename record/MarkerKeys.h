#pragma once

#include "record/RunRecord.h"

namespace lumora {

// Gives every marker of the test its stable key: the test, the board or panel, the check and the
// sorted names of its items, never a coordinate, so that editing the board elsewhere keeps it.
// A key met again within the test (a second pass of the check over the same items) gets " #2",
// " #3" and so on, in the order KORVEN placed them.
void assignMarkerKeys(TestRecord& record);

} // namespace lumora
