// Testpoint and via tests told to include the soldermask measure the boards' soldermask
// geometries, made before the tests, instead of building and deleting their own.

#include "testlogic/mdlTestLogic.h"
#include "tests/testlogic/BoardFamilyFixture.h"

using namespace lumora;
using Lines = std::vector<std::string>;

namespace {

struct MaskedCase {
    std::string label;
    int16_t (*run)(clsTestItem&);
    std::string test;
    std::vector<std::pair<std::string, std::string>> parameters;
    Lines calls;   // the checks, and nothing else
    Lines created; // the soldermask geometries the Created Geometries window lists
    std::string wrapper = "dfmDistanceCheck";
};

void PrintTo(const MaskedCase& c, std::ostream* out) {
    *out << c.label;
}

const MaskedCase kCases[] = {
    {.label = "TestpointPadSize",
     .run = runTestpointTests,
     .test = "Testpoint Pad Size",
     .parameters = {{"Include_Soldermask", "Yes"}},
     .calls = {R"(ExposedTestpointPadSize(102, 0.018, 0.04, "Testpoint Pad Size - Top") -> 0)",
               R"(ExposedTestpointPadSize(103, 0.018, 0.04, "Testpoint Pad Size - Bottom") -> 0)"},
     .created = {"Testpoint Pad Size_sTP_Top|board.cc|1|102", "Testpoint Pad Size_sTP_Bottom|board.cc|1|103"},
     .wrapper = "dfmExposedTestpointPadSize"},
    {.label = "TestpointEdgeToFeature",
     .run = runTestpointTests,
     .test = "Testpoint Edge To Feature",
     .parameters = {{"Include_Soldermask", "Yes"}},
     .calls =
         {R"(DistanceCheck2(102, 104, 0.025, 0.02, "Testpoint Edge To Feature - Top", 0, 0, 0, 0, 0) -> 0)",
          R"(DistanceCheck2(103, 105, 0.025, 0.02, "Testpoint Edge To Feature - Bottom", 0, 0, 0, 0, 0) -> 0)"},
     .created = {"Testpoint Edge To Feature_sTP_Top|board.cc|1|102",
                 "Testpoint Edge To Feature_sFeature_Top|board.cc|1|104",
                 "Testpoint Edge To Feature_sTP_Bottom|board.cc|1|103",
                 "Testpoint Edge To Feature_sFeature_Bottom|board.cc|1|105"}},
    {.label = "ViaEdgeToComponentPadEdge",
     .run = runViaTests,
     .test = "Via Edge To Component Pad Edge",
     .parameters = test::viaPassThresholds("Yes"),
     .calls =
         {R"(DistanceCheck2(102, 104, 0.03, 0.02, "Via Edge To Component Pad Edge - Top", 0, 0, 0, 0, 0) -> 0)",
          R"(DistanceCheck2(103, 105, 0.04, 0.01, "Via Edge To Component Pad Edge - Bottom", 0, 0, 0, 0, 0) -> 0)"},
     .created = {"Via Edge To Component Pad Edge_sVia_Top|board.cc|1|102",
                 "Via Edge To Component Pad Edge_sPin_Top|board.cc|1|104",
                 "Via Edge To Component Pad Edge_sVia_Bottom|board.cc|1|103",
                 "Via Edge To Component Pad Edge_sPin_Bottom|board.cc|1|105"}},
    // The testpoints' geometries are made first, yet the vias come first in the check and the list.
    {.label = "ViaEdgeToTestpointListsTheViaFirst",
     .run = runViaTests,
     .test = "Via Edge To Testpoint",
     .parameters = test::viaPassThresholds("Yes", "Yes"),
     .calls =
         {R"(DistanceCheck2(104, 102, 0.03, 0.02, "Via Edge To Testpoint - Top", 0, 0, 1, 0, 0) -> 0)",
          R"(DistanceCheck2(105, 103, 0.04, 0.01, "Via Edge To Testpoint - Bottom", 0, 0, 1, 0, 0) -> 0)"},
     .created = {"Via Edge To Testpoint_sVia_Top|board.cc|1|104",
                 "Via Edge To Testpoint_sTP_Top|board.cc|1|102",
                 "Via Edge To Testpoint_sVia_Bottom|board.cc|1|105",
                 "Via Edge To Testpoint_sTP_Bottom|board.cc|1|103"}},
    {.label = "ViaEdgeToViaEdgePassesTheViasTwice",
     .run = runViaTests,
     .test = "Via Edge To Via Edge",
     .parameters = test::viaPassThresholds("Yes"),
     .calls =
         {R"(DistanceCheck2(102, 102, 0.03, 0.02, "Via Edge To Via Edge - Top", 0, 0, 0, 0, 0) -> 0)",
          R"(DistanceCheck2(103, 103, 0.04, 0.01, "Via Edge To Via Edge - Bottom", 0, 0, 0, 0, 0) -> 0)"},
     .created = {"Via Edge To Via Edge_sVia_Top|board.cc|1|102",
                 "Via Edge To Via Edge_sVia_Bottom|board.cc|1|103"}},
    {.label = "ViaEdgeToFeature",
     .run = runViaTests,
     .test = "Via Edge To Feature",
     .parameters = test::viaPassThresholds("Yes"),
     .calls = {R"(DistanceCheck2(104, 102, 0.03, 0.02, "Via Edge To Feature - Top", 0, 0, 0, 0, 0) -> 0)",
               R"(DistanceCheck2(105, 103, 0.04, 0.01, "Via Edge To Feature - Bottom", 0, 0, 0, 0, 0) -> 0)"},
     .created = {"Via Edge To Feature_sVia_Top|board.cc|1|104",
                 "Via Edge To Feature_sFeature_Top|board.cc|1|102",
                 "Via Edge To Feature_sVia_Bottom|board.cc|1|105",
                 "Via Edge To Feature_sFeature_Bottom|board.cc|1|103"}},
};

class SoldermaskPassesTest : public test::BoardFamilyFixture,
                             public ::testing::WithParamInterface<MaskedCase> {
  protected:
    void SetUp() override { openDocument({"board.cc"}); }

    clsTestItem preparedTest() {
        clsTestItem test = item(GetParam().test, GetParam().parameters);
        prepareSoldermask(test);
        return test;
    }
};

} // namespace

TEST_P(SoldermaskPassesTest, MeasuresTheBoardsSoldermaskGeometriesAndDeletesNone) {
    clsTestItem test = preparedTest();

    EXPECT_EQ(GetParam().run(test), 0);

    EXPECT_EQ(korven.calls(), GetParam().calls);
    EXPECT_EQ(createdGeometries.added, GetParam().created);
}

// The failure path deletes the test's own geometries only: the boards' soldermask ones stay.
TEST_P(SoldermaskPassesTest, AFailingCheckKeepsTheBoardsSoldermaskGeometries) {
    clsTestItem test = preparedTest();
    const std::string& topCall = GetParam().calls.front();
    korven.queueCode(topCall.substr(0, topCall.find('(')), -15);

    EXPECT_EQ(GetParam().run(test), -999);

    EXPECT_EQ(korven.calls(), Lines{topCall.substr(0, topCall.rfind(" -> 0")) + " -> -15"});
    EXPECT_EQ(logLines(),
              Lines{"   Test On board.cc : FAILED {" + GetParam().wrapper + " {DFM Test Failed}}"});
}

INSTANTIATE_TEST_SUITE_P(Tests, SoldermaskPassesTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<MaskedCase>& info) { return info.param.label; });
