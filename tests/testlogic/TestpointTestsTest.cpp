#include "testlogic/mdlTestLogic.h"
#include "tests/korven/ExpandedTimeLog.h"
#include "tests/testlogic/BoardFamilyFixture.h"

using namespace lumora;
using Lines = std::vector<std::string>;

namespace {

class TestpointTestsTest : public test::BoardFamilyFixture {
  protected:
    void SetUp() override { openDocument({"board.cc"}); }
};

} // namespace

TEST_F(TestpointTestsTest, PadSizeBuildsAndDeletesItsOwnGeometryPerSurface) {
    clsTestItem test = item("Testpoint Pad Size", {{"Minimum_Top_Pad_Size", "0.02"},
                                                   {"Maximum_Top_Pad_Size", "0.05"},
                                                   {"Minimum_Bottom_Pad_Size", "0.03"},
                                                   {"Maximum_Bottom_Pad_Size", "0.06"}});

    EXPECT_EQ(runTestpointTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
FlattenByAttrib(100, 4, "TEST", "", 5, -1, 0, 3) -> 0
ExposedTestpointPadSize(100, 0.02, 0.05, "Testpoint Pad Size - Top") -> 0
DeleteGeometry(100) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
FlattenByAttrib(101, 5, "TEST", "", 5, -1, 0, 3) -> 0
ExposedTestpointPadSize(101, 0.03, 0.06, "Testpoint Pad Size - Bottom") -> 0
DeleteGeometry(101) -> 0
)");
    EXPECT_EQ(createdGeometries.added, (Lines{"Testpoint Pad Size - Top|board.cc|1|100",
                                              "Testpoint Pad Size - Bottom|board.cc|1|101"}));
    EXPECT_EQ(logLines(), Lines{"   Test On board.cc : SUCCEDED {Marginal: 0  Critical: 0}"});
}

TEST_F(TestpointTestsTest, PadSizeWithSoldermaskMeasuresTheBoardsGeometriesAndDeletesNothing) {
    clsTestItem test = item("Testpoint Pad Size", {{"Include_Soldermask", "Yes"}});
    prepareSoldermask(test); // testpoints top 102, bottom 103

    EXPECT_EQ(runTestpointTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(ExposedTestpointPadSize(102, 0.018, 0.04, "Testpoint Pad Size - Top") -> 0
ExposedTestpointPadSize(103, 0.018, 0.04, "Testpoint Pad Size - Bottom") -> 0
)");
    EXPECT_EQ(createdGeometries.added, (Lines{"Testpoint Pad Size_sTP_Top|board.cc|1|102",
                                              "Testpoint Pad Size_sTP_Bottom|board.cc|1|103"}));
}

TEST_F(TestpointTestsTest, LowerCaseYesIsOffEvenWhenTheSoldermaskGeometriesExist) {
    clsTestItem masked = item("Testpoint Pad Size", {{"Include_Soldermask", "Yes"}});
    prepareSoldermask(masked);
    clsTestItem test = item("Testpoint Pad Size", {{"Include_Soldermask", "yes"}});

    EXPECT_EQ(runTestpointTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=104]
FlattenByAttrib(104, 4, "TEST", "", 5, -1, 0, 3) -> 0
ExposedTestpointPadSize(104, 0.018, 0.04, "Testpoint Pad Size - Top") -> 0
DeleteGeometry(104) -> 0
createFlattenGeometry(1) -> 0 [geom=105]
FlattenByAttrib(105, 5, "TEST", "", 5, -1, 0, 3) -> 0
ExposedTestpointPadSize(105, 0.018, 0.04, "Testpoint Pad Size - Bottom") -> 0
DeleteGeometry(105) -> 0
)");
}

