#include "tests/korven/KorvenFixture.h"

#include "korven/ErrorMessages.h"
#include "korven/WrapperConversions.h"
#include "script/LocaleService.h"

#include <gtest/gtest.h>

namespace lumora::test {
namespace {

class WrappersTest : public KorvenFixture {};

TEST_F(WrappersTest, WithoutAConnectionAWrapperGivesNoConnection) {
    EXPECT_EQ(objKorven.dfmViaUnderPart(1, 2, "Under"), -999);
    EXPECT_EQ(objKorven.lastError(), "No connection to KORVEN");
    EXPECT_EQ(korven.trace(), "");
}

TEST_F(WrappersTest, KorvenErrorCodesComeBackWithTheirMessage) {
    scriptOneBoard();
    connect();
    korven.setCode("ViaUnderPart", -15);

    EXPECT_EQ(objKorven.dfmViaUnderPart(1, 2, "Under"), -15);
    EXPECT_EQ(objKorven.lastError(), "DFM Test Failed");

    EXPECT_EQ(objKorven.dfmCombinePolies(1), 0);
    EXPECT_EQ(objKorven.lastError(), "") << "success clears the message";
}

TEST_F(WrappersTest, FormAFailureNamesTheArgumentsInOrder) {
    scriptOneBoard();
    connect();
    korven.failOn("DistanceCheck2", "Automation error");

    EXPECT_EQ(objKorven.dfmDistanceCheck(5, 6, 1.5, 2, "Alg", 3, true, false, true), -999);

    EXPECT_EQ(objKorven.lastError(), "Automation error(5,6,1.5,2,Alg,3,True,False,True,False)");
}

TEST_F(WrappersTest, FormAFailureKeepsEmptyTextArguments) {
    scriptOneBoard();
    connect();
    korven.failOn("FilterGeometry", "Server gone");

    EXPECT_EQ(objKorven.dfmFilterGeometry(4, "SMD", "", 6), -999);

    EXPECT_EQ(objKorven.lastError(), "Server gone(4,SMD,,6)");
}

TEST_F(WrappersTest, FormAFailureWritesNumbersInTheUsersNotation) {
    ScopedLocale locale({",", "."});
    scriptOneBoard();
    connect();
    korven.failOn("ExposedTestpointPadSize", "Server gone");

    objKorven.dfmExposedTestpointPadSize(3, 2.5, 10, "Pad");

    EXPECT_EQ(objKorven.lastError(), "Server gone(3,2,5,10,Pad)");
}

TEST_F(WrappersTest, FormBFailureIsTheDescriptionAlone) {
    scriptOneBoard();
    connect();
    korven.failOn("PanelDimensions", "Server gone");
    korven.failOn("TurnOnResponse", "Class not registered");

    EXPECT_EQ(objKorven.dfmPanelDimensions(1, 2, 3, 4, 5, "Dim"), -999);
    EXPECT_EQ(objKorven.lastError(), "Server gone");
    EXPECT_EQ(objKorven.SetResponse(true), -999);
    EXPECT_EQ(objKorven.lastError(), "Class not registered");
}

TEST_F(WrappersTest, UnknownTestUnitsFailTheCheckInsteadOfConverting) {
    scriptOneBoard();
    connect(7);

    EXPECT_EQ(objKorven.dfmViaHoleSize(1, 10, 20, 0), -999);

    EXPECT_EQ(objKorven.lastError(), "Subscript out of range(1,10,20,0)");
    EXPECT_EQ(korven.trace(), "");
}

TEST_F(WrappersTest, DeleteGeometryGivesUpTheNumberWhateverKorvenSays) {
    scriptOneBoard();
    connect();
    korven.setCode("DeleteGeometry", -3);
    int16_t unknown = 55;

    EXPECT_EQ(objKorven.DeleteGeometry(unknown), -3);

    EXPECT_EQ(unknown, 0);
    EXPECT_EQ(objKorven.lastError(), "Item Not Found");
}

TEST_F(WrappersTest, DeleteGeometryWithoutAConnectionGivesUpTheNumberToo) {
    int16_t geomNum = 55;

    EXPECT_EQ(objKorven.DeleteGeometry(geomNum), -999);

    EXPECT_EQ(geomNum, 0);
}

TEST_F(WrappersTest, DeleteGeometryThatFailsOutrightKeepsTheNumber) {
    scriptOneBoard();
    connect();
    korven.failOn("DeleteGeometry", "Server gone");
    int16_t geomNum = 55;

    EXPECT_EQ(objKorven.DeleteGeometry(geomNum), -999);

    EXPECT_EQ(geomNum, 55);
}

TEST_F(WrappersTest, LayerStackupIsAskedForReadLayersAndHolesOnly) {
    scriptOneBoard();
    korven.layers = {{.code = -14}, {.code = -3}};
    connect();
    std::string name;
    int16_t type = 0, show = 0, electrical = 0, physical = 0, artwork = 0;

    EXPECT_EQ(objKorven.GetLayerInfo(0, name, type, show, electrical, physical, artwork), -14);
    EXPECT_EQ(objKorven.lastError(), "Hole In The Array");
    EXPECT_EQ(objKorven.GetLayerInfo(1, name, type, show, electrical, physical, artwork), -3);

    EXPECT_EQ(korven.trace(), "GetLayer3(0) -> -14\n"
                              "GetLayerStackup(0) [electrical=0, physical=0, artwork=0]\n"
                              "GetLayer3(1) -> -3\n");
}

TEST_F(WrappersTest, LayerNumbersBeyondSixteenBitsFailWithoutCallingKorven) {
    scriptOneBoard();
    connect();
    std::string name;
    int16_t type = 0, show = 0, electrical = 0, physical = 0, artwork = 0;

    EXPECT_EQ(objKorven.GetLayerInfo(40000, name, type, show, electrical, physical, artwork), -999);

    EXPECT_EQ(objKorven.lastError(), "Overflow");
    EXPECT_EQ(korven.trace(), "");
}

TEST_F(WrappersTest, ResponseIsTurnedOffByTheSameId) {
    scriptOneBoard();
    connect();

    EXPECT_EQ(objKorven.SetResponse(true), 0);
    EXPECT_TRUE(korven.responseOn());
    EXPECT_EQ(objKorven.SetResponse(false), 0);

    EXPECT_FALSE(korven.responseOn());
    EXPECT_EQ(korven.trace(), "TurnOnResponse(\"Quillmark.Response\") -> 0\n"
                              "TurnOffResponseByID(\"Quillmark.Response\") -> 0\n");
}

TEST_F(WrappersTest, CheckThatReachesTheDrcLimitReturnsOne) {
    scriptOneBoard();
    connect();
    objKorven.SetResponse(true);
    objKorven.dfmSetMaxErrorsForTest(2);
    korven.queueDrcs({{.value = "Marginal"}, {.value = "Critical"}, {.value = "Critical"}});

    EXPECT_EQ(objKorven.dfmViaUnderPart(1, 2, "Under"), 1);

    EXPECT_EQ(objKorven.lastError(), "Too Many Errors");
    EXPECT_EQ(window.counted, (std::vector<std::string>{"Marginal", "Critical"}));
}

TEST_F(WrappersTest, DesignSummaryCountsInsertsOfPanelsAndBoards) {
    korven.files = {{.number = 1, .name = "panel.cc", .show = true, .blockType = 8, .geomNum = 20},
                    {.number = 2, .name = "board.cc", .show = true, .blockType = 1, .geomNum = 12}};
    korven.addInsert(20, 6, 101, 12);
    korven.addInsert(20, 6, 102, 12);
    korven.addInsert(20, 7, 103, 40);
    korven.addInsert(12, 3, 201, 30); // two components with 3 and 2 pins
    korven.addInsert(12, 3, 202, 31);
    korven.addInsert(30, 2, 301, 50);
    korven.addInsert(30, 2, 302, 50);
    korven.addInsert(30, 2, 303, 50);
    korven.addInsert(31, 2, 311, 50);
    korven.addInsert(31, 2, 312, 50);
    korven.addInsert(12, 1, 203, 60);
    connect();

    DesignSummary summary = objKorven.designSummary();

    ASSERT_EQ(summary.panels.size(), 1u);
    EXPECT_EQ(summary.panels[0].fileName, "panel.cc");
    EXPECT_EQ(summary.panels[0].boards, 2);
    EXPECT_EQ(summary.panels[0].fiducials, 1);
    ASSERT_EQ(summary.boards.size(), 1u);
    EXPECT_EQ(summary.boards[0].fileName, "board.cc");
    EXPECT_EQ(summary.boards[0].components, 2);
    EXPECT_EQ(summary.boards[0].pins, 5);
    EXPECT_EQ(summary.boards[0].vias, 1);
    EXPECT_EQ(summary.boards[0].fiducials, 0) << "KORVEN found no fiducial inserts";
}

} // namespace
} // namespace lumora::test
