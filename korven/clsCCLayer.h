#pragma once

#include "script/TextDictionary.h"

#include <cstdint>
#include <string>

namespace lumora {

// One KORVEN layer as the layer list holds it.
class clsCCLayer {
  public:
    int32_t lngNumber = 0; // the layer's index in KORVEN
    std::string strName;
    int32_t lngType = 0;
    int16_t intShow = 0;
    int32_t lngPhysical = 0;
    int32_t lngElectrical = 0;
    int32_t lngArtwork = 0;
    TextDictionary dictAttribs; // KORVEN keyword name to attribute value

    bool blnUsed() const { return used_; }
    // Marks a slot that KORVEN reported as a hole in its layer numbering.
    void setAsUnused() { used_ = false; }

  private:
    bool used_ = true;
};

} // namespace lumora
