#pragma once

// The name of every parameter a test may carry, spelled once: the defaults and the validation
// name their parameters from this table, so a name cannot differ between the two. Each constant
// reads as the parameter's own text (parameter::Marginal_Distance is "Marginal_Distance").

#include <string_view>

// clang-format off
#define LUMORA_PARAMETER_NAMES(X) \
    X(Acceptable_Aperture_Shapes_for_Pad_Bottom_for_All_Others) \
    X(Acceptable_Aperture_Shapes_for_Pad_Bottom_for_Pin_1) \
    X(Acceptable_Aperture_Shapes_for_Pad_Top_for_All_Others) \
    X(Acceptable_Aperture_Shapes_for_Pad_Top_for_Pin_1) \
    X(Allowed_Rotations) \
    X(Attribute_Keyword) \
    X(Attribute_Override) \
    X(Attribute_Value) \
    X(Board_Outline) \
    X(Bot_Attribute_Keyword) \
    X(Bot_Attribute_Value) \
    X(Bottom_Maximum_Size) \
    X(Bottom_Minimum_Size) \
    X(Compheight_Differenciating_Short_From_Tall_Components) \
    X(Component_Height_Attribute) \
    X(Component_Packages) \
    X(Component_Pins) \
    X(Critical_Bottom) \
    X(Critical_Count) \
    X(Critical_Distance) \
    X(Critical_Inner) \
    X(Critical_Left) \
    X(Critical_Right) \
    X(Critical_To_Short_Component) \
    X(Critical_To_Tall_Component) \
    X(Critical_Top) \
    X(Critical_Webbing) \
    X(DRC_Limit) \
    X(Etches) \
    X(Exclude_Nets_Containing) \
    X(Fiducials) \
    X(Grid_Square_Size) \
    X(Ignore_Fiducial) \
    X(Ignore_Geometries_With_Fewer_Than_n_Inserts) \
    X(Ignore_Tooling) \
    X(Ignore_Via_Holes_Below_Size) \
    X(Include_Soldermask) \
    X(Keepout_Distance) \
    X(Length_To_Width_Ratio) \
    X(Look_Through_n_Electrical_Stackups) \
    X(Marginal_Bottom) \
    X(Marginal_Count) \
    X(Marginal_Distance) \
    X(Marginal_Inner) \
    X(Marginal_Left) \
    X(Marginal_Right) \
    X(Marginal_To_Short_Component) \
    X(Marginal_To_Tall_Component) \
    X(Marginal_Top) \
    X(Marginal_Webbing) \
    X(Max_Distance_From_Leading_Trailing_Edge) \
    X(Max_Distance_From_Rail_Edge) \
    X(Maximum_Bottom_Pad_Size) \
    X(Maximum_Distance_From_Edge) \
    X(Maximum_Length) \
    X(Maximum_Ratio) \
    X(Maximum_Size) \
    X(Maximum_Top_Pad_Size) \
    X(Maximum_Width) \
    X(Min_Clearance_From_Board_Edge) \
    X(Min_Clearance_From_Leading_Trailing_Edge) \
    X(Min_Clearance_From_Leading_Trailing_Edge_For_Bottom_Components) \
    X(Min_Clearance_From_Leading_Trailing_Edge_For_Top_Components) \
    X(Min_Clearance_From_Rail_Edge) \
    X(Min_Clearance_From_Rail_Edge_For_Bottom_Components) \
    X(Min_Clearance_From_Rail_Edge_For_Top_Components) \
    X(Min_Corners) \
    X(Min_Distance_From_Leading_Trailing_Edge) \
    X(Min_Distance_From_Rail_Edge) \
    X(Minimum_Bottom_Pad_Size) \
    X(Minimum_Distance_From_Edge) \
    X(Minimum_Length) \
    X(Minimum_Size) \
    X(Minimum_Top_Pad_Size) \
    X(Minimum_Width) \
    X(No_Violation_If_On_Same_Net) \
    X(No_Violation_if_Comp_has_ALLOW_VIA_IN_PIN_attribute) \
    X(Outline_To_Measure) \
    X(Package_1) \
    X(Package_2) \
    X(Package_Keyword) \
    X(Package_Value) \
    X(Pad_Bottom_Annular_Ring_Minimum) \
    X(Pad_Top_Annular_Ring_Minimum) \
    X(Panel_Outline) \
    X(Pin_Pitch_Maximum) \
    X(Pkg_Attribute) \
    X(Run_Bottom) \
    X(Run_Inner) \
    X(Run_Top) \
    X(Skip_Comps_with_ALLOW_VIA_UNDER_PART_attribute) \
    X(Skip_Masked_Vias) \
    X(Soldermask_Bottom_Annular_Ring_Minimum) \
    X(Soldermask_Top_Annular_Ring_Minimum) \
    X(Test_Component_Type) \
    X(Test_Surface) \
    X(Testpoints_Per_Net) \
    X(Tooling_Holes) \
    X(Top_Attribute_Keyword) \
    X(Top_Attribute_Value) \
    X(Top_Maximum_Size) \
    X(Top_Minimum_Size) \
    X(Vias) \
    X(X_Dimension_Minimum_Size) \
    X(Y_Dimension_Minimum_Size)
// clang-format on

namespace lumora::parameter {

#define LUMORA_PARAMETER_NAME(name) inline constexpr std::string_view name = #name;
LUMORA_PARAMETER_NAMES(LUMORA_PARAMETER_NAME)
#undef LUMORA_PARAMETER_NAME

} // namespace lumora::parameter
