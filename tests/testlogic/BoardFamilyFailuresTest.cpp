// How the board-outline, testpoint and via families end a board: a failing check, the DRC limit,
// save-on-fail and debug mode take the same course in each.

#include "testlogic/mdlTestLogic.h"
#include "tests/testlogic/BoardFamilyFixture.h"

#include <algorithm>
#include <fstream>

using namespace lumora;
using Lines = std::vector<std::string>;
using Parameters = std::vector<std::pair<std::string, std::string>>;

namespace {

// A test of the family whose KORVEN method is given a code, and the wrapper its result line names.
struct ScriptedCheck {
    std::string test;
    Parameters parameters{};
    std::string method{};
    std::string wrapper{};
};

struct FamilyCase {
    std::string family;
    int16_t (*run)(clsTestItem&);
    std::vector<test::ScriptedLayer> layers;
    ScriptedCheck failing;   // fails at its first check
    std::string failingCall; // that check's call, without its code
    ScriptedCheck saveOnFail;
    ScriptedCheck drcLimit;
    std::string debugTest;
    std::size_t debugGeometries = 0;
};

void PrintTo(const FamilyCase& c, std::ostream* out) {
    *out << c.family;
}

const FamilyCase kFamilies[] = {
    {.family = "BoardOutline",
     .run = runBoardOutlineTests,
     .layers = test::twoLayerBoardWithPinExtents(),
     .failing = {.test = "Minimum Via Pad Edge Clearance To Board Outline",
                 .parameters = {{"Test_Surface", "Both"}},
                 .method = "DistanceCheck2",
                 .wrapper = "dfmDistanceCheck"},
     .failingCall =
         "DistanceCheck2(100, 101, 0.125, 0.125, \"Minimum Via Pad Edge Clearance To Board Outline - "
         "Top\", 0, 0, 0, 0, 0)",
     .saveOnFail = {.test = "Fiducial Clearance To Board Outline",
                    .method = "DistanceCheck2",
                    .wrapper = "dfmDistanceCheck"},
     .drcLimit = {.test = "Goldfinger Flush With Board Outline",
                  .method = "ComponentFlushWithOutline",
                  .wrapper = "dfmComponentFlushWithEdge"},
     .debugTest = "Minimum Testpoint Pad Edge Clearance To Board Outline",
     .debugGeometries = 4},
    {.family = "Testpoint",
     .run = runTestpointTests,
     .layers = test::twoLayerBoard(),
     .failing = {.test = "Testpoint Edge To Feature",
                 .method = "FilterGeometry",
                 .wrapper = "dfmFilterGeometry"},
     .failingCall = "FilterGeometry(101, \"NETNAME\", \"\", 5)",
     .saveOnFail = {.test = "Testpoint Edge To Component Pin Edge",
                    .method = "DistanceCheck2",
                    .wrapper = "dfmDistanceCheck"},
     .drcLimit = {.test = "Testpoint Center To Testpoint Center",
                  .method = "DistanceCheck2",
                  .wrapper = "dfmDistanceCheck"},
     .debugTest = "Testpoint Center To Component Body",
     .debugGeometries = 6},
    {.family = "Via",
     .run = runViaTests,
     .layers = test::twoLayerBoard(),
     .failing = {.test = "Via Under Component", .method = "ViaUnderPart", .wrapper = "dfmViaUnderPart"},
     .failingCall = "ViaUnderPart(100, 101, \"Via Under Component - Top\")",
     .saveOnFail = {.test = "Via In SMT Pad", .method = "FilterGeometry", .wrapper = "dfmFilterGeometry"},
     .drcLimit = {.test = "Via Hole Size", .method = "ViaHoleSize", .wrapper = "dfmViaHoleSize"},
     .debugTest = "Via Edge To Component Pad Edge",
     .debugGeometries = 4},
};

class BoardFamilyFailuresTest : public test::BoardFamilyFixture,
                                public ::testing::WithParamInterface<FamilyCase> {
  protected:
    void openBoards(std::vector<std::string> boards) { openDocument(std::move(boards), GetParam().layers); }

    int16_t run(const ScriptedCheck& check) {
        clsTestItem test = item(check.test, check.parameters);
        return GetParam().run(test);
    }

    long callsOf(const std::string& method) const {
        return std::ranges::count_if(korven.calls(),
                                     [&](const std::string& call) { return call.starts_with(method + "("); });
    }
};

} // namespace

