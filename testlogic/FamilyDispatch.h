#pragma once

#include <iterator>
#include <string>
#include <string_view>

namespace lumora {

struct FrameItem;

// A family's test by name: how it runs, a member function of the family (FamilyTest) or a
// function of its own. A family lists its tests in the order the names are compared.
template <class Routine> struct NamedTest {
    std::string_view name;
    Routine run;
};

template <class Family> using FamilyTest = NamedTest<void (Family::*)(const FrameItem&)>;

// The test of that name in the list, or nullptr: a name no test of the family has runs no check.
template <class Tests>
auto findNamedTest(const Tests& tests, std::string_view name) -> decltype(&*std::begin(tests)) {
    for (const auto& test : tests) {
        if (test.name == name) {
            return &test;
        }
    }
    return nullptr;
}

} // namespace lumora
