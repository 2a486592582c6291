#pragma once

// Private to the board family's sources: what one board test works with, and the calls that
// tests of both halves of the family make.

#include "testlogic/BuildingBlocks.h"
#include "testlogic/FamilyDispatch.h"
#include "testlogic/FamilyTests.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lumora {

struct Thresholds {
    double marginal;
    double critical;
};

// One board test on one board: the frame, the board, the family's three geometry slots and the
// highest electrical stack-up number of the document.
class BoardRun : public FamilyTests {
  public:
    BoardRun(ItemFrame& frame, const FrameItem& board, FamilyGeometries& geometries, int16_t maxStackup)
        : FamilyTests(frame, geometries), board_(board), maxStackup_(maxStackup) {}

    const FrameItem& board() const { return board_; }
    int16_t maxStackup() const { return maxStackup_; }
    int16_t& third() { return geometries_[2]; }

    // A geometry of this board named after the test: test name + suffix.
    void create(const std::string& suffix, int16_t& geomNum);
    // A wrapper's code; anything but 0 ends the test for the board.
    void record(int16_t code, const char* wrapperName) { frame_.record(code, wrapperName); }

    void distanceCheck(int16_t geomNum1, int16_t geomNum2, Thresholds thresholds,
                       const std::string& checkName, DistanceFlags flags = {});
    // dfmFilterGeometry, timed as the sub-process "Filter".
    void filter(int16_t geomNum, const std::string& keyword, const std::string& value,
                int32_t comparisonType);

  private:
    const FrameItem& board_;
    int16_t maxStackup_;
};

using BoardTest = void (*)(BoardRun&);
using BoardTestEntry = NamedTest<BoardTest>;

// Component bodies, pins and pads.
std::span<const BoardTestEntry> spacingTests();
// Routing, soldermask, fiducials, drills, testpad density and thermal ties.
std::span<const BoardTestEntry> routingTests();

} // namespace lumora
