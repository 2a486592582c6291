#include "engine/automation/EmbeddedDfm.h"

#include "engine/checks/CheckTable.h"

namespace lumora::engine {

// Every check goes through runCheck (engine/checks/CheckTable.h), which performs it and turns its
// findings into DRC markers.
int16_t EmbeddedDfm::Check(const DfmCheckCall& check) {
    return runCheck(session(), check);
}

} // namespace lumora::engine
