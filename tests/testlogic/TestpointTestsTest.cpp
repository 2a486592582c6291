#include "testlogic/mdlTestLogic.h"
#include "tests/korven/ExpandedTimeLog.h"
#include "tests/support/GoldenFile.h"
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

    EXPECT_GOLDEN(korven.trace(), "testpoint/pad-size");
    EXPECT_EQ(createdGeometries.added, (Lines{"Testpoint Pad Size - Top|board.cc|1|100",
                                              "Testpoint Pad Size - Bottom|board.cc|1|101"}));
    EXPECT_EQ(logLines(), Lines{"   Test On board.cc : SUCCEDED {Marginal: 0  Critical: 0}"});
}

TEST_F(TestpointTestsTest, LowerCaseYesIsOffEvenWhenTheSoldermaskGeometriesExist) {
    clsTestItem masked = item("Testpoint Pad Size", {{"Include_Soldermask", "Yes"}});
    prepareSoldermask(masked);
    clsTestItem test = item("Testpoint Pad Size", {{"Include_Soldermask", "yes"}});

    EXPECT_EQ(runTestpointTests(test), 0);

    EXPECT_GOLDEN(korven.trace(), "testpoint/pad-size-lower-case-yes");
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

    EXPECT_GOLDEN(korven.trace(), "testpoint/center-to-center");
    EXPECT_EQ(createdGeometries.added.at(1), "Testpoint Center To Testpoint Center - Bottom|board.cc|1|101");
}

TEST_F(TestpointTestsTest, CenterToComponentBodyMeasuresTallThenShortBodies) {
    clsTestItem test = item("Testpoint Center To Component Body");

    EXPECT_EQ(runTestpointTests(test), 0);

    EXPECT_GOLDEN(korven.trace(), "testpoint/center-to-component-body");
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

TEST_F(TestpointTestsTest, EdgeToComponentPinEdgeMeasuresPadsAgainstThePinsOfTheSurface) {
    clsTestItem test = item("Testpoint Edge To Component Pin Edge");

    EXPECT_EQ(runTestpointTests(test), 0);

    EXPECT_GOLDEN(korven.trace(), "testpoint/edge-to-component-pin-edge");
    EXPECT_EQ(createdGeometries.added,
              (Lines{"Testpoint Edge To Component Pin Edge1 - Top|board.cc|1|100",
                     "Testpoint Edge To Component Pin Edge - PinTop|board.cc|1|101",
                     "Testpoint Edge To Component Pin Edge1 - Bottom|board.cc|1|102",
                     "Testpoint Edge To Component Pin Edge - PinBottom|board.cc|1|103"}));
}

TEST_F(TestpointTestsTest, EdgeToFeatureBuildsTheFeaturesOfEachSurface) {
    clsTestItem test = item("Testpoint Edge To Feature", {{"Include_Soldermask", "No"}});

    EXPECT_EQ(runTestpointTests(test), 0);

    EXPECT_GOLDEN(korven.trace(), "testpoint/edge-to-feature");
    EXPECT_EQ(createdGeometries.added.at(1), "Testpoint Edge To Feature - Feature_Top|board.cc|1|101");
    EXPECT_EQ(createdGeometries.added.at(2), "Testpoint Edge To Feature1 - Bottom|board.cc|1|102");
}

TEST_F(TestpointTestsTest, FeatureFilterIsTimedAsItsOwnSubProcess) {
    test::ExpandedTimeLog timeLog(window, objKorven);
    clsTestItem test = item("Testpoint Edge To Feature");

    runTestpointTests(test);

    EXPECT_EQ(
        timeLog.subProcesses(),
        topThenBottom({"Create Geometry", "Flatten InsertType", "Create Geometry", "Flatten GraphicClass",
                       "Filter", "Flatten InsertType", "Flatten InsertType", "Distance Check"}));
}
