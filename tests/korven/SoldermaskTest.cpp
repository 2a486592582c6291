#include "tests/korven/KorvenFixture.h"

#include "script/RunnerError.h"
#include "script/clsTestItem.h"

#include <gtest/gtest.h>

namespace lumora::test {
namespace {

clsTestItem testItem(const std::string& name, std::vector<std::pair<std::string, std::string>> parameters) {
    clsTestItem item;
    item.strName = name;
    for (const auto& [key, value] : parameters) {
        item.dictProperties().store(key, value);
    }
    return item;
}

class SoldermaskTest : public KorvenFixture {
  protected:
    SoldermaskTest() {
        scriptOneBoard();
        // Soldermask top and bottom, then the copper of a two-layer board.
        korven.layers = {{.name = "MASK_TOP", .type = 13},
                         {.name = "MASK_BOT", .type = 14},
                         {.name = "TOP", .type = 1, .electrical = 1},
                         {.name = "BOTTOM", .type = 2, .electrical = 2}};
        connect();
        objKorven.loadLayers();
        korven.clearCalls();
        setFrmDebugList(&createdGeometries);
    }

    RecordingGeometryList createdGeometries;
};

TEST_F(SoldermaskTest, TestpointsAndViasAgainstTheGenericSoldermask) {
    clsTestItem test = testItem("Via Edge To Testpoint", {{"Include_Soldermask", "Yes"}});

    EXPECT_EQ(objKorven.createSoldermaskGeom(test), 0);

    EXPECT_EQ(korven.trace(), "createFlattenGeometry(1) -> 0 [geom=100]\n" // generic top
                              "Flatten(100, 0, 0) -> 0\n"
                              "createFlattenGeometry(1) -> 0 [geom=101]\n" // generic bottom
                              "Flatten(101, 1, 0) -> 0\n"
                              "createFlattenGeometry(1) -> 0 [geom=102]\n" // testpoints top
                              "FlattenByAttrib(102, 2, \"TEST\", \"\", 5, -1, 0, 3) -> 0\n"
                              "ProcessSolderMask(100, 102) -> 0\n"
                              "createFlattenGeometry(1) -> 0 [geom=103]\n" // testpoints bottom
                              "FlattenByAttrib(103, 3, \"TEST\", \"\", 5, -1, 0, 3) -> 0\n"
                              "ProcessSolderMask(101, 103) -> 0\n"
                              "createFlattenGeometry(1) -> 0 [geom=104]\n" // vias top
                              "flattenByInsertType(104, 2, 1, 0, 3) -> 0\n"
                              "ProcessSolderMask(100, 104) -> 0\n"
                              "createFlattenGeometry(1) -> 0 [geom=105]\n" // vias bottom
                              "flattenByInsertType(105, 3, 1, 0, 3) -> 0\n"
                              "ProcessSolderMask(101, 105) -> 0\n");
    EXPECT_EQ(objKorven.Board_sTPGeom_topGeomNum(0), 102);
    EXPECT_EQ(objKorven.Board_sTPGeom_botGeomNum(0), 103);
    EXPECT_EQ(objKorven.Board_sViaGeom_topGeomNum(0), 104);
    EXPECT_EQ(objKorven.Board_sViaGeom_botGeomNum(0), 105);
    EXPECT_EQ(objKorven.Board_sPinGeom_topGeomNum(0), 0);
    EXPECT_EQ(objKorven.Board_sFeatureGeom_topGeomNum(0), 0);
    EXPECT_EQ(createdGeometries.added,
              (std::vector<std::string>{"-= Generic Top Soldermask =-|board.cc|1|100",
                                        "-= Generic Bottom Soldermask =-|board.cc|1|101"}));
}

TEST_F(SoldermaskTest, TwoTestsNeedingTheSameGeometriesBuildThemOnce) {
    clsTestItem first = testItem("Via Edge To Testpoint", {{"Include_Soldermask", "Yes"}});
    clsTestItem second = testItem("Testpoint Pad Size", {{"Include_Soldermask", "Yes"}});
    objKorven.createSoldermaskGeom(first);
    korven.clearCalls();

    objKorven.createSoldermaskGeom(second);

    EXPECT_EQ(korven.trace(), "");
    EXPECT_EQ(objKorven.Board_sTPGeom_topGeomNum(0), 102);
    EXPECT_EQ(objKorven.Board_sTPGeom_botGeomNum(0), 103);
}

TEST_F(SoldermaskTest, ViaUnderComponentBuildsViasWhenSkippingMaskedVias) {
    clsTestItem test = testItem("Via Under Component", {{"Skip_Masked_Vias", "Yes"}});

    objKorven.createSoldermaskGeom(test);

    EXPECT_EQ(objKorven.Board_sViaGeom_topGeomNum(0), 102);
    EXPECT_EQ(objKorven.Board_sViaGeom_botGeomNum(0), 103);
    EXPECT_EQ(objKorven.Board_sTPGeom_topGeomNum(0), 0);
}

struct NothingBuilt {
    const char* situation;
    const char* testName;
    std::vector<std::pair<std::string, std::string>> parameters;
};

class SoldermaskNothingTest : public SoldermaskTest, public ::testing::WithParamInterface<NothingBuilt> {};

TEST_P(SoldermaskNothingTest, BuildsNothing) {
    clsTestItem test = testItem(GetParam().testName, GetParam().parameters);

    EXPECT_EQ(objKorven.createSoldermaskGeom(test), 0);

    EXPECT_EQ(korven.trace(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Situations, SoldermaskNothingTest,
    ::testing::Values(NothingBuilt{"IncludeNo", "Via Edge To Testpoint", {{"Include_Soldermask", "No"}}},
                      NothingBuilt{"NoSwitch", "Via Edge To Testpoint", {}},
                      NothingBuilt{
                          "SwitchIsCaseSensitive", "Via Edge To Via Edge", {{"Include_Soldermask", "yes"}}},
                      NothingBuilt{"OtherTest", "Via Hole Size", {{"Include_Soldermask", "Yes"}}},
                      NothingBuilt{"SkipNo", "Via Under Component", {{"Skip_Masked_Vias", "No"}}}),
    [](const ::testing::TestParamInfo<NothingBuilt>& info) { return info.param.situation; });

TEST_F(SoldermaskTest, SkipMaskedViasDecidesTheGenericSwitchWhenBothAreGiven) {
    clsTestItem test =
        testItem("Via Edge To Via Edge", {{"Include_Soldermask", "Yes"}, {"Skip_Masked_Vias", "No"}});

    objKorven.createSoldermaskGeom(test);

    // Without a generic soldermask the vias are processed against geometry 0.
    EXPECT_EQ(korven.calls().front(), "createFlattenGeometry(1) -> 0 [geom=100]");
    EXPECT_NE(korven.trace().find("ProcessSolderMask(0, 100)"), std::string::npos);
    EXPECT_TRUE(createdGeometries.added.empty());
}

TEST_F(SoldermaskTest, BoardListWithOnlyItsBlankEntryIsNotVisited) {
    korven.files = {{.number = 1, .name = "panel.cc", .show = true, .blockType = 8, .geomNum = 20}};
    connect();
    clsTestItem test = testItem("Via Edge To Testpoint", {{"Include_Soldermask", "Yes"}});

    EXPECT_EQ(objKorven.createSoldermaskGeom(test), 0);

    EXPECT_EQ(korven.trace(), "");
}

TEST_F(SoldermaskTest, FailureStopsTheBuildingAndKeepsWhatWasStored) {
    clsTestItem test = testItem("Via Edge To Testpoint", {{"Include_Soldermask", "Yes"}});
    korven.queueCode("ProcessSolderMask", -15);

    try {
        objKorven.createSoldermaskGeom(test);
        FAIL() << "no failure raised";
    } catch (const RunnerError& failure) {
        EXPECT_EQ(failure.source(), "dfmProcessSolderMask");
        EXPECT_EQ(failure.description(), "DFM Test Failed");
    }
    EXPECT_EQ(objKorven.Board_sTPGeom_topGeomNum(0), 0);
    korven.clearCalls();

    objKorven.createSoldermaskGeom(test);

    EXPECT_EQ(korven.calls().front(), "createFlattenGeometry(1) -> 0 [geom=103]") << "the generic ones stay";
    EXPECT_EQ(objKorven.Board_sTPGeom_topGeomNum(0), 103);
}

} // namespace
} // namespace lumora::test
