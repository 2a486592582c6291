#pragma once

#include "testlogic/RunHost.h"

namespace lumora {

class frmCreatedGeometries;

// The main window as a script window sees it: what a run needs, the Created Geometries list
// that Run Script empties, and View Log File, which callers open after a run with failures.
class ScriptWindowHost : public RunHost {
  public:
    virtual frmCreatedGeometries& debugList() = 0;
    virtual void viewLog() = 0;
};

} // namespace lumora
