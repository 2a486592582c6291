#pragma once

#include <cstdint>
#include <vector>

namespace lumora {

// The geometry numbers a family routine creates for one panel or board: all 0 at the start of an
// item, and deleted from the design unless debug mode keeps them for inspection.
class FamilyGeometries {
  public:
    explicit FamilyGeometries(std::size_t count) : numbers_(count, 0) {}

    int16_t& operator[](std::size_t slot) { return numbers_.at(slot); }
    void zero();
    // Clean-ups never change a test's outcome, so KORVEN's answers are not examined.
    void deleteUnlessDebug();

  private:
    std::vector<int16_t> numbers_;
};

} // namespace lumora
