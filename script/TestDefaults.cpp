#include "script/TestDefaults.h"

#include "script/ParameterNames.h"
#include "script/TestCatalog.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>

namespace lumora {

namespace {

using namespace parameter;
using P = DefaultParameter;
using G = ParameterGroup;

constexpr P number(std::string_view name, std::string_view value) {
    return P{name, value, true};
}
constexpr P text(std::string_view name, std::string_view value) {
    return P{name, value, false};
}

template <std::size_t N, std::size_t M>
constexpr std::array<P, N + M> join(const std::array<P, N>& first, const std::array<P, M>& second) {
    std::array<P, N + M> joined{};
    std::ranges::copy(first, joined.begin());
    std::ranges::copy(second, joined.begin() + N);
    return joined;
}

// Panel tests

constexpr std::array kPanelDimensions{
    number(Minimum_Width, "0"),
    number(Maximum_Width, "0"),
    number(Minimum_Length, "0"),
    number(Maximum_Length, "0"),
};

constexpr std::array kPanelLengthToWidthRatio{
    number(Length_To_Width_Ratio, "1.5"),
};

constexpr std::array kPanelToolingHolesInCorners{
    number(Min_Distance_From_Rail_Edge, "0.125"),
    number(Max_Distance_From_Rail_Edge, "0.3"),
    number(Min_Distance_From_Leading_Trailing_Edge, "0.125"),
    number(Max_Distance_From_Leading_Trailing_Edge, "0.3"),
    number(Min_Corners, "2"),
};

constexpr std::array kFiducialClearanceToPanelEdge{
    number(Min_Clearance_From_Rail_Edge, "0.125"),
    number(Min_Clearance_From_Leading_Trailing_Edge, "0.125"),
};

constexpr std::array kPanelFiducialsInCorners{
    number(Min_Distance_From_Rail_Edge, "0.125"),
    number(Max_Distance_From_Rail_Edge, "0.3"),
    number(Min_Distance_From_Leading_Trailing_Edge, "0.125"),
    number(Max_Distance_From_Leading_Trailing_Edge, "0.3"),
    number(Min_Corners, "3"),
    text(Test_Surface, "Both"),
};

constexpr std::array kAllComponentsClearanceToPanelEdges{
    number(Min_Clearance_From_Rail_Edge_For_Top_Components, "0.2"),
    number(Min_Clearance_From_Rail_Edge_For_Bottom_Components, "0.2"),
    number(Min_Clearance_From_Leading_Trailing_Edge_For_Top_Components, "0.2"),
    number(Min_Clearance_From_Leading_Trailing_Edge_For_Bottom_Components, "0.2"),
    text(Ignore_Tooling, "Yes"),
    text(Ignore_Fiducial, "Yes"),
};

constexpr std::array kGoldFingersFlushWithEdge{
    number(Maximum_Distance_From_Edge, "0.01"),
    text(Package_Keyword, "PACKAGE_FAMILY"),
    text(Package_Value, "EDGE_CONNECTOR"),
};

// Keepout tests: all share the thresholds and the kinds of items that must keep out.

constexpr std::array kTestSurfaceBoth{
    text(Test_Surface, "Both"),
};

constexpr std::array kKeepoutThresholdsAndItems{
    number(Marginal_Distance, "0.020"),
    number(Critical_Distance, "0.010"),
    text(Component_Packages, "Yes"),
    text(Component_Pins, "Yes"),
    text(Vias, "Yes"),
    text(Etches, "Yes"),
    text(Fiducials, "Yes"),
    text(Tooling_Holes, "Yes"),
    text(Board_Outline, "Yes"),
    text(Panel_Outline, "Yes"),
};

constexpr auto kFiducialKeepout = join(kTestSurfaceBoth, kKeepoutThresholdsAndItems);

constexpr auto kBoardFiducialKeepout =
    join(kFiducialKeepout, std::array{text(Look_Through_n_Electrical_Stackups, "1")});

constexpr auto kCustomKeepouts =
    join(join(std::array{text(Attribute_Keyword, ""), text(Attribute_Value, "")}, kKeepoutThresholdsAndItems),
         std::array{text(Outline_To_Measure, "Rubberband Outline Around Pins and Package")});

// Orientation tests

constexpr std::array kComponentOrientation{
    text(Allowed_Rotations, "0,180"),
};

// Board tests

constexpr std::array kComponentPackageToComponentPackage{
    number(Marginal_Top, "0.025"),
    number(Critical_Top, "0.015"),
    number(Marginal_Bottom, "0.030"),
    number(Critical_Bottom, "0.020"),
    text(Pkg_Attribute, "PACKAGE_FAMILY"),
    text(Package_1, ""),
    text(Package_2, ""),
    text(Test_Surface, "Both"),
};

constexpr std::array kRealPartToRealPart{
    number(Marginal_Top, "0.025"),    number(Critical_Top, "0.015"), number(Marginal_Bottom, "0.030"),
    number(Critical_Bottom, "0.020"), text(Package_1, ""),           text(Package_2, ""),
    text(Test_Surface, "Both"),
};

constexpr std::array kThruHoleComponentsPadShape{
    text(Acceptable_Aperture_Shapes_for_Pad_Top_for_Pin_1, "Square"),
    text(Acceptable_Aperture_Shapes_for_Pad_Bottom_for_Pin_1, "Square"),
    text(Acceptable_Aperture_Shapes_for_Pad_Top_for_All_Others, "Round"),
    text(Acceptable_Aperture_Shapes_for_Pad_Bottom_for_All_Others, "Round"),
};

constexpr std::array kThruHoleComponentsAnnularRing{
    number(Pad_Top_Annular_Ring_Minimum, "0.009"),
    number(Pad_Bottom_Annular_Ring_Minimum, "0.009"),
    number(Soldermask_Top_Annular_Ring_Minimum, "0.000"),
    number(Soldermask_Bottom_Annular_Ring_Minimum, "0.000"),
};

constexpr std::array kRoutesBetweenSmtPads{
    number(Pin_Pitch_Maximum, "0.025"),
    text(Test_Surface, "Both"),
};

constexpr std::array kEtchWidth{
    number(Marginal_Top, "0.010"),
    number(Critical_Top, "0.005"),
    number(Marginal_Inner, "0.007"),
    number(Critical_Inner, "0.003"),
    number(Marginal_Bottom, "0.010"),
    number(Critical_Bottom, "0.005"),
    text(Exclude_Nets_Containing, "VCC,GND"),
};

constexpr std::array kSoldermaskClearanceForSmtComponents{
    number(Pin_Pitch_Maximum, "0.025"),
    number(X_Dimension_Minimum_Size, "0.000"),
    number(Y_Dimension_Minimum_Size, "0.000"),
    text(Test_Surface, "Both"),
};

constexpr std::array kBoardFiducialsInFourCorners{
    number(Min_Distance_From_Rail_Edge, "0.125"),
    number(Max_Distance_From_Rail_Edge, "0.300"),
    number(Min_Distance_From_Leading_Trailing_Edge, "0.125"),
    number(Max_Distance_From_Leading_Trailing_Edge, "0.300"),
    number(Min_Corners, "3"),
    text(Test_Surface, "Both"),
};

constexpr std::array kThicknessToDrillDiameter{
    number(Maximum_Ratio, "1.25"),
};

constexpr std::array kKeepoutAroundThruHolePin{
    number(Keepout_Distance, "0.010"),
};

constexpr std::array kComponentHeights{
    text(Test_Surface, "Both"),       number(Marginal_Top, "0.100"),
    number(Marginal_Bottom, "0.150"), number(Critical_Top, "0.100"),
    number(Critical_Bottom, "0.150"), text(Component_Height_Attribute, "COMPHEIGHT"),
};

constexpr std::array kDistanceBetweenCopper{
    number(Marginal_Distance, "0.005"),
    number(Critical_Distance, "0.003"),
    text(No_Violation_If_On_Same_Net, "Yes"),
};

constexpr std::array kComponentsNotAllowedPerSurface{
    text(Test_Surface, "Both"),
    text(Attribute_Keyword, "PACKAGE_FAMILY"),
    text(Attribute_Value, ""),
};

// The counts are whole numbers already; they are stored as given in every locale.
constexpr std::array kTestpadDensity{
    number(Grid_Square_Size, "0.500"),
    text(Marginal_Count, "10"),
    text(Critical_Count, "15"),
};

constexpr std::array kComponentOverComponent{
    text(Top_Attribute_Keyword, "PACKAGE_FAMILY"),
    text(Top_Attribute_Value, "BGA"),
    text(Bot_Attribute_Keyword, "PACKAGE_FAMILY"),
    text(Bot_Attribute_Value, "BGA"),
};

constexpr std::array kPin1Orientation{
    text(Test_Surface, "Both"),
    text(Test_Component_Type, "Thru-Hole and SMD"),
    text(Ignore_Geometries_With_Fewer_Than_n_Inserts, "10"),
};

constexpr std::array kSoldermaskWebbing{
    number(Marginal_Webbing, "0.010"),
    number(Critical_Webbing, "0.005"),
};

// Board outline tests

constexpr std::array kFiducialClearanceToBoardOutline{
    number(Min_Clearance_From_Board_Edge, "0.125"),
};

constexpr std::array kMinimumClearanceToBoardOutline{
    number(Minimum_Distance_From_Edge, "0.125"),
    text(Test_Surface, "Both"),
};

constexpr std::array kGoldfingerFlushWithBoardOutline{
    number(Maximum_Distance_From_Edge, "0.010"),
    text(Package_Keyword, "PACKAGE_FAMILY"),
    text(Package_Value, "EDGE_CONNECTOR"),
};

// Testpoint tests

constexpr std::array kTestpointPadSize{
    number(Minimum_Top_Pad_Size, "0.018"),    number(Maximum_Top_Pad_Size, "0.040"),
    number(Minimum_Bottom_Pad_Size, "0.018"), number(Maximum_Bottom_Pad_Size, "0.040"),
    text(Include_Soldermask, "No"),
};

constexpr std::array kTestpointsPerNet{
    number(Testpoints_Per_Net, "1"),
};

constexpr std::array kTestpointCenterToTestpointCenter{
    number(Marginal_Distance, "0.075"),
    number(Critical_Distance, "0.050"),
};

constexpr std::array kTestpointCenterToComponentBody{
    number(Marginal_To_Short_Component, "0.030"),
    number(Marginal_To_Tall_Component, "0.050"),
    number(Critical_To_Short_Component, "0.020"),
    number(Critical_To_Tall_Component, "0.040"),
    number(Compheight_Differenciating_Short_From_Tall_Components, "0.200"),
};

constexpr std::array kTestpointEdgeToComponentPinEdge{
    number(Marginal_Distance, "0.025"),
    number(Critical_Distance, "0.020"),
};

constexpr auto kTestpointEdgeToFeature =
    join(kTestpointEdgeToComponentPinEdge, std::array{text(Include_Soldermask, "No")});

// Via tests

constexpr std::array kViaPadSize{
    number(Top_Minimum_Size, "0.025"),
    number(Top_Maximum_Size, "0.035"),
    number(Bottom_Minimum_Size, "0.025"),
    number(Bottom_Maximum_Size, "0.040"),
    number(Ignore_Via_Holes_Below_Size, "0.008"),
};

constexpr std::array kViaHoleSize{
    number(Minimum_Size, "0.025"),
    number(Maximum_Size, "0.035"),
    number(Ignore_Via_Holes_Below_Size, "0.008"),
};

constexpr std::array kViaEdgeToViaEdge{
    number(Marginal_Top, "0.025"),    number(Critical_Top, "0.015"),  number(Marginal_Bottom, "0.025"),
    number(Critical_Bottom, "0.015"), text(Include_Soldermask, "No"),
};

constexpr auto kViaEdgeToOtherItem =
    join(kViaEdgeToViaEdge, std::array{text(No_Violation_If_On_Same_Net, "Yes")});

constexpr std::array kViaUnderComponent{
    text(Skip_Masked_Vias, "No"),
    text(Skip_Comps_with_ALLOW_VIA_UNDER_PART_attribute, "Yes"),
};

constexpr std::array kViaInSmtPad{
    text(No_Violation_if_Comp_has_ALLOW_VIA_IN_PIN_attribute, "Yes"),
};

struct NamedDefaults {
    std::string_view test;
    std::span<const P> parameters;
};

constexpr std::array kCurrentDefaults{
    NamedDefaults{"Panel Dimensions", kPanelDimensions},
    NamedDefaults{"Panel Length To Width Ratio", kPanelLengthToWidthRatio},
    NamedDefaults{"Panel Tooling Holes In Corners", kPanelToolingHolesInCorners},
    NamedDefaults{"Fiducial Clearance To Panel Edge", kFiducialClearanceToPanelEdge},
    NamedDefaults{"Panel Fiducials In Corners ", kPanelFiducialsInCorners},
    NamedDefaults{"All Components Clearance To Panel Edges", kAllComponentsClearanceToPanelEdges},
    NamedDefaults{"Gold Fingers Flush With Panel Edge", kGoldFingersFlushWithEdge},
    NamedDefaults{"Panel Fiducial Keepout", kFiducialKeepout},
    NamedDefaults{"Panel Tooling Hole Keepout", kKeepoutThresholdsAndItems},
    NamedDefaults{"Board Fiducial Keepout", kBoardFiducialKeepout},
    NamedDefaults{"Board Tooling Hole Keepout", kKeepoutThresholdsAndItems},
    NamedDefaults{"Custom Keepouts", kCustomKeepouts},
    NamedDefaults{"Top Surface Thru-hole Component Orientation", kComponentOrientation},
    NamedDefaults{"Bottom Surface SMT Component Orientation", kComponentOrientation},
    NamedDefaults{"Component Package To Component Package", kComponentPackageToComponentPackage},
    NamedDefaults{"Real Part To Real Part", kRealPartToRealPart},
    NamedDefaults{"Placement Machine Tooling Keepout", kTestSurfaceBoth},
    NamedDefaults{"Thru-hole Components Pad Shape", kThruHoleComponentsPadShape},
    NamedDefaults{"Thru-hole Components Annular Ring", kThruHoleComponentsAnnularRing},
    NamedDefaults{"Routes Between SMT Pads", kRoutesBetweenSmtPads},
    NamedDefaults{"Etch Width", kEtchWidth},
    NamedDefaults{"Soldermask Clearance for SMT Components", kSoldermaskClearanceForSmtComponents},
    NamedDefaults{"Board Fiducials in Four Corners", kBoardFiducialsInFourCorners},
    NamedDefaults{"Thickness to Drill Diameter Maximum Aspect Ratio", kThicknessToDrillDiameter},
    NamedDefaults{"Keepout Around Thru Hole Pin on Non-Mount Side", kKeepoutAroundThruHolePin},
    NamedDefaults{"Component Heights", kComponentHeights},
    NamedDefaults{"Distance Between Copper on Electrical Stackup Layers", kDistanceBetweenCopper},
    NamedDefaults{"Components Not Allowed Per Surface", kComponentsNotAllowedPerSurface},
    NamedDefaults{"Testpad Density", kTestpadDensity},
    NamedDefaults{"Component Over Component", kComponentOverComponent},
    NamedDefaults{"Pin 1 Orientation", kPin1Orientation},
    // An unnamed test is given the parameters of a pin 1 check, so that it validates like one.
    NamedDefaults{"", kPin1Orientation},
    NamedDefaults{"Soldermask Webbing", kSoldermaskWebbing},
    NamedDefaults{"Thru-hole Pin Thermal Ties to Plane Areas", {}},
    NamedDefaults{"Fiducial Clearance To Board Outline", kFiducialClearanceToBoardOutline},
    NamedDefaults{"Minimum Component Clearance To Board Outline", kMinimumClearanceToBoardOutline},
    NamedDefaults{"Minimum Testpoint Pad Edge Clearance To Board Outline", kMinimumClearanceToBoardOutline},
    NamedDefaults{"Minimum Via Pad Edge Clearance To Board Outline", kMinimumClearanceToBoardOutline},
    NamedDefaults{"Minimum Etch Edge Clearance To Board Outline", kMinimumClearanceToBoardOutline},
    NamedDefaults{"Goldfinger Flush With Board Outline", kGoldfingerFlushWithBoardOutline},
    NamedDefaults{"Testpoint Pad Size", kTestpointPadSize},
    NamedDefaults{"Testpoints Per Net", kTestpointsPerNet},
    NamedDefaults{"Top Surface Testpoints Per Net", kTestpointsPerNet},
    NamedDefaults{"Bottom Surface Testpoints Per Net", kTestpointsPerNet},
    NamedDefaults{"Testpoint Center To Testpoint Center", kTestpointCenterToTestpointCenter},
    NamedDefaults{"Testpoint Center To Component Body", kTestpointCenterToComponentBody},
    NamedDefaults{"Testpoint Edge To Component Pin Edge", kTestpointEdgeToComponentPinEdge},
    NamedDefaults{"Testpoint Edge To Feature", kTestpointEdgeToFeature},
    NamedDefaults{"Via Pad Size", kViaPadSize},
    NamedDefaults{"Via Hole Size", kViaHoleSize},
    NamedDefaults{"Via Edge To Component Pad Edge", kViaEdgeToOtherItem},
    NamedDefaults{"Via Edge To Testpoint", kViaEdgeToOtherItem},
    NamedDefaults{"Via Edge To Via Edge", kViaEdgeToViaEdge},
    NamedDefaults{"Via Edge To Feature", kViaEdgeToOtherItem},
    NamedDefaults{"Via Under Component", kViaUnderComponent},
    NamedDefaults{"Via In SMT Pad", kViaInSmtPad},
};

// Legacy tests: every name of a group has the same defaults.

constexpr std::array kSingleDistance{
    number(Marginal_Distance, "0.015"),
    number(Critical_Distance, "0.01"),
    text(Attribute_Override, "False"),
    number(DRC_Limit, "0"),
};

constexpr std::array kLayeredDistance{
    text(Run_Top, "True"),           number(Marginal_Top, "0.015"),
    number(Critical_Top, "0.01"),    text(Run_Inner, "True"),
    number(Marginal_Inner, "0.008"), number(Critical_Inner, "0.005"),
    text(Run_Bottom, "True"),        number(Marginal_Bottom, "0.015"),
    number(Critical_Bottom, "0.01"), text(Attribute_Override, "False"),
    number(DRC_Limit, "0"),
};

constexpr std::array kAngle{
    number(Marginal_Distance, "80"),
    number(Critical_Distance, "70"),
    text(Attribute_Override, "False"),
    number(DRC_Limit, "0"),
};

constexpr auto kPackageDistance =
    join(kSingleDistance,
         std::array{text(Package_1, "DIP"), text(Package_2, "DIP"), text(Pkg_Attribute, "DFM_PACKAGE")});

constexpr std::array kShadow{
    number(Marginal_Top, "0.015"),   number(Critical_Top, "0.01"),   number(Marginal_Bottom, "0.015"),
    number(Critical_Bottom, "0.01"), number(Marginal_Left, "0.015"), number(Critical_Left, "0.01"),
    number(Marginal_Right, "0.015"), number(Critical_Right, "0.01"), number(DRC_Limit, "0"),
};

struct GroupDefaults {
    G group;
    std::span<const P> parameters;
};

constexpr std::array kLegacyDefaults{
    GroupDefaults{G::SingleDistance, kSingleDistance},
    GroupDefaults{G::LayeredDistance, kLayeredDistance},
    GroupDefaults{G::Angle, kAngle},
    GroupDefaults{G::PackageDistance, kPackageDistance},
    GroupDefaults{G::Shadow, kShadow},
};

std::span<const P> legacyDefaultsFor(std::string_view testName) {
    std::optional<G> group = parameterGroupOf(testName);
    if (!group) {
        return {};
    }
    auto found = std::ranges::find(kLegacyDefaults, *group, &GroupDefaults::group);
    return found == kLegacyDefaults.end() ? std::span<const P>{} : found->parameters;
}

} // namespace

std::span<const DefaultParameter> defaultParametersFor(std::string_view testName) {
    auto found = std::ranges::find(kCurrentDefaults, testName, &NamedDefaults::test);
    return found == kCurrentDefaults.end() ? legacyDefaultsFor(testName) : found->parameters;
}

} // namespace lumora
