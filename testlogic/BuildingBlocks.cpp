#include "testlogic/BuildingBlocks.h"

#include "korven/CreatedGeometryList.h"
#include "korven/SubProcessTimer.h"
#include "korven/clsKORVEN.h"
#include "testlogic/ItemFrame.h"
#include "testlogic/RunContext.h"

namespace lumora {

void createdGeometry(const std::string& name, const FrameItem& item, int16_t& geomNum) {
    createFlattenGeometry(name, item.fileName, item.position, geomNum, true);
}

void flattenInserts(int16_t insertType, Sides sides, InsertShape shape, int16_t geomNum) {
    InsertTypeSelection selection;
    selection.insertType = insertType;
    selection.top = sides != Sides::Bottom;
    selection.bottom = sides != Sides::Top;
    selection.insertPointOnly = shape == InsertShape::PointOnly;
    flattenByInsertType(selection, geomNum);
}

void deleteUnlessDebug(int16_t& geomNum) {
    clsKORVEN& korven = runningKorven();
    if (!korven.runSettings().blnDebugOn && geomNum != 0) {
        korven.DeleteGeometry(geomNum);
    }
}

bool choosesSide(Sides side, const std::string& testSurface) {
    return testSurface == "Both" || (side == Sides::Top ? testSurface == "Top" : testSurface == "Bottom");
}

bool runsPass(const std::string& testSurface, const SurfacePass& pass) {
    return choosesSide(pass.side, testSurface);
}

namespace {

using BoardGeomNum = int16_t (clsKORVEN::*)(int32_t) const;

struct MaskedGeometry {
    const char* label; // between the test name and the surface word
    BoardGeomNum top;
    BoardGeomNum bottom;
};

// In the order of MaskedItems.
constexpr std::array<MaskedGeometry, 4> kMaskedGeometries{{
    {"_sVia_", &clsKORVEN::Board_sViaGeom_topGeomNum, &clsKORVEN::Board_sViaGeom_botGeomNum},
    {"_sPin_", &clsKORVEN::Board_sPinGeom_topGeomNum, &clsKORVEN::Board_sPinGeom_botGeomNum},
    {"_sTP_", &clsKORVEN::Board_sTPGeom_topGeomNum, &clsKORVEN::Board_sTPGeom_botGeomNum},
    {"_sFeature_", &clsKORVEN::Board_sFeatureGeom_topGeomNum, &clsKORVEN::Board_sFeatureGeom_botGeomNum},
}};

constexpr std::array<int16_t, 2> kFeatureInserts{insert_type::FreePad,
                                                 insert_type::Unclassified}; // in this order

} // namespace

int16_t boardSoldermaskGeometry(MaskedItems items, const SurfacePass& pass, const std::string& testName,
                                const FrameItem& item) {
    const MaskedGeometry& kind = kMaskedGeometries.at(static_cast<std::size_t>(items));
    BoardGeomNum read = pass.side == Sides::Top ? kind.top : kind.bottom;
    int16_t geomNum = (runningKorven().*read)(item.index);
    if (CreatedGeometryList* list = frmDebugList()) {
        list->addGeometry(testName + kind.label + pass.word, item.fileName, item.position, geomNum);
    }
    return geomNum;
}

void distanceCheck(ItemFrame& frame, int16_t geomNum1, int16_t geomNum2, double marginal, double critical,
                   const std::string& checkName, DistanceFlags flags) {
    frame.record(frame.korven().dfmDistanceCheck(geomNum1, geomNum2, marginal, critical, checkName,
                                                 distance_algorithm::EdgeToEdge, flags.canTouch,
                                                 flags.skipSameNets, flags.oneDRCPerNet, flags.skipSameComps),
                 "dfmDistanceCheck");
}

void filterGeometry(ItemFrame& frame, int16_t geomNum, const std::string& keyWord, const std::string& value,
                    int32_t comparisonType) {
    startSubProcessTimer("Filter");
    int16_t code = frame.korven().dfmFilterGeometry(geomNum, keyWord, value, comparisonType);
    stopSubProcessTimer();
    frame.record(code, "dfmFilterGeometry");
}

void fillFeatureGeometry(ItemFrame& frame, const SurfacePass& pass, int16_t geomNum) {
    flattenByGraphicClass(geomNum, graphic_class::Etch, true);
    filterGeometry(frame, geomNum, "NETNAME", "", comparison::HasKeyword);
    for (int16_t insertType : kFeatureInserts) {
        flattenInserts(insertType, pass.side, InsertShape::Whole, geomNum);
    }
}

bool SoldermaskSwitch::isOn() const {
    return !name_.empty() && textParameter(test_, name_) == "Yes";
}

void SoldermaskSwitch::deleteUnlessOn(FamilyGeometries& geometries) const {
    if (!isOn()) {
        geometries.deleteUnlessDebug();
    }
}

int16_t runMaskableBoards(ItemFrame& frame, FamilyGeometries& geometries, SoldermaskSwitch& maskSwitch,
                          const ItemFrame::Branch& branch) {
    auto cleanUp = [&] { maskSwitch.deleteUnlessOn(geometries); };
    frame.runItems(
        ItemList::Boards,
        [&](const FrameItem& item) {
            maskSwitch.clear();
            branch(item);
        },
        cleanUp);
    cleanUp();
    // What the switch kept stays in the design (the board's soldermask geometries, and the body
    // geometries of "Via Under Component"): the frame must not delete it.
    geometries.zero();
    return frame.finish();
}

bool panelsToTest(ItemFrame& frame, const FamilyWalk& walk) {
    if (walk.withoutPanels == nullptr || frame.korven().haveTestablePanels()) {
        return true;
    }
    frame.failRoutine("Panel Tests", walk.withoutPanels);
    return false;
}

int16_t walkFamily(ItemFrame& frame, FamilyGeometries& geometries, const FamilyWalk& walk,
                   const ItemFrame::Branch& branch) {
    ItemFrame::Cleanup cleanup;
    if (walk.deleteAfterEachItem) {
        cleanup = [&] { geometries.deleteUnlessDebug(); };
    }
    for (ItemList list : walk.lists) {
        if (!frame.runItems(list, branch, cleanup)) {
            break;
        }
    }
    return frame.finish();
}

} // namespace lumora
