#include "korvenapi/KorvenCodes.h"
#include "script/TestCatalog.h"
#include "script/clsTestItem.h"
#include "testlogic/RunContext.h"
#include "testlogic/mdlTestLogic.h"

#include <array>

namespace lumora {

namespace {

using FamilyRoutine = int16_t (*)(clsTestItem&);

struct FamilyEntry {
    TestFamily family;
    FamilyRoutine routine;
};

constexpr std::array kFamilies{
    FamilyEntry{TestFamily::Panel, runPanelTests},
    FamilyEntry{TestFamily::Keepout, runKeepoutTests},
    FamilyEntry{TestFamily::Board, runBoardTests},
    FamilyEntry{TestFamily::Orientation, runOrientationTests},
    FamilyEntry{TestFamily::BoardOutline, runBoardOutlineTests},
    FamilyEntry{TestFamily::Testpoint, runTestpointTests},
    FamilyEntry{TestFamily::Via, runViaTests},
};

} // namespace

int16_t runTest(clsTestItem& test) {
    writeRunLog("Test : " + loggedName(test));
    if (!test.validateParameters()) {
        writeRunLog("   Invalid Parameters");
        return runnercode::Failed;
    }
    if (const CurrentTest* current = findCurrentTest(test.strName)) {
        for (const FamilyEntry& entry : kFamilies) {
            if (entry.family == current->family) {
                return entry.routine(test);
            }
        }
    }
    writeRunLog("   Test " + test.strName + " : " + "FAILED {Not A Valid Test}");
    return runnercode::Failed;
}

} // namespace lumora
