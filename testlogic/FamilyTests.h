#pragma once

#include "script/clsTestItem.h"
#include "testlogic/BuildingBlocks.h"
#include "testlogic/FamilyGeometries.h"
#include "testlogic/ItemFrame.h"
#include "testlogic/RunContext.h"

#include <cstdint>
#include <string>

namespace lumora {

class clsKORVEN;

// What the tests of every family work with: the frame they run in, their test item with its
// parameters (read with the user's locale) and the family's geometry slots. Families derive from it.
class FamilyTests {
  public:
    FamilyTests(ItemFrame& frame, FamilyGeometries& geometries)
        : frame_(frame), test_(frame.test()), geometries_(geometries) {}

    clsKORVEN& korven() { return frame_.korven(); }
    const std::string& testName() const { return test_.strName; }
    double number(const char* parameter) { return numberParameter(test_, parameter); }
    int16_t integer(const char* parameter) { return integerParameter(test_, parameter); }
    std::string text(const char* parameter) { return textParameter(test_, parameter); }
    int16_t& first() { return geometries_[0]; }
    int16_t& second() { return geometries_[1]; }
    // A check of one pass: the test name + " - " + the pass's surface word.
    std::string checkName(const SurfacePass& pass) const { return test_.strName + " - " + pass.word; }

  protected:
    ItemFrame& frame_;
    clsTestItem& test_;
    FamilyGeometries& geometries_;
};

} // namespace lumora
