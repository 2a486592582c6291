// The ten board tests of component bodies, component pins and pads.

#include "korven/clsKORVEN.h"
#include "korven/mdlTestLib.h"
#include "testlogic/BoardTests.h"

#include <array>

namespace lumora {

namespace {

// Comparison types and surface codes are KORVEN's numbers and go to it as they are.

// How a package's bodies reach a geometry: through the DFx outlines, with the package attribute
// the script names, or through the real-part layers.
enum class PackageSource { DfxOutline, RealPart };

struct PackageSide {
    Sides side;
    const char* suffix;
    const char* bodyOutline;
    const char* marginal;
    const char* critical;
    int16_t realPartInsert;
    const char* realPartLayer;
};

constexpr std::array<PackageSide, 2> kPackageSides{{
    {Sides::Top, "_Top", "Comp Body Top", "Marginal_Top", "Critical_Top", 35, "Package Body Top"},
    {Sides::Bottom, "_Bottom", "Comp Body Bottom", "Marginal_Bottom", "Critical_Bottom", 37,
     "Package Body Bottom"},
}};

struct ToolingSide {
    Sides side;
    const char* word;
    const char* bodyOutline;
    const char* keepoutOutline;
};

constexpr std::array<ToolingSide, 2> kToolingSides{{
    {Sides::Top, "Top", "Comp Body Top", "Tooling Keepout Top"},
    {Sides::Bottom, "Bottom", "Comp Body Bottom", "Tooling Keepout Bottom"},
}};

// Pass 1 takes the pins of bottom-mounted parts and measures them on the top, pass 2 the reverse.
struct NonMountPass {
    const char* pinsSuffix;
    const char* outlineSuffix;
    Sides mountSide;
    int16_t pinSurface;
    const char* bodyOutline;
    const char* checkSuffix;
};

constexpr std::array<NonMountPass, 2> kNonMountPasses{{
    {" - Pin_BottomMounted_TH", " - Outline_Top", Sides::Bottom, 1, "Comp Body Bottom", " - Top"},
    {" - Pin_TopMounted_TH", " - Outline_Bottom", Sides::Top, 2, "Comp Body Top", " - Bottom"},
}};

// Two tests of this family take the bottom side by the word "Bot", not "Bottom".
bool choosesBotSide(const std::string& testSurface) {
    return testSurface == "Bot" || testSurface == "Both";
}

void fillPackage(PackageSource source, const PackageSide& side, const std::string& keyword,
                 const std::string& package, int16_t geomNum) {
    if (source == PackageSource::DfxOutline) {
        flattenDftOutline(geomNum, side.bodyOutline, insert_type::Component, keyword, package,
                          comparison::Equal);
    } else {
        flattenByLayerNameAndInsertType(side.realPartInsert, side.realPartLayer, geomNum, keyword, package,
                                        0);
    }
}

void packagePairs(BoardRun& run, PackageSource source) {
    const std::string surface = run.text("Test_Surface");
    const std::string package1 = run.text("Package_1");
    const std::string package2 = run.text("Package_2");
    const std::string keyword =
        source == PackageSource::DfxOutline ? run.text("Pkg_Attribute") : "RealPart_PackageFamily";
    for (const PackageSide& side : kPackageSides) {
        if (!choosesSide(side.side, surface)) {
            continue;
        }
        run.create("1 - " + package1 + side.suffix, run.first());
        fillPackage(source, side, keyword, package1, run.first());
        // One package against itself shares its geometry; the second slot stays empty so that no
        // clean-up deletes it twice.
        int16_t against = run.first();
        if (package2 != package1) {
            run.create("2 - " + package2 + side.suffix, run.second());
            fillPackage(source, side, keyword, package2, run.second());
            against = run.second();
        }
        run.distanceCheck(run.first(), against, {run.number(side.marginal), run.number(side.critical)},
                          run.testName() + " - " + package1 + " To " + package2 + side.suffix,
                          {.skipSameComps = source == PackageSource::RealPart});
        deleteUnlessDebug(run.first());
        deleteUnlessDebug(run.second());
    }
}

void componentPackageToComponentPackage(BoardRun& run) {
    packagePairs(run, PackageSource::DfxOutline);
}

void realPartToRealPart(BoardRun& run) {
    packagePairs(run, PackageSource::RealPart);
}

void placementMachineToolingKeepout(BoardRun& run) {
    const std::string surface = run.text("Test_Surface");
    for (const ToolingSide& side : kToolingSides) {
        if (!choosesSide(side.side, surface)) {
            continue;
        }
        run.create(std::string(" - CompBody_") + side.word, run.first());
        flattenDftOutline(run.first(), side.bodyOutline, insert_type::Component, "", "", comparison::Equal);
        run.create(std::string(" - Keepout_") + side.word, run.second());
        flattenDftOutline(run.second(), side.keepoutOutline, insert_type::Component, "", "",
                          comparison::Equal);
        // Any overlap at all is a violation.
        run.distanceCheck(run.first(), run.second(), {0, 0}, run.testName() + " - " + side.word);
        deleteUnlessDebug(run.first());
        deleteUnlessDebug(run.second());
    }
}

void componentOverComponent(BoardRun& run) {
    run.create(" - Top", run.first());
    flattenDftOutline(run.first(), "Comp Body Top", insert_type::Component, run.text("Top_Attribute_Keyword"),
                      run.text("Top_Attribute_Value"), comparison::Equal);
    run.create(" - Bottom", run.second());
    flattenDftOutline(run.second(), "Comp Body Bottom", insert_type::Component,
                      run.text("Bot_Attribute_Keyword"), run.text("Bot_Attribute_Value"), comparison::Equal);
    run.distanceCheck(run.first(), run.second(), {0, 0}, run.testName());
    deleteUnlessDebug(run.first());
    deleteUnlessDebug(run.second());
}

void keepoutAroundThruHolePin(BoardRun& run) {
    auto keepout = [&run]() -> Thresholds {
        double distance = run.number("Keepout_Distance");
        return {distance, distance};
    };
    for (const NonMountPass& pass : kNonMountPasses) {
        const bool top = pass.mountSide == Sides::Top;
        run.create(pass.pinsSuffix, run.first());
        flattenByInsertType(
            {.insertType = insert_type::Pin, .top = top, .bottom = !top, .surface = pass.pinSurface},
            run.first());
        run.filter(run.first(), "SMD", "", comparison::HasKeyword);

        run.create(pass.outlineSuffix, run.second());
        flattenDftOutline(run.second(), pass.bodyOutline, kAllLayers, "", "", comparison::Equal);
        flattenByInsertType({.insertType = insert_type::Pin,
                             .top = top,
                             .bottom = !top,
                             .surface = 3,
                             .keyword = "SMD",
                             .value = "",
                             .comparisonType = comparison::HasKeyword},
                            run.second());

        const std::string checkName = run.testName() + pass.checkSuffix;
        // Pins of other components first, then bodies and SMD pads.
        run.distanceCheck(run.first(), run.first(), keepout(), checkName, {.skipSameComps = true});
        run.distanceCheck(run.first(), run.second(), keepout(), checkName, {.skipSameComps = true});
        deleteUnlessDebug(run.first());
        deleteUnlessDebug(run.second());
    }
}

void thruHoleComponentsPadShape(BoardRun& run) {
    run.record(run.korven().dfmThruHolePadShapes(
                   run.board().position, run.text("Acceptable_Aperture_Shapes_for_Pad_Top_for_All_Others"),
                   run.text("Acceptable_Aperture_Shapes_for_Pad_Bottom_for_All_Others"),
                   run.text("Acceptable_Aperture_Shapes_for_Pad_Top_for_Pin_1"),
                   run.text("Acceptable_Aperture_Shapes_for_Pad_Bottom_for_Pin_1"), run.testName()),
               "dfmThruHolePadShapes");
}

void thruHoleComponentsAnnularRing(BoardRun& run) {
    run.record(run.korven().dfmAnnularRing(run.board().position, run.number("Pad_Top_Annular_Ring_Minimum"),
                                           run.number("Pad_Bottom_Annular_Ring_Minimum"),
                                           run.number("Soldermask_Top_Annular_Ring_Minimum"),
                                           run.number("Soldermask_Bottom_Annular_Ring_Minimum"),
                                           run.testName()),
               "dfmAnnularRing");
}

void componentHeights(BoardRun& run) {
    const std::string surface = run.text("Test_Surface");
    run.record(run.korven().dfmCompHeight(run.board().position, choosesSide(Sides::Top, surface),
                                          choosesBotSide(surface), run.text("Component_Height_Attribute"),
                                          run.number("Marginal_Top"), run.number("Critical_Top"),
                                          run.number("Marginal_Bottom"), run.number("Critical_Bottom")),
               "dfmCompHeight");
}

void componentsNotAllowedPerSurface(BoardRun& run) {
    const std::string surface = run.text("Test_Surface");
    run.record(run.korven().dfmCompsNotAllowed(run.board().position, choosesSide(Sides::Top, surface),
                                               choosesSide(Sides::Bottom, surface),
                                               run.text("Attribute_Keyword"), run.text("Attribute_Value")),
               "dfmCompsNotAllowed");
}

void pin1Orientation(BoardRun& run) {
    const std::string surface = run.text("Test_Surface");
    const std::string type = run.text("Test_Component_Type");
    const bool thruHole = type == "Thru-Hole" || type == "Thru-Hole and SMD";
    const bool smd = type == "SMD" || type == "Thru-Hole and SMD";
    run.record(run.korven().dfmPin1OrientationCheck(
                   run.board().position, choosesSide(Sides::Top, surface), choosesBotSide(surface), thruHole,
                   smd, run.integer("Ignore_Geometries_With_Fewer_Than_n_Inserts")),
               "dfmPin1OrientationCheck");
}

constexpr std::array<BoardTestEntry, 10> kSpacingTests{{
    {"Component Package To Component Package", componentPackageToComponentPackage},
    {"Real Part To Real Part", realPartToRealPart},
    {"Placement Machine Tooling Keepout", placementMachineToolingKeepout},
    {"Component Over Component", componentOverComponent},
    {"Keepout Around Thru Hole Pin on Non-Mount Side", keepoutAroundThruHolePin},
    {"Thru-hole Components Pad Shape", thruHoleComponentsPadShape},
    {"Thru-hole Components Annular Ring", thruHoleComponentsAnnularRing},
    {"Component Heights", componentHeights},
    {"Components Not Allowed Per Surface", componentsNotAllowedPerSurface},
    {"Pin 1 Orientation", pin1Orientation},
}};

} // namespace

std::span<const BoardTestEntry> spacingTests() {
    return kSpacingTests;
}

} // namespace lumora
