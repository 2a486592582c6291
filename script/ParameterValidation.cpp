#include "script/ParameterValidation.h"

#include "script/LocaleConversions.h"
#include "script/ParameterNames.h"
#include "script/TestCatalog.h"

#include <algorithm>
#include <array>
#include <optional>

namespace lumora {

namespace {

using namespace parameter;
using C = ParameterCheck;
using G = ParameterGroup;

constexpr C number(std::string_view name) {
    return C{name, ParameterKind::Number};
}
constexpr C integer(std::string_view name) {
    return C{name, ParameterKind::Integer};
}
constexpr C switched(std::string_view name) {
    return C{name, ParameterKind::Switch};
}

// Current tests

constexpr std::array kPanelLengthToWidthRatio{
    number(Length_To_Width_Ratio),
};

constexpr std::array kPanelDimensions{
    number(Minimum_Width),
    number(Maximum_Width),
    number(Minimum_Length),
    number(Maximum_Length),
};

constexpr std::array kFiducialsOrToolingInCorners{
    number(Min_Distance_From_Rail_Edge),
    number(Max_Distance_From_Rail_Edge),
    number(Min_Distance_From_Leading_Trailing_Edge),
    number(Max_Distance_From_Leading_Trailing_Edge),
    integer(Min_Corners),
};

constexpr std::array kFiducialClearanceToPanelEdge{
    number(Min_Clearance_From_Rail_Edge),
    number(Min_Clearance_From_Leading_Trailing_Edge),
};

constexpr std::array kAllComponentsClearanceToPanelEdges{
    number(Min_Clearance_From_Rail_Edge_For_Top_Components),
    number(Min_Clearance_From_Rail_Edge_For_Bottom_Components),
    number(Min_Clearance_From_Leading_Trailing_Edge_For_Top_Components),
    number(Min_Clearance_From_Leading_Trailing_Edge_For_Bottom_Components),
};

constexpr std::array kGoldFingersFlushWithEdge{
    number(Maximum_Distance_From_Edge),
};

constexpr std::array kMarginalAndCriticalDistance{
    number(Marginal_Distance),
    number(Critical_Distance),
};

constexpr std::array kTopAndBottomThresholds{
    number(Marginal_Top),
    number(Critical_Top),
    number(Marginal_Bottom),
    number(Critical_Bottom),
};

constexpr std::array kThruHoleComponentsAnnularRing{
    number(Pad_Top_Annular_Ring_Minimum),
    number(Pad_Bottom_Annular_Ring_Minimum),
    number(Soldermask_Top_Annular_Ring_Minimum),
    number(Soldermask_Bottom_Annular_Ring_Minimum),
};

constexpr std::array kPin1Orientation{
    integer(Ignore_Geometries_With_Fewer_Than_n_Inserts),
};

constexpr std::array kRoutesBetweenSmtPads{
    number(Pin_Pitch_Maximum),
};

constexpr std::array kEtchWidth{
    number(Marginal_Top),   number(Critical_Top),    number(Marginal_Inner),
    number(Critical_Inner), number(Marginal_Bottom), number(Critical_Bottom),
};

constexpr std::array kSoldermaskClearanceForSmtComponents{
    number(Pin_Pitch_Maximum),
    number(X_Dimension_Minimum_Size),
    number(Y_Dimension_Minimum_Size),
};

constexpr std::array kThicknessToDrillDiameter{
    number(Maximum_Ratio),
};

constexpr std::array kTestpadDensity{
    number(Grid_Square_Size),
    integer(Marginal_Count),
    integer(Critical_Count),
};

constexpr std::array kKeepoutAroundThruHolePin{
    number(Keepout_Distance),
};

constexpr std::array kBoardFiducialKeepout{
    number(Marginal_Distance),
    number(Critical_Distance),
    integer(Look_Through_n_Electrical_Stackups),
};

constexpr std::array kComponentHeights{
    number(Marginal_Top),
    number(Marginal_Bottom),
    number(Critical_Top),
    number(Critical_Bottom),
};

constexpr std::array kSoldermaskWebbing{
    number(Marginal_Webbing),
    number(Critical_Webbing),
};

constexpr std::array kFiducialClearanceToBoardOutline{
    number(Min_Clearance_From_Board_Edge),
};

constexpr std::array kMinimumClearanceToBoardOutline{
    number(Minimum_Distance_From_Edge),
};

constexpr std::array kTestpointPadSize{
    number(Minimum_Top_Pad_Size),
    number(Maximum_Top_Pad_Size),
    number(Minimum_Bottom_Pad_Size),
    number(Maximum_Bottom_Pad_Size),
};

constexpr std::array kTestpointsPerNet{
    integer(Testpoints_Per_Net),
};

constexpr std::array kTestpointCenterToComponentBody{
    number(Marginal_To_Short_Component),
    number(Marginal_To_Tall_Component),
    number(Critical_To_Short_Component),
    number(Critical_To_Tall_Component),
    number(Compheight_Differenciating_Short_From_Tall_Components),
};

constexpr std::array kViaPadSize{
    number(Top_Minimum_Size),
    number(Top_Maximum_Size),
    number(Bottom_Minimum_Size),
    number(Bottom_Maximum_Size),
    number(Ignore_Via_Holes_Below_Size),
};

constexpr std::array kViaHoleSize{
    number(Minimum_Size),
    number(Maximum_Size),
    number(Ignore_Via_Holes_Below_Size),
};

struct NamedChecks {
    std::string_view test;
    std::span<const C> checks;
};

constexpr std::array kCurrentChecks{
    NamedChecks{"Panel Length To Width Ratio", kPanelLengthToWidthRatio},
    NamedChecks{"Panel Dimensions", kPanelDimensions},
    NamedChecks{"Panel Tooling Holes In Corners", kFiducialsOrToolingInCorners},
    NamedChecks{"Panel Fiducials In Corners ", kFiducialsOrToolingInCorners},
    NamedChecks{"Board Fiducials in Four Corners", kFiducialsOrToolingInCorners},
    NamedChecks{"Fiducial Clearance To Panel Edge", kFiducialClearanceToPanelEdge},
    NamedChecks{"All Components Clearance To Panel Edges", kAllComponentsClearanceToPanelEdges},
    NamedChecks{"Gold Fingers Flush With Panel Edge", kGoldFingersFlushWithEdge},
    NamedChecks{"Goldfinger Flush With Board Outline", kGoldFingersFlushWithEdge},
    NamedChecks{"Panel Fiducial Keepout", kMarginalAndCriticalDistance},
    NamedChecks{"Panel Tooling Hole Keepout", kMarginalAndCriticalDistance},
    NamedChecks{"Board Tooling Hole Keepout", kMarginalAndCriticalDistance},
    NamedChecks{"Distance Between Copper on Electrical Stackup Layers", kMarginalAndCriticalDistance},
    NamedChecks{"Custom Keepouts", kMarginalAndCriticalDistance},
    NamedChecks{"Testpoint Center To Testpoint Center", kMarginalAndCriticalDistance},
    NamedChecks{"Testpoint Edge To Component Pin Edge", kMarginalAndCriticalDistance},
    NamedChecks{"Testpoint Edge To Feature", kMarginalAndCriticalDistance},
    NamedChecks{"Component Package To Component Package", kTopAndBottomThresholds},
    NamedChecks{"Real Part To Real Part", kTopAndBottomThresholds},
    NamedChecks{"Via Edge To Via Edge", kTopAndBottomThresholds},
    NamedChecks{"Via Edge To Component Pad Edge", kTopAndBottomThresholds},
    NamedChecks{"Via Edge To Testpoint", kTopAndBottomThresholds},
    NamedChecks{"Via Edge To Feature", kTopAndBottomThresholds},
    NamedChecks{"Thru-hole Components Annular Ring", kThruHoleComponentsAnnularRing},
    NamedChecks{"Pin 1 Orientation", kPin1Orientation},
    // An unnamed test carries the parameters of a pin 1 check and is checked like one.
    NamedChecks{"", kPin1Orientation},
    NamedChecks{"Routes Between SMT Pads", kRoutesBetweenSmtPads},
    NamedChecks{"Etch Width", kEtchWidth},
    NamedChecks{"Soldermask Clearance for SMT Components", kSoldermaskClearanceForSmtComponents},
    NamedChecks{"Thickness to Drill Diameter Maximum Aspect Ratio", kThicknessToDrillDiameter},
    NamedChecks{"Testpad Density", kTestpadDensity},
    NamedChecks{"Keepout Around Thru Hole Pin on Non-Mount Side", kKeepoutAroundThruHolePin},
    NamedChecks{"Board Fiducial Keepout", kBoardFiducialKeepout},
    NamedChecks{"Component Heights", kComponentHeights},
    NamedChecks{"Soldermask Webbing", kSoldermaskWebbing},
    NamedChecks{"Fiducial Clearance To Board Outline", kFiducialClearanceToBoardOutline},
    NamedChecks{"Minimum Component Clearance To Board Outline", kMinimumClearanceToBoardOutline},
    NamedChecks{"Minimum Testpoint Pad Edge Clearance To Board Outline", kMinimumClearanceToBoardOutline},
    NamedChecks{"Minimum Via Pad Edge Clearance To Board Outline", kMinimumClearanceToBoardOutline},
    NamedChecks{"Minimum Etch Edge Clearance To Board Outline", kMinimumClearanceToBoardOutline},
    NamedChecks{"Testpoint Pad Size", kTestpointPadSize},
    NamedChecks{"Testpoints Per Net", kTestpointsPerNet},
    NamedChecks{"Top Surface Testpoints Per Net", kTestpointsPerNet},
    // Its routine converts the same count, so a bad value is caught before the run as for the others.
    NamedChecks{"Bottom Surface Testpoints Per Net", kTestpointsPerNet},
    NamedChecks{"Testpoint Center To Component Body", kTestpointCenterToComponentBody},
    NamedChecks{"Via Pad Size", kViaPadSize},
    NamedChecks{"Via Hole Size", kViaHoleSize},
};

// Legacy tests: every name of a group is checked alike.

constexpr std::array kSingleDistance{
    number(Marginal_Distance),
    number(Critical_Distance),
    switched(Attribute_Override),
    integer(DRC_Limit),
};

constexpr std::array kLayeredDistance{
    switched(Run_Top),       number(Marginal_Top),         number(Critical_Top), switched(Run_Inner),
    number(Marginal_Inner),  number(Critical_Inner),       switched(Run_Bottom), number(Marginal_Bottom),
    number(Critical_Bottom), switched(Attribute_Override), integer(DRC_Limit),
};

// Angles are whole degrees, unlike every other test's distances.
constexpr std::array kAngle{
    integer(Marginal_Distance),
    integer(Critical_Distance),
    switched(Attribute_Override),
    integer(DRC_Limit),
};

constexpr std::array kShadow{
    number(Marginal_Top),    number(Critical_Top),   number(Marginal_Bottom),
    number(Critical_Bottom), number(Marginal_Left),  number(Critical_Left),
    number(Marginal_Right),  number(Critical_Right), integer(DRC_Limit),
};

struct GroupChecks {
    G group;
    std::span<const C> checks;
};

constexpr std::array kLegacyChecks{
    GroupChecks{G::SingleDistance, kSingleDistance},
    GroupChecks{G::PackageDistance, kSingleDistance},
    GroupChecks{G::LayeredDistance, kLayeredDistance},
    GroupChecks{G::Angle, kAngle},
    GroupChecks{G::Shadow, kShadow},
};

std::span<const C> legacyChecksFor(std::string_view testName) {
    std::optional<G> group = parameterGroupOf(testName);
    if (!group) {
        return {};
    }
    auto found = std::ranges::find(kLegacyChecks, *group, &GroupChecks::group);
    return found == kLegacyChecks.end() ? std::span<const C>{} : found->checks;
}

} // namespace

std::span<const ParameterCheck> parameterChecksFor(std::string_view testName) {
    auto found = std::ranges::find(kCurrentChecks, testName, &NamedChecks::test);
    return found == kCurrentChecks.end() ? legacyChecksFor(testName) : found->checks;
}

bool convertsTo(const std::string& text, ParameterKind kind) {
    try {
        switch (kind) {
        case ParameterKind::Number:
            toDouble(text);
            break;
        case ParameterKind::Integer:
            toInteger(text);
            break;
        case ParameterKind::Switch:
            toBoolean(text);
            break;
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace lumora
