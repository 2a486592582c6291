// The six tests that measure items of a board against the board's outline: fiducials, component
// bodies, testpoints, vias and etch must keep their distance; gold fingers must reach the edge.

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

enum Slot : std::size_t { Outline = 0, Items = 1 };

class BoardOutlineTests : public FamilyTests {
  public:
    BoardOutlineTests(ItemFrame& frame, FamilyGeometries& geometries)
        : FamilyTests(frame, geometries), maxStackup_(frame.korven().getMaxElectricalStackup()) {}

    void fiducialClearance(const FrameItem& item) {
        buildOutline(item);
        createdGeometry(test_.strName + " - Fid", item, items());
        flattenInserts(insert_type::Fiducial, Sides::Both, InsertShape::Whole, items());
        measureFromOutline("Min_Clearance_From_Board_Edge", test_.strName);
    }

    void componentClearance(const FrameItem& item) {
        std::string surface = text("Test_Surface");
        buildOutline(item);
        createdGeometry(test_.strName + " - Comp", item, items());
        for (const SurfacePass& pass : kSurfacePasses) {
            if (runsPass(surface, pass)) {
                flattenDftOutline(items(), pass.bodyOutline, insert_type::Component, "", "",
                                  comparison::Equal);
            }
        }
        measureFromOutline("Minimum_Distance_From_Edge", test_.strName);
        geometries_.deleteUnlessDebug();
    }

    void testpointPadClearance(const FrameItem& item) {
        padClearance(item, " - TP_", insert_type::Testpoint);
    }

    void viaPadClearance(const FrameItem& item) { padClearance(item, " - Via_", insert_type::Via); }

    void goldfingerFlush(const FrameItem& item) {
        createdGeometry(test_.strName, item, items());
        for (const char* extents : {"Pin Extents Top", "Pin Extents Bottom"}) {
            flattenDftOutline(items(), extents, inserttype::GoldFinger, text("Package_Keyword"),
                              text("Package_Value"), comparison::Equal);
        }
        frame_.record(
            korven().dfmComponentFlushWithEdge(items(), number("Maximum_Distance_From_Edge"), test_.strName),
            "dfmComponentFlushWithEdge");
    }

    void etchClearance(const FrameItem& item) {
        buildOutline(item);
        for (int16_t stackup = 1; stackup <= maxStackup_; ++stackup) {
            createdGeometry(test_.strName + " - StackUp" + std::to_string(stackup), item, items());
            flattenStackup(stackup, items(), graphic_class::Etch, true);
            measureFromOutline("Minimum_Distance_From_Edge", test_.strName);
            deleteUnlessDebug(items());
            items() = 0;
        }
        deleteUnlessDebug(outline());
    }

  private:
    int16_t& outline() { return geometries_[Outline]; }
    int16_t& items() { return geometries_[Items]; }

    void buildOutline(const FrameItem& item) {
        createdGeometry(test_.strName + " - BdOutline", item, outline());
        flattenByGraphicClass(outline(), graphic_class::BoardOutline, false);
    }

    // A pass whose surface "Test_Surface" leaves out still measures its empty geometry.
    void padClearance(const FrameItem& item, const char* geometryWord, int16_t insertType) {
        std::string surface = text("Test_Surface");
        for (const SurfacePass& pass : kSurfacePasses) {
            buildOutline(item);
            createdGeometry(test_.strName + geometryWord + pass.word, item, items());
            InsertTypeSelection selection;
            selection.insertType = insertType;
            selection.top = pass.side == Sides::Top && runsPass(surface, pass);
            selection.bottom = pass.side == Sides::Bottom && runsPass(surface, pass);
            flattenByInsertType(selection, items());
            measureFromOutline("Minimum_Distance_From_Edge", test_.strName + " - " + pass.word);
            geometries_.deleteUnlessDebug();
        }
    }

    // The one threshold is both the Marginal and the Critical distance.
    void measureFromOutline(const char* threshold, const std::string& checkName) {
        double distance = number(threshold);
        distanceCheck(frame_, outline(), items(), distance, distance, checkName);
    }

    int16_t maxStackup_;
};

constexpr std::array<FamilyTest<BoardOutlineTests>, 6> kTests{{
    {"Fiducial Clearance To Board Outline", &BoardOutlineTests::fiducialClearance},
    {"Minimum Component Clearance To Board Outline", &BoardOutlineTests::componentClearance},
    {"Minimum Testpoint Pad Edge Clearance To Board Outline", &BoardOutlineTests::testpointPadClearance},
    {"Minimum Via Pad Edge Clearance To Board Outline", &BoardOutlineTests::viaPadClearance},
    {"Goldfinger Flush With Board Outline", &BoardOutlineTests::goldfingerFlush},
    {"Minimum Etch Edge Clearance To Board Outline", &BoardOutlineTests::etchClearance},
}};

} // namespace

int16_t runBoardOutlineTests(clsTestItem& test) {
    FamilyWalk walk{.options = {FrameKind::Board, "runBoardOutlineTests"},
                    .geometrySlots = 2,
                    .lists = {ItemList::Boards},
                    .deleteAfterEachItem = true};
    return runNamedFamily(test, kTests, walk);
}

} // namespace lumora
