#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace lumora {

// The family routine that runs a current test.
enum class TestFamily { Panel, Keepout, Board, Orientation, BoardOutline, Testpoint, Via };

// How a test item names and translates its parameters.
enum class ParameterGroup {
    Panel,          // current panel-group tests: a parameter with an empty name is dropped
    OtherCurrent,   // every other current test: parameters stored under their own names
    SingleDistance, // legacy groups from here on
    LayeredDistance,
    Angle,
    PackageDistance,
    Shadow,
};

struct CurrentTest {
    std::string_view name;
    TestFamily family;
    bool panelGroup;
};

struct LegacyTest {
    std::string_view name;
    ParameterGroup group;
};

// The 55 current tests in the order in which the dispatcher compares them.
std::span<const CurrentTest> currentTests();
// The 52 legacy tests, which load and validate but never run.
std::span<const LegacyTest> legacyTests();

const CurrentTest* findCurrentTest(std::string_view name);
// The group of a current or legacy test; nothing for a name the runner does not know.
std::optional<ParameterGroup> parameterGroupOf(std::string_view name);
// The two tests whose rotation lists must never be read as decimal numbers.
bool isOrientationTest(std::string_view name);

} // namespace lumora
