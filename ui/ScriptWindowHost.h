#pragma once

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
};

} // namespace lumora
