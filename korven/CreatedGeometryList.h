#pragma once

#include <cstdint>
#include <string>

namespace lumora {

// The Created Geometries window as the layers below the windows see it.
class CreatedGeometryList {
  public:
    virtual ~CreatedGeometryList() = default;
    // Records a geometry that a test created; the window ignores it unless the run is in debug mode.
    virtual void addGeometry(const std::string& testName, const std::string& filename, int32_t filePos,
                             int16_t geomNum) = 0;
};

// frmDebugList as seen from below: nullptr until a front end installs its window.
CreatedGeometryList* frmDebugList();
void setFrmDebugList(CreatedGeometryList* list);

} // namespace lumora
