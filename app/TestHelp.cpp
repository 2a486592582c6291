#include "app/TestHelp.h"

#include <array>

namespace lumora {

namespace {

struct HelpEntry {
    const char* test;
    const char* page;
};

constexpr std::array kCatalogue{
    HelpEntry{"Panel Dimensions", "panel/test_panel_dimensions.htm"},
    HelpEntry{"Panel Length To Width Ratio", "panel/test_panel_length_to_width_ratio.htm"},
    HelpEntry{"Panel Tooling Holes In Corners", "panel/test_panel_tooling_hole_in_corners.htm"},
    HelpEntry{"Fiducial Clearance To Panel Edge", "panel/test_fiducial_clearance_to_edge.htm"},
    HelpEntry{"Panel Fiducials In Corners ", "panel/test_for_four_corner_fiducials.htm"},
    HelpEntry{"All Components Clearance To Panel Edges",
              "panel/test_all_components_clearance_panel_edge.htm"},
    HelpEntry{"Gold Fingers Flush With Panel Edge", "panel/test_gold_fingers_flush_with_panel_edge.htm"},
    HelpEntry{"Component Package To Component Package", "board/comp_package_to_comp_package.htm"},
    HelpEntry{"Placement Machine Tooling Keepout", "board/placement_machine_tooling_keepout.htm"},
    HelpEntry{"Thru-hole Components Pad Shape", "board/PTH_Pad_shape.htm"},
    HelpEntry{"Thru-hole Components Annular Ring", "board/padsize_annularring.htm"},
    HelpEntry{"Top Surface Thru-hole Component Orientation", "board/allowable_orientation_th.htm"},
    HelpEntry{"Bottom Surface SMT Component Orientation", "board/allowable_orientation_sm.htm"},
    HelpEntry{"Routes Between SMT Pads", "board/routes_between_pads.htm"},
    HelpEntry{"Etch Width", "board/etch_width.htm"},
    HelpEntry{"Soldermask Clearance for SMT Components", "board/soldermask_clearance_smt.htm"},
    HelpEntry{"Board Fiducials in Four Corners", "board/test_four_corner_fiducials.htm"},
    HelpEntry{"Thickness to Drill Diameter Maximum Aspect Ratio",
              "board/test_board_thickness_to_drill_diameter_maximum_aspect_ratio.htm"},
    HelpEntry{"Keepout Around Thru Hole Pin on Non-Mount Side", "board/keepout_thpin_nonmountside.htm"},
    HelpEntry{"Fiducial Clearance To Board Outline",
              "board_outline_checks/test_fiducial_clearance_to_board_outline.htm"},
    HelpEntry{"Minimum Component Clearance To Board Outline",
              "board_outline_checks/test_mininum_component_clearance_to_board_outline.htm"},
    HelpEntry{"Minimum Testpoint Pad Edge Clearance To Board Outline",
              "board_outline_checks/test_minimum_testpoint_pad_edge_clearance_to_board_outline.htm"},
    HelpEntry{"Minimum Via Pad Edge Clearance To Board Outline",
              "board_outline_checks/test_minimum_via_pad_edge_clearance_to_board_outline.htm"},
    HelpEntry{"Minimum Etch Edge Clearance To Board Outline",
              "board_outline_checks/test_minimum_etch_edge_clearance_to_board_outline.htm"},
    HelpEntry{"Goldfinger Flush With Board Outline",
              "board_outline_checks/test_goldfinger_flush_with_board_outline.htm"},
    HelpEntry{"Testpoint Pad Size", "testpoint/testpoint_pad_size.htm"},
    HelpEntry{"Testpoints Per Net", "testpoint/testpoints_per_net.htm"},
    HelpEntry{"Top Surface Testpoints Per Net", "testpoint/testpoints_per_net_top.htm"},
    HelpEntry{"Bottom Surface Testpoints Per Net", "testpoint/testpoints_per_net_bot.htm"},
    HelpEntry{"Testpoint Center To Testpoint Center", "testpoint/testpoint_center_to_center.htm"},
    HelpEntry{"Testpoint Center To Component Body", "testpoint/testpoint_center_to_tallcompbody.htm"},
    HelpEntry{"Testpoint Edge To Component Pin Edge", "testpoint/testpoint_edge_comppin_edge.htm"},
    HelpEntry{"Testpoint Edge To Feature", "testpoint/testpoint_edge_to_feature.htm"},
    HelpEntry{"Via Pad Size", "via/via_pad_size.htm"},
    HelpEntry{"Via Hole Size", "via/via_hole_size.htm"},
    HelpEntry{"Via Edge To Component Pad Edge", "via/via_edge_to_comp_pad.htm"},
    HelpEntry{"Via Edge To Testpoint", "via/via_edge_to_testpoint.htm"},
    HelpEntry{"Via Edge To Via Edge", "via/via_edge_to_via_edge.htm"},
    HelpEntry{"Via Edge To Feature", "via/via_edge_to_feature.htm"},
    HelpEntry{"Via Under Component", "via/via_under_component.htm"},
    HelpEntry{"Via In SMT Pad", "via/via_in_smt.htm"},
};

} // namespace

void TestHelp::loadTestCatalogue() {
    dictTestHelp = TextDictionary();
    for (const HelpEntry& entry : kCatalogue) {
        dictTestHelp.store(entry.test, entry.page);
    }
}

std::string TestHelp::pagePath(const std::string& testName) {
    return dictTestHelp.item(testName);
}

std::string TestHelp::address(std::string_view server, const std::string& testName) {
    return std::string(server) + std::string(kHelpPath) + pagePath(testName);
}

} // namespace lumora
