// The two tests of the allowed rotation of components, on every visible board and then on every
// visible panel. They build no geometry: KORVEN judges the placements directly.

#include "korven/clsKORVEN.h"
#include "script/clsTestItem.h"
#include "testlogic/ItemFrame.h"
#include "testlogic/RunContext.h"
#include "testlogic/mdlTestLogic.h"

#include <array>
#include <optional>

namespace lumora {

namespace {

struct OrientationTest {
    const char* name;
    bool top;
};

constexpr std::array kOrientationTests{
    OrientationTest{"Top Surface Thru-hole Component Orientation", true},
    OrientationTest{"Bottom Surface SMT Component Orientation", false},
};

std::optional<bool> surfaceIsTop(const std::string& testName) {
    for (const OrientationTest& test : kOrientationTests) {
        if (testName == test.name) {
            return test.top;
        }
    }
    return std::nullopt;
}

void checkOrientation(ItemFrame& frame, const FrameItem& item) {
    clsTestItem& test = frame.test();
    std::optional<bool> top = surfaceIsTop(test.strName);
    if (!top) {
        return;
    }
    // Only the exact list "0,180" means components must lie horizontally.
    bool horizontal = textParameter(test, "Allowed_Rotations") == "0,180";
    frame.record(
        frame.korven().dfmAllowableComponentOrientation(item.position, *top, horizontal, test.strName),
        "dfmAllowableComponentOrientation");
}

} // namespace

int16_t runOrientationTests(clsTestItem& test) {
    FamilyGeometries noGeometries(0);
    FrameOptions options{FrameKind::Board, "runOrientationTests", true, true};
    ItemFrame frame(test, noGeometries, options);
    auto branch = [&](const FrameItem& item) { checkOrientation(frame, item); };
    if (frame.runItems(ItemList::Boards, branch)) {
        frame.runItems(ItemList::Panels, branch);
    }
    return frame.finish();
}

} // namespace lumora
