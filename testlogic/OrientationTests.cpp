// The two tests of the allowed rotation of components, on every visible board and then on every
// visible panel. They build no geometry: KORVEN judges the placements directly.

#include "korven/clsKORVEN.h"
#include "script/clsTestItem.h"
#include "testlogic/BuildingBlocks.h"
#include "testlogic/FamilyDispatch.h"
#include "testlogic/FamilyTests.h"
#include "testlogic/ItemFrame.h"
#include "testlogic/RunContext.h"
#include "testlogic/mdlTestLogic.h"

#include <array>

namespace lumora {

namespace {

class OrientationTests : public FamilyTests {
  public:
    using FamilyTests::FamilyTests;

    void topSurface(const FrameItem& item) { checkOrientation(item, true); }
    void bottomSurface(const FrameItem& item) { checkOrientation(item, false); }

  private:
    void checkOrientation(const FrameItem& item, bool top) {
        // Only the exact list "0,180" means components must lie horizontally.
        bool horizontal = text("Allowed_Rotations") == "0,180";
        frame_.record(korven().dfmAllowableComponentOrientation(item.position, top, horizontal, testName()),
                      "dfmAllowableComponentOrientation");
    }
};

constexpr std::array<FamilyTest<OrientationTests>, 2> kTests{{
    {"Top Surface Thru-hole Component Orientation", &OrientationTests::topSurface},
    {"Bottom Surface SMT Component Orientation", &OrientationTests::bottomSurface},
}};

} // namespace

int16_t runOrientationTests(clsTestItem& test) {
    FamilyWalk walk{
        .options = {.kind = FrameKind::Board, .routineName = "runOrientationTests", .skipHidden = true},
        .lists = {ItemList::Boards, ItemList::Panels}};
    return runNamedFamily(test, kTests, walk);
}

} // namespace lumora