TEST_P(BoardFamilyFailuresTest, FailingCheckEndsTheBoardAndItsGeometriesGoBeforeTheNextBoard) {
    const ScriptedCheck& failing = GetParam().failing;
    openBoards({"a.cc", "b.cc"});
    korven.queueCode(failing.method, -15);

    EXPECT_EQ(run(failing), -999);

    EXPECT_EQ(logLines(), (Lines{"   Test On a.cc : FAILED {" + failing.wrapper + " {DFM Test Failed}}",
                                 "   Test On b.cc : SUCCEDED {Marginal: 0  Critical: 0}"}));
    EXPECT_NE(korven.trace().find(GetParam().failingCall + " -> -15\n"
                                                           "DeleteGeometry(100) -> 0\n"
                                                           "DeleteGeometry(101) -> 0\n"
                                                           "createFlattenGeometry(2) -> 0 [geom=102]\n"),
              std::string::npos)
        << korven.trace();
}

// A geometry whose deletion failed outright keeps its number; the next board must not inherit it.
TEST_P(BoardFamilyFailuresTest, ABoardFailingAtItsFirstGeometryTouchesNoneOfTheBoardBefore) {
    const ScriptedCheck& failing = GetParam().failing;
    openBoards({"a.cc", "b.cc"});
    korven.queueCode(failing.method, -15);
    korven.failOn("DeleteGeometry", "Server busy");
    for (int16_t code : {0, 0, -3}) { // a.cc creates 100 and 101, b.cc fails at its first
        korven.queueCode("createFlattenGeometry", code);
    }

    EXPECT_EQ(run(failing), -999);

    EXPECT_EQ(
        std::ranges::count_if(
            korven.calls(), [](const std::string& call) { return call.starts_with("DeleteGeometry(101)"); }),
        1)
        << korven.trace();
}

TEST_P(BoardFamilyFailuresTest, DrcLimitEndsEachBoardAtItsCheckAndSucceedsWithResultOne) {
    const ScriptedCheck& limited = GetParam().drcLimit;
    openBoards({"a.cc", "b.cc"});
    korven.setCode(limited.method, 1);

    EXPECT_EQ(run(limited), 1);

    EXPECT_EQ(logLines(), (Lines{"   Test On a.cc : SUCCEDED {" + limited.wrapper + " {Too Many Errors}}",
                                 "   Test On b.cc : SUCCEDED {" + limited.wrapper + " {Too Many Errors}}"}));
    EXPECT_EQ(callsOf(limited.method), 2) << korven.trace();
}

TEST_P(BoardFamilyFailuresTest, SaveOnFailSavesTheDesignCleansUpAndTestsNoFurtherBoard) {
    const ScriptedCheck& failing = GetParam().saveOnFail;
    openBoards({"a.cc", "b.cc"});
    runWith({.blnSaveOnFail = true});
    korven.queueCode(failing.method, -15);

    EXPECT_EQ(run(failing), -999);

    EXPECT_EQ(logLines(), Lines{"   Test On a.cc : FAILED {" + failing.wrapper + " {DFM Test Failed}}"});
    std::ifstream note(dir_.path() / "error.txt", std::ios::binary); // beside error.cc
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(note), {}), logLines()[0] + "\r\n");
    std::string trace = korven.trace();
    EXPECT_TRUE(
        trace.ends_with("-> -15\n" + savedCopy() + "DeleteGeometry(100) -> 0\nDeleteGeometry(101) -> 0\n"))
        << trace;
    EXPECT_EQ(trace.find("createFlattenGeometry(2)"), std::string::npos);
}

TEST_P(BoardFamilyFailuresTest, DebugModeKeepsAndListsEveryGeometry) {
    openBoards({"board.cc"});
    runWith({.blnDebugOn = true});

    EXPECT_EQ(run({.test = GetParam().debugTest}), 0);

    EXPECT_EQ(korven.trace().find("DeleteGeometry"), std::string::npos) << korven.trace();
    EXPECT_EQ(createdGeometries.added.size(), GetParam().debugGeometries);
}

INSTANTIATE_TEST_SUITE_P(Families, BoardFamilyFailuresTest, ::testing::ValuesIn(kFamilies),
                         [](const ::testing::TestParamInfo<FamilyCase>& info) { return info.param.family; });
