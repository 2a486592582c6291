#pragma once

#include "log/LogSwitches.h"

#include <cstdint>

namespace lumora {

// The switches of the debug settings and the menus. The main window owns them for the program's
// life and hands them by reference to the dialogs that edit them; each run is given a RunSettings
// made from them when it starts.
struct RunnerSwitches {
    LogSwitches logSwitches;    // Generate Test Times, expanded reporting
    bool blnDebugOn = false;    // debug mode: created geometries stay in the design
    bool blnDebugMenus = false; // debug menus unlocked by the settings file
    bool blnSaveOnFail = false; // the first failing test ends the run
    int16_t intDRCLimit = 0;    // most DRCs per test, handed to KORVEN before the tests
};

} // namespace lumora