TEST_F(TestpointTestsTest, PerNetCountsTakeTheSurfacesTheirNamesSay) {
    struct Case {
        const char* name;
        std::string layers; // the testpoint flattening of the surfaces taken
    };
    for (const Case& c :
         {Case{"Testpoints Per Net", "FlattenByAttrib(100, 4, \"TEST\", \"\", 5, -1, 0, 3) -> 0\n"
                                     "FlattenByAttrib(100, 5, \"TEST\", \"\", 5, -1, 0, 3) -> 0\n"},
          Case{"Top Surface Testpoints Per Net",
               "FlattenByAttrib(100, 4, \"TEST\", \"\", 5, -1, 0, 3) -> 0\n"},
          Case{"Bottom Surface Testpoints Per Net",
               "FlattenByAttrib(100, 5, \"TEST\", \"\", 5, -1, 0, 3) -> 0\n"}}) {
        korven.nextGeomNum = 100;
        korven.clearCalls();
        clsTestItem test = item(c.name, {{"Testpoints_Per_Net", "2"}});
        EXPECT_EQ(runTestpointTests(test), 0) << c.name;
        EXPECT_EQ(korven.trace(), "createFlattenGeometry(1) -> 0 [geom=100]\n" + c.layers +
                                      "TestpointsPerNet(100, 2, \"" + c.name + "\") -> 0\n" +
                                      "DeleteGeometry(100) -> 0\n")
            << c.name;
        EXPECT_EQ(createdGeometries.added.back(), std::string(c.name) + "|board.cc|1|100");
    }
}

TEST_F(TestpointTestsTest, PerNetLimitIsAFailedLineButNeitherAnErrorNorTheLimitResult) {
    openDocument({"a.cc", "b.cc"});
    korven.setCode("TestpointsPerNet", 1);
    clsTestItem test = item("Testpoints Per Net");

    EXPECT_EQ(runTestpointTests(test), 0);

    EXPECT_EQ(logLines(), (Lines{"   Test On a.cc : FAILED {Too Many Errors}",
                                 "   Test On b.cc : FAILED {Too Many Errors}"}));
    EXPECT_NE(korven.trace().find("TestpointsPerNet(100, 1, \"Testpoints Per Net\") -> 1\n"
                                  "DeleteGeometry(100) -> 0\n"),
              std::string::npos)
        << korven.trace();
}

TEST_F(TestpointTestsTest, PerNetErrorIsCountedWithoutTheFailurePath) {
    openDocument({"a.cc", "b.cc"});
    runnerSwitches().blnSaveOnFail = true; // only the failure path saves
    korven.queueCode("TestpointsPerNet", -15);
    clsTestItem test = item("Top Surface Testpoints Per Net");

    EXPECT_EQ(runTestpointTests(test), -999);

    EXPECT_EQ(logLines(), (Lines{"   Test On a.cc : FAILED {DFM Test Failed}",
                                 "   Test On b.cc : SUCCEDED {Marginal: 0  Critical: 0}"}));
    EXPECT_EQ(korven.trace().find("SaveDataFileAs"), std::string::npos);
}

TEST_F(TestpointTestsTest, CountThatIsNotAnIntegerFailsTheBoardAndItsGeometryGoes) {
    clsTestItem test = item("Testpoints Per Net");
    test.dictProperties().store("Testpoints_Per_Net", "two");

    EXPECT_EQ(runTestpointTests(test), -999);

    EXPECT_EQ(logLines(), Lines{"   Test On board.cc : FAILED {runTestpointTests {Type mismatch}}"});
    EXPECT_TRUE(korven.trace().ends_with("FlattenByAttrib(100, 5, \"TEST\", \"\", 5, -1, 0, 3) -> 0\n"
                                         "DeleteGeometry(100) -> 0\n"))
        << korven.trace();
}

TEST_F(TestpointTestsTest, CenterToCenterMeasuresOneGeometryOfInsertionPointsAgainstItself) {
    clsTestItem test = item("Testpoint Center To Testpoint Center",
                            {{"Marginal_Distance", "0.08"}, {"Critical_Distance", "0.06"}});

    EXPECT_EQ(runTestpointTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
FlattenByAttrib(100, 4, "TEST", "", 5, -1, 1, 3) -> 0
DistanceCheck2(100, 100, 0.08, 0.06, "Testpoint Center To Testpoint Center - Top", 0, 0, 0, 0, 1) -> 0
DeleteGeometry(100) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
FlattenByAttrib(101, 5, "TEST", "", 5, -1, 1, 3) -> 0
DistanceCheck2(101, 101, 0.08, 0.06, "Testpoint Center To Testpoint Center - Bottom", 0, 0, 0, 0, 1) -> 0
DeleteGeometry(101) -> 0
)");
    EXPECT_EQ(createdGeometries.added.at(1), "Testpoint Center To Testpoint Center - Bottom|board.cc|1|101");
}

