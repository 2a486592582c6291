// The seven tests that judge a panel: its size and proportions, its tooling holes and
// fiducials, and how close components and gold fingers come to its edges.

#include "korven/clsKORVEN.h"
#include "script/clsTestItem.h"
#include "testlogic/BuildingBlocks.h"
#include "testlogic/FamilyDispatch.h"
#include "testlogic/FamilyTests.h"
#include "testlogic/ItemFrame.h"
#include "testlogic/RunContext.h"
#include "testlogic/mdlTestLogic.h"

#include <array>
#include <string_view>

namespace lumora {

namespace {

struct PanelPass {
    const char* suffix; // appended to the test name for the pass's geometry
    Sides side;
    const char* bodyOutline;
    const char* railParameter;
    const char* edgeParameter;
    int16_t surface;
};

constexpr std::array<PanelPass, 2> kPasses{{
    {" - Top", Sides::Top, "Comp Body Top", "Min_Clearance_From_Rail_Edge_For_Top_Components",
     "Min_Clearance_From_Leading_Trailing_Edge_For_Top_Components", surface::Top},
    {" - Bottom", Sides::Bottom, "Comp Body Bottom", "Min_Clearance_From_Rail_Edge_For_Bottom_Components",
     "Min_Clearance_From_Leading_Trailing_Edge_For_Bottom_Components", surface::Bottom},
}};

// The panel tests and the one geometry each may build.
class PanelTests : public FamilyTests {
  public:
    PanelTests(ItemFrame& frame, FamilyGeometries& geometries)
        : FamilyTests(frame, geometries), geomNum_(geometries[0]) {}

    void lengthToWidthRatio(const FrameItem& item) {
        frame_.record(korven().dfmPanelLengthToWidthRatio(item.position, number("Length_To_Width_Ratio")),
                      "dfmPanelLengthToWidthRatio");
    }

    void panelDimensions(const FrameItem& item) {
        frame_.record(korven().dfmPanelDimensions(item.position, number("Minimum_Width"),
                                                  number("Maximum_Width"), number("Minimum_Length"),
                                                  number("Maximum_Length"), test_.strName),
                      "dfmPanelDimensions");
    }

    void toolingHolesInCorners(const FrameItem& item) {
        createdGeometry(test_.strName, item, geomNum_);
        flattenInserts(insert_type::ToolingHole, Sides::Both, InsertShape::PointOnly, geomNum_);
        itemsInCorners(0);
        deleteUnlessDebug(geomNum_);
    }

    void fiducialClearance(const FrameItem& item) {
        for (const PanelPass& pass : kPasses) {
            createdGeometry(test_.strName + pass.suffix, item, geomNum_);
            flattenInserts(insert_type::Fiducial, pass.side, InsertShape::Whole, geomNum_);
            frame_.record(
                korven().dfmFiducialClearanceToPanelEdge(geomNum_, number("Min_Clearance_From_Rail_Edge"),
                                                         number("Min_Clearance_From_Leading_Trailing_Edge")),
                "dfmFiducialClearanceToPanelEdge");
            deleteUnlessDebug(geomNum_);
        }
    }

    void fiducialsInCorners(const FrameItem& item) {
        std::string surface = text("Test_Surface");
        for (const PanelPass& pass : kPasses) {
            if (!choosesSide(pass.side, surface)) {
                continue;
            }
            createdGeometry(test_.strName + pass.suffix, item, geomNum_);
            flattenInserts(insert_type::Fiducial, pass.side, InsertShape::PointOnly, geomNum_);
            itemsInCorners(pass.surface);
            deleteUnlessDebug(geomNum_);
        }
    }

    void componentsClearance(const FrameItem& item) {
        for (const PanelPass& pass : kPasses) {
            createdGeometry(test_.strName + pass.suffix, item, geomNum_);
            flattenDftOutline(geomNum_, pass.bodyOutline, insert_type::Component, "", "", comparison::Equal);
            if (text("Ignore_Tooling") == "No") {
                flattenInserts(insert_type::ToolingHole, pass.side, InsertShape::Whole, geomNum_);
            }
            if (text("Ignore_Fiducial") == "No") {
                flattenInserts(insert_type::Fiducial, pass.side, InsertShape::Whole, geomNum_);
            }
            frame_.record(korven().dfmAllComponentsClearanceToPanelEdge(geomNum_, number(pass.railParameter),
                                                                        number(pass.edgeParameter)),
                          "dfmAllComponentsClearanceToPanelEdge");
            deleteUnlessDebug(geomNum_);
        }
    }

    void goldFingersFlush(const FrameItem& item) {
        createdGeometry(test_.strName, item, geomNum_);
        std::string keyword = text("Package_Keyword");
        std::string value = text("Package_Value");
        flattenDftOutline(geomNum_, "Pin Extents Top", inserttype::GoldFinger, keyword, value,
                          comparison::Equal);
        flattenDftOutline(geomNum_, "Pin Extents Bottom", inserttype::GoldFinger, keyword, value,
                          comparison::Equal);
        frame_.record(
            korven().dfmComponentFlushWithEdge(geomNum_, number("Maximum_Distance_From_Edge"), test_.strName),
            "dfmComponentFlushWithEdge");
        deleteUnlessDebug(geomNum_);
    }

  private:
    void itemsInCorners(int16_t surface) {
        frame_.record(korven().dfmItemsInCorners(geomNum_, number("Min_Distance_From_Rail_Edge"),
                                                 number("Max_Distance_From_Rail_Edge"),
                                                 number("Min_Distance_From_Leading_Trailing_Edge"),
                                                 number("Max_Distance_From_Leading_Trailing_Edge"),
                                                 integer("Min_Corners"), test_.strName, surface),
                      "dfmItemsInCorners");
    }

    int16_t& geomNum_;
};

constexpr std::array<FamilyTest<PanelTests>, 7> kTests{{
    {"Panel Dimensions", &PanelTests::panelDimensions},
    {"Panel Length To Width Ratio", &PanelTests::lengthToWidthRatio},
    {"Panel Tooling Holes In Corners", &PanelTests::toolingHolesInCorners},
    {"Fiducial Clearance To Panel Edge", &PanelTests::fiducialClearance},
    {"Panel Fiducials In Corners ", &PanelTests::fiducialsInCorners},
    {"All Components Clearance To Panel Edges", &PanelTests::componentsClearance},
    {"Gold Fingers Flush With Panel Edge", &PanelTests::goldFingersFlush},
}};

} // namespace

int16_t runPanelTests(clsTestItem& test) {
    FamilyWalk walk{.options = {FrameKind::Panel, "runPanelTests"},
                    .geometrySlots = 1,
                    .lists = {ItemList::Panels},
                    .withoutPanels = "No visible panels."};
    return runNamedFamily(test, kTests, walk);
}

} // namespace lumora
