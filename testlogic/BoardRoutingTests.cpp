// The nine board tests of routing, soldermask, fiducials, drills, testpad density and thermal ties.

#include "korven/SubProcessTimer.h"
#include "korven/clsKORVEN.h"
#include "korven/mdlTestLib.h"
#include "testlogic/BoardTests.h"

#include <array>
#include <string>

namespace lumora {

namespace {

constexpr int16_t kTopStackup = 1;
constexpr bool kTopLevelOnly = true;

struct RoutingSide {
    Sides side;
    const char* word;
    int16_t soldermaskLayerType;
    InsertShape smdPadShape;
    int16_t cornerSurface;
};

constexpr std::array<RoutingSide, 2> kRoutingSides{{
    {Sides::Top, "Top", layer_type::SoldermaskTop, InsertShape::Whole, surface::Top},
    {Sides::Bottom, "Bottom", layer_type::SoldermaskBottom, InsertShape::PointOnly, surface::Bottom},
}};

// Soldermask webbing always runs both passes; its bottom pass is named "Bot".
struct WebbingPass {
    const char* word;
    int16_t soldermaskLayerType;
};

constexpr std::array<WebbingPass, 2> kWebbingPasses{
    {{"Top", layer_type::SoldermaskTop}, {"Bot", layer_type::SoldermaskBottom}}};

struct EtchThresholds {
    const char* marginal;
    const char* critical;
    const char* suffix;
};

constexpr EtchThresholds kTopEtch{"Marginal_Top", "Critical_Top", " - Top"};
constexpr EtchThresholds kBottomEtch{"Marginal_Bottom", "Critical_Bottom", " - Bottom"};
constexpr EtchThresholds kInnerEtch{"Marginal_Inner", "Critical_Inner", " - Inner"};

// Stack-up 1 is the top layer even when it is also the highest.
const EtchThresholds& etchThresholdsOf(int16_t stackup, int16_t maxStackup) {
    if (stackup == kTopStackup) {
        return kTopEtch;
    }
    return stackup == maxStackup ? kBottomEtch : kInnerEtch;
}

void etchAgainstBlockers(BoardRun& run, const RoutingSide& side, int16_t stackup, int16_t blockerLayer) {
    const std::string word = side.word;
    run.create("1 - " + word, run.first());
    flattenStackup(stackup, run.first(), graphic_class::Etch, kTopLevelOnly);
    run.create("2 - " + word, run.second());
    startSubProcessTimer("Flatten Layer");
    int16_t code = run.korven().dfmFlattenLayer(run.second(), blockerLayer, false);
    stopSubProcessTimer();
    run.record(code, "dfmFlattenLayer");
    run.distanceCheck(run.first(), run.second(), {0, 0}, run.testName() + " - " + word);
    deleteUnlessDebug(run.first());
    deleteUnlessDebug(run.second());
}

void routesBetweenSmtPads(BoardRun& run) {
    int16_t topBlockers = 0;
    int16_t bottomBlockers = 0;
    run.record(
        run.korven().dfmGenerateEtchBlockers(run.number("Pin_Pitch_Maximum"), topBlockers, bottomBlockers),
        "dfmGenerateEtchBlockers");
    const std::string surface = run.text("Test_Surface");
    for (const RoutingSide& side : kRoutingSides) {
        if (!choosesSide(side.side, surface)) {
            continue;
        }
        bool top = side.side == Sides::Top;
        etchAgainstBlockers(run, side, top ? kTopStackup : run.maxStackup(),
                            top ? topBlockers : bottomBlockers);
    }
    // Debug mode leaves the blocker layers for inspection; a failure above leaves them as well.
    if (!run.korven().runSettings().blnDebugOn) {
        run.korven().DeleteByLayer(topBlockers, true);
        run.korven().DeleteByLayer(bottomBlockers, true);
    }
}

void etchWidth(BoardRun& run) {
    for (int16_t stackup = kTopStackup; stackup <= run.maxStackup(); ++stackup) {
        run.create("1 - StackUp" + std::to_string(stackup), run.first());
        flattenStackup(stackup, run.first(), graphic_class::Etch, kTopLevelOnly);
        const EtchThresholds& thresholds = etchThresholdsOf(stackup, run.maxStackup());
        run.record(run.korven().dfmRouteTraceWidthMinimum(
                       run.first(), run.number(thresholds.marginal), run.number(thresholds.critical),
                       run.text("Exclude_Nets_Containing"), run.testName() + thresholds.suffix),
                   "dfmRouteTraceWidthMinimum");
        deleteUnlessDebug(run.first());
    }
}

void distanceBetweenCopper(BoardRun& run) {
    for (int16_t stackup = kTopStackup; stackup <= run.maxStackup(); ++stackup) {
        const std::string stackupSuffix = " - StackUp" + std::to_string(stackup);
        run.create(stackupSuffix, run.first());
        flattenStackup(stackup, run.first(), graphic_class::Etch, kTopLevelOnly);
        // Pads and vias belong only to the outer layers.
        for (int16_t insertType : {insert_type::Pin, insert_type::Via}) {
            flattenByInsertType({.insertType = insertType,
                                 .top = stackup == kTopStackup,
                                 .bottom = stackup == run.maxStackup(),
                                 .surface = 3},
                                run.first());
        }
        run.distanceCheck(run.first(), run.first(),
                          {run.number("Marginal_Distance"), run.number("Critical_Distance")},
                          run.testName() + stackupSuffix,
                          {.canTouch = true,
                           .skipSameNets = run.text("No_Violation_If_On_Same_Net") == "Yes",
                           .oneDRCPerNet = true});
        deleteUnlessDebug(run.first());
    }
}

void soldermaskClearanceForSmtComponents(BoardRun& run) {
    const std::string surface = run.text("Test_Surface");
    for (const RoutingSide& side : kRoutingSides) {
        if (!choosesSide(side.side, surface)) {
            continue;
        }
        const std::string word = side.word;
        run.create("1 - " + word, run.first());
        flattenByInsertType({.insertType = insert_type::Pin,
                             .top = side.side == Sides::Top,
                             .bottom = side.side == Sides::Bottom,
                             .insertPointOnly = side.smdPadShape == InsertShape::PointOnly,
                             .surface = 3,
                             .keyword = "SMD",
                             .value = "",
                             .comparisonType = comparison::HasKeyword},
                            run.first());
        // Narrowed to the pads whose pin pitch is within the maximum.
        run.filter(run.first(), "PIN_PITCH", "", comparison::LacksKeyword);
        run.filter(run.first(), "PIN_PITCH", run.text("Pin_Pitch_Maximum"), comparison::Greater);
        run.create(" - S_" + word, run.third());
        flattenByLayerType(side.soldermaskLayerType, run.third());
        run.record(run.korven().dfmSMDSoldermaskClearance(
                       run.first(), run.third(), run.number("X_Dimension_Minimum_Size"),
                       run.number("Y_Dimension_Minimum_Size"), run.testName() + " - " + word),
                   "dfmSMDSoldermaskClearance");
        deleteUnlessDebug(run.first());
        deleteUnlessDebug(run.third());
    }
}

void soldermaskWebbing(BoardRun& run) {
    for (const WebbingPass& pass : kWebbingPasses) {
        run.create(std::string(" - S") + pass.word, run.first());
        flattenByLayerTypeAndInsertType(pass.soldermaskLayerType, insert_type::Pin, run.first());
        run.filter(run.first(), "SMD", "", comparison::LacksKeyword);
        run.record(run.korven().dfmCombinePolies(run.first()), "dfmCombinePolies");
        run.distanceCheck(run.first(), run.first(),
                          {run.number("Marginal_Webbing"), run.number("Critical_Webbing")}, run.testName(),
                          {.canTouch = true});
        deleteUnlessDebug(run.first());
    }
}

void boardFiducialsInFourCorners(BoardRun& run) {
    const std::string surface = run.text("Test_Surface");
    for (const RoutingSide& side : kRoutingSides) {
        if (!choosesSide(side.side, surface)) {
            continue;
        }
        run.create(std::string("1 - ") + side.word, run.first());
        flattenInserts(insert_type::Fiducial, side.side, InsertShape::PointOnly, run.first());
        run.record(run.korven().dfmItemsInCorners(run.first(), run.number("Min_Distance_From_Rail_Edge"),
                                                  run.number("Max_Distance_From_Rail_Edge"),
                                                  run.number("Min_Distance_From_Leading_Trailing_Edge"),
                                                  run.number("Max_Distance_From_Leading_Trailing_Edge"),
                                                  run.integer("Min_Corners"), run.testName(),
                                                  side.cornerSurface),
                   "dfmItemsInCorners");
        deleteUnlessDebug(run.first());
    }
}

void thicknessToDrillDiameter(BoardRun& run) {
    run.record(run.korven().dfmBoardThicknessToDrillDiameter(run.board().position,
                                                             run.number("Maximum_Ratio"), run.testName()),
               "dfmBoardThicknessToDrillDiameter");
}

void testpadDensity(BoardRun& run) {
    run.record(run.korven().dfmTestpadDensityCheck(run.board().position, run.integer("Marginal_Count"),
                                                   run.integer("Critical_Count"),
                                                   run.number("Grid_Square_Size"), false),
               "dfmTestpadDensityCheck");
}

void thruHolePinThermalTies(BoardRun& run) {
    run.record(run.korven().dfmGerberThermalBarrelPlugCheck(run.board().position),
               "dfmGerberThermalBarrelPlugCheck");
}

constexpr std::array<BoardTestEntry, 9> kRoutingTests{{
    {"Routes Between SMT Pads", routesBetweenSmtPads},
    {"Etch Width", etchWidth},
    {"Distance Between Copper on Electrical Stackup Layers", distanceBetweenCopper},
    {"Soldermask Clearance for SMT Components", soldermaskClearanceForSmtComponents},
    {"Soldermask Webbing", soldermaskWebbing},
    {"Board Fiducials in Four Corners", boardFiducialsInFourCorners},
    {"Thickness to Drill Diameter Maximum Aspect Ratio", thicknessToDrillDiameter},
    {"Testpad Density", testpadDensity},
    {"Thru-hole Pin Thermal Ties to Plane Areas", thruHolePinThermalTies},
}};

} // namespace

std::span<const BoardTestEntry> routingTests() {
    return kRoutingTests;
}

} // namespace lumora
