#pragma once

#include "korven/RunSettings.h"
#include "log/LogSwitches.h"
#include "testlogic/RunHost.h"

namespace lumora {

class frmCreatedGeometries;
class frmTests;

// The main window as a script window sees it: what a run needs, the Created Geometries list
// that Run Script empties, View Log File, which callers open after a run with failures, and the
// main window's Open Script, which the window's File menu calls.
class ScriptWindowHost : public RunHost {
  public:
    virtual frmCreatedGeometries& debugList() = 0;
    virtual void viewLog() = 0;
    virtual void openFile() = 0;
    // The user brought the window to the front (also when it is created).
    virtual void windowActivated(frmTests& window) = 0;
    // The settings of a run about to start; the window adds its own "Clear DRC On Run" mark.
    virtual RunSettings runSettings() const = 0;
    // Read by the time log as it writes, so that a menu flipped during a run reaches it at once.
    virtual const LogSwitches& logSwitches() const = 0;
};

} // namespace lumora
