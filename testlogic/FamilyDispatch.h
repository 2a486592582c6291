#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace lumora {

struct FrameItem;

// A family's tests by name, in the order the names are compared: the first match runs.
template <class Family> struct NamedTest {
    std::string_view name;
    void (Family::*run)(const FrameItem&);
};

// The test of that name, or nullptr: a name no test of the family has runs no check.
template <class Family, std::size_t N>
const NamedTest<Family>* findNamedTest(const std::array<NamedTest<Family>, N>& tests,
                                       const std::string& name) {
    auto found = std::ranges::find(tests, std::string_view(name), &NamedTest<Family>::name);
    return found != tests.end() ? &*found : nullptr;
}

} // namespace lumora
