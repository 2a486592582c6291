#pragma once

#include "korven/mdlTestLib.h"
#include "script/clsTestItem.h"
#include "testlogic/FamilyDispatch.h"
#include "testlogic/ItemFrame.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lumora {

struct FrameItem;

// Which surfaces an insert flattening collects.
enum class Sides { Top, Bottom, Both };

// Whether inserts are flattened whole or as their insertion points.
enum class InsertShape { Whole, PointOnly };

// A geometry created for the item and listed in the Created Geometries window.
void createdGeometry(const std::string& name, const FrameItem& item, int16_t& geomNum);

// flattenByInsertType of one insert type on the chosen surfaces: no inner stack-up, surface code
// 3, no attribute condition.
void flattenInserts(int16_t insertType, Sides sides, InsertShape shape, int16_t geomNum);

// DeleteGeometry unless debug mode keeps it or there is none; sets geomNum to 0 when deleted.
void deleteUnlessDebug(int16_t& geomNum);

// Whether "Test_Surface" chooses the side: "Top" or "Bottom" (exactly), or "Both".
bool choosesSide(Sides side, const std::string& testSurface);

// One pass of a two-pass test: its surface word in geometry and check names, the surface whose
// inserts it collects, and the DFx outline type of that surface's component bodies.
struct SurfacePass {
    const char* word;
    Sides side;
    const char* bodyOutline;
};

// Pass 1 is Top, pass 2 Bottom.
constexpr std::array<SurfacePass, 2> kSurfacePasses{{
    {"Top", Sides::Top, "Comp Body Top"},
    {"Bottom", Sides::Bottom, "Comp Body Bottom"},
}};

// choosesSide of the pass's side.
bool runsPass(const std::string& testSurface, const SurfacePass& pass);

// Items of a board whose soldermask openings were prepared before the tests ran.
enum class MaskedItems { Vias, Pins, Testpoints, Features };

// The board's soldermask geometry of the items on the pass's surface, entered in the Created
// Geometries list as the test name + "_sVia_Top" and the like.
int16_t boardSoldermaskGeometry(MaskedItems items, const SurfacePass& pass, const std::string& testName,
                                const FrameItem& item);

// The switches of dfmDistanceCheck; all off unless a test says otherwise.
struct DistanceFlags {
    bool canTouch = false;
    bool skipSameNets = false;
    bool oneDRCPerNet = false;
    bool skipSameComps = false;
};

// dfmDistanceCheck measuring edge to edge; a non-zero code ends the item in the board frame.
void distanceCheck(ItemFrame& frame, int16_t geomNum1, int16_t geomNum2, double marginal, double critical,
                   const std::string& checkName, DistanceFlags flags = {});

// dfmFilterGeometry timed as the sub-process "Filter"; a non-zero code ends the item.
void filterGeometry(ItemFrame& frame, int16_t geomNum, const std::string& keyWord, const std::string& value,
                    int32_t comparisonType);

// Fills geomNum with the features a pad may come too close to on the pass's surface: etch
// without a net, then the inserts of types 10 and 0.
void fillFeatureGeometry(ItemFrame& frame, const SurfacePass& pass, int16_t geomNum);

// The switch ("Include_Soldermask", "Skip_Masked_Vias") by which a test measures the board's
// soldermask geometries instead of its own. Those belong to the connection, so while the switch
// is on a test deletes neither of its two geometries.
class SoldermaskSwitch {
  public:
    explicit SoldermaskSwitch(clsTestItem& test) : test_(test) {}

    void set(const char* switchName) { name_ = switchName; }
    void clear() { name_.clear(); }
    // Only the exact text "Yes" is on; no switch set is off.
    bool isOn() const;
    // Deletes the geometries (first, then second) unless the switch is on or debug mode keeps them.
    void deleteUnlessOn(FamilyGeometries& geometries) const;

  private:
    clsTestItem& test_;
    std::string name_;
};

// The board loop of a family whose tests may borrow the board's soldermask geometries: the
// switch is cleared before every board and decides the clean-up after every board and once more
// when the routine leaves. Returns the frame's result code.
int16_t runMaskableBoards(ItemFrame& frame, FamilyGeometries& geometries, SoldermaskSwitch& maskSwitch,
                          const ItemFrame::Branch& branch);

// The whole routine of such a family: its named test on every board, in a board frame named
// `routine`. Family is built from the frame, its two geometries and the switch.
template <class Family, std::size_t N>
int16_t runMaskableFamily(clsTestItem& test, const std::array<FamilyTest<Family>, N>& tests,
                          const char* routine) {
    const FamilyTest<Family>* named = findNamedTest(tests, test.strName);
    FamilyGeometries geometries(2);
    ItemFrame frame(test, geometries, {FrameKind::Board, routine});
    SoldermaskSwitch maskSwitch(test);
    Family family(frame, geometries, maskSwitch);
    return runMaskableBoards(frame, geometries, maskSwitch, [&](const FrameItem& item) {
        if (named != nullptr) {
            (family.*named->run)(item);
        }
    });
}

// How a family's routine walks the design: its frame, how many geometry slots its tests use, the
// lists of items it runs on in order, whether those geometries are deleted after every item, and
// the description with which a design without testable panels fails the routine (none: not asked).
struct FamilyWalk {
    FrameOptions options;
    std::size_t geometrySlots = 0;
    std::vector<ItemList> lists;
    bool deleteAfterEachItem = false;
    const char* withoutPanels = nullptr;
};

// False, after failing the routine, when the walk needs panels and the design has none to test.
bool panelsToTest(ItemFrame& frame, const FamilyWalk& walk);

// Runs the branch on the walk's lists in order, until save on fail ends the routine. Returns the
// frame's result code.
int16_t walkFamily(ItemFrame& frame, FamilyGeometries& geometries, const FamilyWalk& walk,
                   const ItemFrame::Branch& branch);

// The whole routine of a family that runs its named test on the items of its walk. Family is built
// from the frame and its geometries once the frame stands (and the panels are there).
template <class Family, std::size_t N>
int16_t runNamedFamily(clsTestItem& test, const std::array<FamilyTest<Family>, N>& tests,
                       const FamilyWalk& walk) {
    FamilyGeometries geometries(walk.geometrySlots);
    ItemFrame frame(test, geometries, walk.options);
    if (!panelsToTest(frame, walk)) {
        return frame.finish();
    }
    Family family(frame, geometries);
    const FamilyTest<Family>* named = findNamedTest(tests, test.strName);
    return walkFamily(frame, geometries, walk, [&](const FrameItem& item) {
        if (named != nullptr) {
            (family.*named->run)(item);
        }
    });
}

} // namespace lumora
