// The board family: nineteen tests run once per board, found by their exact name among the
// spacing tests and the routing tests.

#include "testlogic/BoardTests.h"

#include "korven/SubProcessTimer.h"
#include "korven/clsKORVEN.h"
#include "testlogic/RunContext.h"
#include "testlogic/mdlTestLogic.h"

#include <algorithm>
#include <initializer_list>

namespace lumora {

namespace {

constexpr std::size_t kGeometrySlots = 3;

BoardTest findBoardTest(const std::string& name) {
    for (std::span<const BoardTestEntry> half : {spacingTests(), routingTests()}) {
        if (const BoardTestEntry* found = findNamedTest(half, name)) {
            return found->run;
        }
    }
    return nullptr;
}

} // namespace

void BoardRun::create(const std::string& suffix, int16_t& geomNum) {
    createdGeometry(testName() + suffix, board_, geomNum);
}

void BoardRun::distanceCheck(int16_t geomNum1, int16_t geomNum2, Thresholds thresholds,
                             const std::string& checkName, DistanceFlags flags) {
    lumora::distanceCheck(frame_, geomNum1, geomNum2, thresholds.marginal, thresholds.critical, checkName,
                          flags);
}

void BoardRun::filter(int16_t geomNum, const std::string& keyword, const std::string& value,
                      int32_t comparisonType) {
    filterGeometry(frame_, geomNum, keyword, value, comparisonType);
}

int16_t runBoardTests(clsTestItem& test) {
    FamilyGeometries geometries(kGeometrySlots);
    ItemFrame frame(test, geometries, {FrameKind::Board, "runBoardTests"});
    const BoardTest boardTest = findBoardTest(test.strName);
    const int16_t maxStackup = frame.korven().getMaxElectricalStackup();
    frame.runItems(
        ItemList::Boards,
        [&](const FrameItem& board) {
            if (boardTest != nullptr) {
                BoardRun run(frame, board, geometries, maxStackup);
                boardTest(run);
            }
        },
        [&] { geometries.deleteUnlessDebug(); });
    return frame.finish();
}

} // namespace lumora
