#include "korven/RunnerSwitches.h"

namespace lumora {

RunnerSwitches& runnerSwitches() {
    static RunnerSwitches switches;
    return switches;
}

} // namespace lumora
