#include "script/TestCatalog.h"

#include <algorithm>
#include <array>

namespace lumora {

namespace {

using F = TestFamily;
using G = ParameterGroup;

constexpr std::array kCurrentTests{
    CurrentTest{"Panel Dimensions", F::Panel, true},
    CurrentTest{"Panel Length To Width Ratio", F::Panel, true},
    CurrentTest{"Panel Tooling Holes In Corners", F::Panel, true},
    CurrentTest{"Fiducial Clearance To Panel Edge", F::Panel, true},
    CurrentTest{"Panel Fiducials In Corners ", F::Panel, true},
    CurrentTest{"All Components Clearance To Panel Edges", F::Panel, true},
    CurrentTest{"Gold Fingers Flush With Panel Edge", F::Panel, true},
    CurrentTest{"Panel Fiducial Keepout", F::Keepout, true},
    CurrentTest{"Panel Tooling Hole Keepout", F::Keepout, true},
    CurrentTest{"Component Package To Component Package", F::Board, false},
    CurrentTest{"Real Part To Real Part", F::Board, false},
    CurrentTest{"Placement Machine Tooling Keepout", F::Board, false},
    CurrentTest{"Thru-hole Components Pad Shape", F::Board, false},
    CurrentTest{"Thru-hole Components Annular Ring", F::Board, false},
    CurrentTest{"Routes Between SMT Pads", F::Board, false},
    CurrentTest{"Etch Width", F::Board, false},
    CurrentTest{"Soldermask Clearance for SMT Components", F::Board, false},
    CurrentTest{"Board Fiducials in Four Corners", F::Board, false},
    CurrentTest{"Thickness to Drill Diameter Maximum Aspect Ratio", F::Board, false},
    CurrentTest{"Keepout Around Thru Hole Pin on Non-Mount Side", F::Board, false},
    CurrentTest{"Board Fiducial Keepout", F::Keepout, false},
    CurrentTest{"Board Tooling Hole Keepout", F::Keepout, false},
    CurrentTest{"Custom Keepouts", F::Keepout, false},
    CurrentTest{"Component Heights", F::Board, false},
    CurrentTest{"Distance Between Copper on Electrical Stackup Layers", F::Board, false},
    CurrentTest{"Components Not Allowed Per Surface", F::Board, false},
    CurrentTest{"Testpad Density", F::Board, false},
    CurrentTest{"Component Over Component", F::Board, false},
    CurrentTest{"Pin 1 Orientation", F::Board, false},
    CurrentTest{"Soldermask Webbing", F::Board, false},
    CurrentTest{"Thru-hole Pin Thermal Ties to Plane Areas", F::Board, false},
    CurrentTest{"Top Surface Thru-hole Component Orientation", F::Orientation, false},
    CurrentTest{"Bottom Surface SMT Component Orientation", F::Orientation, false},
    CurrentTest{"Fiducial Clearance To Board Outline", F::BoardOutline, false},
    CurrentTest{"Minimum Component Clearance To Board Outline", F::BoardOutline, false},
    CurrentTest{"Minimum Testpoint Pad Edge Clearance To Board Outline", F::BoardOutline, false},
    CurrentTest{"Minimum Via Pad Edge Clearance To Board Outline", F::BoardOutline, false},
    CurrentTest{"Minimum Etch Edge Clearance To Board Outline", F::BoardOutline, false},
    CurrentTest{"Goldfinger Flush With Board Outline", F::BoardOutline, false},
    CurrentTest{"Testpoint Pad Size", F::Testpoint, false},
    CurrentTest{"Testpoints Per Net", F::Testpoint, false},
    CurrentTest{"Top Surface Testpoints Per Net", F::Testpoint, false},
    CurrentTest{"Bottom Surface Testpoints Per Net", F::Testpoint, false},
    CurrentTest{"Testpoint Center To Testpoint Center", F::Testpoint, false},
    CurrentTest{"Testpoint Center To Component Body", F::Testpoint, false},
    CurrentTest{"Testpoint Edge To Component Pin Edge", F::Testpoint, false},
    CurrentTest{"Testpoint Edge To Feature", F::Testpoint, false},
    CurrentTest{"Via Pad Size", F::Via, false},
    CurrentTest{"Via Hole Size", F::Via, false},
    CurrentTest{"Via Edge To Component Pad Edge", F::Via, false},
    CurrentTest{"Via Edge To Testpoint", F::Via, false},
    CurrentTest{"Via Edge To Via Edge", F::Via, false},
    CurrentTest{"Via Edge To Feature", F::Via, false},
    CurrentTest{"Via Under Component", F::Via, false},
    CurrentTest{"Via In SMT Pad", F::Via, false},
};
static_assert(kCurrentTests.size() == 55);

constexpr std::array kLegacyTests{
    LegacyTest{"Distance Check Visible Layers", G::SingleDistance},
    LegacyTest{"Distance Check Copper Layers", G::SingleDistance},
    LegacyTest{"Distance Check Testpoints and Components Top", G::SingleDistance},
    LegacyTest{"Distance Check Testpoints and Components Bottom", G::SingleDistance},
    LegacyTest{"Distance Check Testpoints and Board Outline Top", G::SingleDistance},
    LegacyTest{"Distance Check Testpoints and Board Outline Bottom", G::SingleDistance},
    LegacyTest{"Distance Check Tool and Components Top", G::SingleDistance},
    LegacyTest{"Distance Check Tool and Components Bottom", G::SingleDistance},
    LegacyTest{"Distance Check Tool and Board Outline Top", G::SingleDistance},
    LegacyTest{"Distance Check Tool and Board Outline Bottom", G::SingleDistance},
    LegacyTest{"Distance Check Via and Components Top", G::SingleDistance},
    LegacyTest{"Distance Check Via and Components Bottom", G::SingleDistance},
    LegacyTest{"Distance Check Via and Board Outline Top", G::SingleDistance},
    LegacyTest{"Distance Check Via and Board Outline Bottom", G::SingleDistance},
    LegacyTest{"Spacing Component to Board Outline Top", G::SingleDistance},
    LegacyTest{"Spacing Component to Board Outline Bottom", G::SingleDistance},
    LegacyTest{"Spacing Component To Component Top", G::SingleDistance},
    LegacyTest{"Spacing Component To Component Bottom", G::SingleDistance},
    LegacyTest{"Distance Check Etch To Board Outline", G::LayeredDistance},
    LegacyTest{"Distance Check Adjacent Nets", G::LayeredDistance},
    LegacyTest{"Distance Check Fiducials and Fiducials", G::LayeredDistance},
    LegacyTest{"Distance Check Fiducials and Freepads", G::LayeredDistance},
    LegacyTest{"Distance Check Fiducials and Mechanical Pins", G::LayeredDistance},
    LegacyTest{"Distance Check Fiducials and Component Pins", G::LayeredDistance},
    LegacyTest{"Distance Check Fiducials and Testpoints", G::LayeredDistance},
    LegacyTest{"Distance Check Fiducials and Tool/Drill", G::LayeredDistance},
    LegacyTest{"Distance Check Fiducials and Vias", G::LayeredDistance},
    LegacyTest{"Distance Check Freepads and Freepads", G::LayeredDistance},
    LegacyTest{"Distance Check Freepads and Mechanical Pins", G::LayeredDistance},
    LegacyTest{"Distance Check Freepads and Component Pins", G::LayeredDistance},
    LegacyTest{"Distance Check Freepads and Testpoints", G::LayeredDistance},
    LegacyTest{"Distance Check Freepads and Tool/Drill", G::LayeredDistance},
    LegacyTest{"Distance Check Freepads and Vias", G::LayeredDistance},
    LegacyTest{"Distance Check Mechanical Pins and Mechanical Pins", G::LayeredDistance},
    LegacyTest{"Distance Check Mechanical Pins and Component Pins", G::LayeredDistance},
    LegacyTest{"Distance Check Mechanical Pins and Testpoints", G::LayeredDistance},
    LegacyTest{"Distance Check Mechanical Pins and Tool/Drill", G::LayeredDistance},
    LegacyTest{"Distance Check Mechanical Pins and Vias", G::LayeredDistance},
    LegacyTest{"Distance Check Component Pins and Component Pins", G::LayeredDistance},
    LegacyTest{"Distance Check Component Pins and Testpoints", G::LayeredDistance},
    LegacyTest{"Distance Check Component Pins and Tool/Drill", G::LayeredDistance},
    LegacyTest{"Distance Check Component Pins and Vias", G::LayeredDistance},
    LegacyTest{"Distance Check Testpoints and Testpoints", G::LayeredDistance},
    LegacyTest{"Distance Check Testpoints and Tool/Drill", G::LayeredDistance},
    LegacyTest{"Distance Check Testpoints and Vias", G::LayeredDistance},
    LegacyTest{"Distance Check Tool/Drill and Tool/Drill", G::LayeredDistance},
    LegacyTest{"Distance Check Tool/Drill and Via", G::LayeredDistance},
    LegacyTest{"Distance Check Vias and Vias", G::LayeredDistance},
    LegacyTest{"Angle Check Acid Traps", G::Angle},
    LegacyTest{"Distance Check By Component Package Top", G::PackageDistance},
    LegacyTest{"Distance Check By Component Package Bottom", G::PackageDistance},
    LegacyTest{"Spacing Check Component Shadow", G::Shadow},
};
static_assert(kLegacyTests.size() == 52);

} // namespace

std::span<const CurrentTest> currentTests() {
    return kCurrentTests;
}

std::span<const LegacyTest> legacyTests() {
    return kLegacyTests;
}

const CurrentTest* findCurrentTest(std::string_view name) {
    auto found = std::ranges::find(kCurrentTests, name, &CurrentTest::name);
    return found == kCurrentTests.end() ? nullptr : &*found;
}

std::optional<ParameterGroup> parameterGroupOf(std::string_view name) {
    if (const CurrentTest* test = findCurrentTest(name)) {
        return test->panelGroup ? ParameterGroup::Panel : ParameterGroup::OtherCurrent;
    }
    auto legacy = std::ranges::find(kLegacyTests, name, &LegacyTest::name);
    if (legacy != kLegacyTests.end()) {
        return legacy->group;
    }
    return std::nullopt;
}

bool isOrientationTest(std::string_view name) {
    return name == "Top Surface Thru-hole Component Orientation" ||
           name == "Bottom Surface SMT Component Orientation";
}

} // namespace lumora