TEST_F(TestpointTestsTest, CenterToComponentBodyMeasuresTallThenShortBodies) {
    clsTestItem test = item("Testpoint Center To Component Body");

    EXPECT_EQ(runTestpointTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
FlattenByAttrib(100, 4, "TEST", "", 5, -1, 1, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
FlattenByAttrib(101, 0, "COMPHEIGHT", "0.2", 1, 3, 0, 3) -> 0
DistanceCheck2(100, 101, 0.05, 0.04, "Testpoint Center To Component Body - Top", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(101) -> 0
createFlattenGeometry(1) -> 0 [geom=102]
FlattenByAttrib(102, 0, "COMPHEIGHT", "0.2", -2, 3, 0, 3) -> 0
FlattenByAttrib(102, 0, "COMPHEIGHT", "", 6, 3, 0, 3) -> 0
DistanceCheck2(100, 102, 0.03, 0.02, "Testpoint Center To Component Body - Top", 0, 0, 0, 0, 1) -> 0
DeleteGeometry(100) -> 0
DeleteGeometry(102) -> 0
createFlattenGeometry(1) -> 0 [geom=103]
FlattenByAttrib(103, 5, "TEST", "", 5, -1, 1, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=104]
FlattenByAttrib(104, 1, "COMPHEIGHT", "0.2", 1, 3, 0, 3) -> 0
DistanceCheck2(103, 104, 0.05, 0.04, "Testpoint Center To Component Body - Bottom", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(104) -> 0
createFlattenGeometry(1) -> 0 [geom=105]
FlattenByAttrib(105, 1, "COMPHEIGHT", "0.2", -2, 3, 0, 3) -> 0
FlattenByAttrib(105, 1, "COMPHEIGHT", "", 6, 3, 0, 3) -> 0
DistanceCheck2(103, 105, 0.03, 0.02, "Testpoint Center To Component Body - Bottom", 0, 0, 0, 0, 1) -> 0
DeleteGeometry(103) -> 0
DeleteGeometry(105) -> 0
)");
    EXPECT_EQ(createdGeometries.added,
              (Lines{"Testpoint Center To Component Body1 - Top|board.cc|1|100",
                     "Testpoint Center To Component Body - TallTop|board.cc|1|101",
                     "Testpoint Center To Component Body - ShortTop|board.cc|1|102",
                     "Testpoint Center To Component Body1 - Bottom|board.cc|1|103",
                     "Testpoint Center To Component Body - TallBottom|board.cc|1|104",
                     "Testpoint Center To Component Body - ShortBottom|board.cc|1|105"}));
}

TEST_F(TestpointTestsTest, DividingHeightIsPassedInTheUsersNotation) {
    ScopedLocale regional({",", "."});
    clsTestItem test = item("Testpoint Center To Component Body",
                            {{"Compheight_Differenciating_Short_From_Tall_Components", "0.25"}});

    runTestpointTests(test);

    EXPECT_NE(korven.trace().find("FlattenByAttrib(101, 0, \"COMPHEIGHT\", \"0,25\", 1, 3, 0, 3)"),
              std::string::npos)
        << korven.trace();
}

TEST_F(TestpointTestsTest, DebugModeKeepsAllFiveGeometriesOfTheCenterToBodyPasses) {
    runnerSwitches().blnDebugOn = true;
    clsTestItem test = item("Testpoint Center To Component Body");

    EXPECT_EQ(runTestpointTests(test), 0);

    EXPECT_EQ(korven.trace().find("DeleteGeometry"), std::string::npos) << korven.trace();
    EXPECT_EQ(createdGeometries.added.size(), 6u);
}

TEST_F(TestpointTestsTest, EdgeToComponentPinEdgeMeasuresPadsAgainstThePinsOfTheSurface) {
    clsTestItem test = item("Testpoint Edge To Component Pin Edge");

    EXPECT_EQ(runTestpointTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
FlattenByAttrib(100, 4, "TEST", "", 5, -1, 0, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
flattenByInsertType(101, 4, 2, 0, 3) -> 0
DistanceCheck2(100, 101, 0.025, 0.02, "Testpoint Edge To Component Pin Edge - Top", 0, 0, 0, 0, 1) -> 0
DeleteGeometry(100) -> 0
DeleteGeometry(101) -> 0
createFlattenGeometry(1) -> 0 [geom=102]
FlattenByAttrib(102, 5, "TEST", "", 5, -1, 0, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=103]
flattenByInsertType(103, 5, 2, 0, 3) -> 0
DistanceCheck2(102, 103, 0.025, 0.02, "Testpoint Edge To Component Pin Edge - Bottom", 0, 0, 0, 0, 1) -> 0
DeleteGeometry(102) -> 0
DeleteGeometry(103) -> 0
)");
    EXPECT_EQ(createdGeometries.added,
              (Lines{"Testpoint Edge To Component Pin Edge1 - Top|board.cc|1|100",
                     "Testpoint Edge To Component Pin Edge - PinTop|board.cc|1|101",
                     "Testpoint Edge To Component Pin Edge1 - Bottom|board.cc|1|102",
                     "Testpoint Edge To Component Pin Edge - PinBottom|board.cc|1|103"}));
}

TEST_F(TestpointTestsTest, EdgeToFeatureBuildsTheFeaturesOfEachSurface) {
    clsTestItem test = item("Testpoint Edge To Feature", {{"Include_Soldermask", "No"}});

    EXPECT_EQ(runTestpointTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
FlattenByAttrib(100, 4, "TEST", "", 5, -1, 0, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
flattenByGraphicClass(101, 0, 6, 1) -> 0
flattenByGraphicClass(101, 1, 6, 1) -> 0
flattenByGraphicClass(101, 2, 6, 1) -> 0
flattenByGraphicClass(101, 3, 6, 1) -> 0
flattenByGraphicClass(101, 4, 6, 1) -> 0
flattenByGraphicClass(101, 5, 6, 1) -> 0
FilterGeometry(101, "NETNAME", "", 5) -> 0
flattenByInsertType(101, 4, 10, 0, 3) -> 0
flattenByInsertType(101, 4, 0, 0, 3) -> 0
DistanceCheck2(100, 101, 0.025, 0.02, "Testpoint Edge To Feature - Top", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(100) -> 0
DeleteGeometry(101) -> 0
createFlattenGeometry(1) -> 0 [geom=102]
FlattenByAttrib(102, 5, "TEST", "", 5, -1, 0, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=103]
flattenByGraphicClass(103, 0, 6, 1) -> 0
flattenByGraphicClass(103, 1, 6, 1) -> 0
flattenByGraphicClass(103, 2, 6, 1) -> 0
flattenByGraphicClass(103, 3, 6, 1) -> 0
flattenByGraphicClass(103, 4, 6, 1) -> 0
flattenByGraphicClass(103, 5, 6, 1) -> 0
FilterGeometry(103, "NETNAME", "", 5) -> 0
flattenByInsertType(103, 5, 10, 0, 3) -> 0
flattenByInsertType(103, 5, 0, 0, 3) -> 0
DistanceCheck2(102, 103, 0.025, 0.02, "Testpoint Edge To Feature - Bottom", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(102) -> 0
DeleteGeometry(103) -> 0
)");
    EXPECT_EQ(createdGeometries.added.at(1), "Testpoint Edge To Feature - Feature_Top|board.cc|1|101");
    EXPECT_EQ(createdGeometries.added.at(2), "Testpoint Edge To Feature1 - Bottom|board.cc|1|102");
}

TEST_F(TestpointTestsTest, EdgeToFeatureWithSoldermaskMeasuresTheBoardsTestpointsAgainstItsFeatures) {
    clsTestItem test = item("Testpoint Edge To Feature", {{"Include_Soldermask", "Yes"}});
    prepareSoldermask(test); // testpoints 102 and 103, features 104 and 105

    EXPECT_EQ(runTestpointTests(test), 0);

    EXPECT_EQ(korven.trace(),
              R"(DistanceCheck2(102, 104, 0.025, 0.02, "Testpoint Edge To Feature - Top", 0, 0, 0, 0, 0) -> 0
DistanceCheck2(103, 105, 0.025, 0.02, "Testpoint Edge To Feature - Bottom", 0, 0, 0, 0, 0) -> 0
)");
    EXPECT_EQ(createdGeometries.added, (Lines{"Testpoint Edge To Feature_sTP_Top|board.cc|1|102",
                                              "Testpoint Edge To Feature_sFeature_Top|board.cc|1|104",
                                              "Testpoint Edge To Feature_sTP_Bottom|board.cc|1|103",
                                              "Testpoint Edge To Feature_sFeature_Bottom|board.cc|1|105"}));
}

TEST_F(TestpointTestsTest, FeatureFilterIsTimedAsItsOwnSubProcess) {
    test::ExpandedTimeLog timeLog(window, objKorven);
    clsTestItem test = item("Testpoint Edge To Feature");

    runTestpointTests(test);

    Lines onePass{"Create Geometry", "Flatten InsertType", "Create Geometry",    "Flatten GraphicClass",
                  "Filter",          "Flatten InsertType", "Flatten InsertType", "Distance Check"};
    Lines both = onePass;
    both.insert(both.end(), onePass.begin(), onePass.end());
    EXPECT_EQ(timeLog.subProcesses(), both);
}

TEST_F(TestpointTestsTest, FailingFilterEndsTheBoardAndBothGeometriesGo) {
    openDocument({"a.cc", "b.cc"});
    korven.queueCode("FilterGeometry", -15);
    clsTestItem test = item("Testpoint Edge To Feature");

    EXPECT_EQ(runTestpointTests(test), -999);

    EXPECT_EQ(logLines(), (Lines{"   Test On a.cc : FAILED {dfmFilterGeometry {DFM Test Failed}}",
                                 "   Test On b.cc : SUCCEDED {Marginal: 0  Critical: 0}"}));
    EXPECT_NE(korven.trace().find("FilterGeometry(101, \"NETNAME\", \"\", 5) -> -15\n"
                                  "DeleteGeometry(100) -> 0\n"
                                  "DeleteGeometry(101) -> 0\n"
                                  "createFlattenGeometry(2) -> 0 [geom=102]\n"),
              std::string::npos)
        << korven.trace();
}

TEST_F(TestpointTestsTest, FailureWithTheSwitchOnKeepsTheBoardsSoldermaskGeometries) {
    clsTestItem test = item("Testpoint Pad Size", {{"Include_Soldermask", "Yes"}});
    prepareSoldermask(test);
    korven.queueCode("ExposedTestpointPadSize", -15);

    EXPECT_EQ(runTestpointTests(test), -999);

    EXPECT_EQ(korven.trace(),
              "ExposedTestpointPadSize(102, 0.018, 0.04, \"Testpoint Pad Size - Top\") -> -15\n");
    EXPECT_EQ(logLines(),
              Lines{"   Test On board.cc : FAILED {dfmExposedTestpointPadSize {DFM Test Failed}}"});
}

TEST_F(TestpointTestsTest, DrcLimitOnEveryBoardSucceedsWithResultOne) {
    openDocument({"a.cc", "b.cc"});
    korven.setCode("DistanceCheck2", 1);
    clsTestItem test = item("Testpoint Center To Testpoint Center");

    EXPECT_EQ(runTestpointTests(test), 1);

    EXPECT_EQ(logLines(), (Lines{"   Test On a.cc : SUCCEDED {dfmDistanceCheck {Too Many Errors}}",
                                 "   Test On b.cc : SUCCEDED {dfmDistanceCheck {Too Many Errors}}"}));
    // The limit ends the board after its Top pass.
    EXPECT_EQ(korven.trace().find("Testpoint Center To Testpoint Center - Bottom"), std::string::npos);
}

TEST_F(TestpointTestsTest, SaveOnFailSavesTheDesignAndStillCleansUp) {
    openDocument({"a.cc", "b.cc"});
    runnerSwitches().blnSaveOnFail = true;
    korven.queueCode("DistanceCheck2", -15);
    clsTestItem test = item("Testpoint Edge To Component Pin Edge");

    EXPECT_EQ(runTestpointTests(test), -999);

    EXPECT_EQ(logLines(), Lines{"   Test On a.cc : FAILED {dfmDistanceCheck {DFM Test Failed}}"});
    std::string trace = korven.trace();
    EXPECT_TRUE(
        trace.ends_with("-> -15\n" + savedCopy() + "DeleteGeometry(100) -> 0\nDeleteGeometry(101) -> 0\n"))
        << trace;
    EXPECT_EQ(trace.find("createFlattenGeometry(2)"), std::string::npos);
}
