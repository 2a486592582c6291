#pragma once

#include <cstdint>
#include <filesystem>

namespace lumora {

// What one run is told by whoever starts it. It travels as a value, from the main window to the
// run driver and on to the connection, so that two runs never read each other's settings.
struct RunSettings {
    int16_t intDRCLimit = 0;           // most DRCs per test, handed to KORVEN before the tests
    bool blnDebugOn = false;           // created geometries stay in the design
    bool blnSaveOnFail = false;        // the first failing test ends the run, its design kept as error.cc
    bool blnClearDRC = true;           // "Clear DRC On Run" of the running window
    std::filesystem::path logFolder{}; // runner.log, testtimes.csv, error.cc
};

} // namespace lumora
