#include "tests/korven/KorvenFixture.h"

#include "korven/UnitFactors.h"
#include "script/RunnerError.h"
#include "script/clsTestItem.h"

#include <gtest/gtest.h>

namespace lumora::test {
namespace {

class ConnectionTest : public KorvenFixture {};

// The only visible file is a panel holding two inserts of one board whose own file is hidden.
void scriptPanelWithHiddenBoard(RecordingKorven& korven) {
    korven.files = {{.number = 1, .name = "panel.cc", .show = true, .blockType = 8, .geomNum = 20},
                    {.number = 2, .name = "board.cc", .show = false, .blockType = 1, .geomNum = 12}};
    korven.addInsert(20, 6, 101, 12);
    korven.addInsert(20, 6, 102, 12);
}

TEST_F(ConnectionTest, PanelWithTwoInsertsOfAHiddenBoardAddsTheBoardOnce) {
    scriptPanelWithHiddenBoard(korven);

    ASSERT_TRUE(objKorven.openConnection(false, true, 1));

    EXPECT_EQ(objKorven.lastError(), "");
    EXPECT_EQ(objKorven.CurrentDocumentName(), "design.cc");
    EXPECT_EQ(objKorven.Panels_Count(), 1);
    EXPECT_EQ(objKorven.Panel_FileName(0), "panel.cc");
    EXPECT_EQ(objKorven.Panel_Position(0), 1);
    EXPECT_EQ(objKorven.Panel_GeomNum(0), 20);
    EXPECT_TRUE(objKorven.Panel_Visible(0));
    ASSERT_EQ(objKorven.Boards_Count(), 1);
    EXPECT_EQ(objKorven.Boards_Ubound(), 0);
    EXPECT_EQ(objKorven.Board_FileName(0), "board.cc");
    EXPECT_EQ(objKorven.Board_Position(0), 2);
    EXPECT_EQ(objKorven.Board_GeomNum(0), 12);
    EXPECT_FALSE(objKorven.Board_Visible(0));
    EXPECT_EQ(objKorven.Board_sViaGeom_topGeomNum(0), 0);
    EXPECT_TRUE(objKorven.haveTestableBoards());
}

TEST_F(ConnectionTest, VisibleBoardIsNotAddedAgainThroughThePanel) {
    scriptPanelWithHiddenBoard(korven);
    korven.files[1].show = true;

    ASSERT_TRUE(objKorven.openConnection(false, true));

    ASSERT_EQ(objKorven.Boards_Count(), 1);
    EXPECT_TRUE(objKorven.Board_Visible(0));
}

TEST_F(ConnectionTest, FailingInsertQueriesSkipThePanelOrTheInsert) {
    scriptPanelWithHiddenBoard(korven);
    korven.queueCode("GetDataInsert", -3);

    ASSERT_TRUE(objKorven.openConnection(false, true));
    EXPECT_EQ(objKorven.Boards_Count(), 1); // the second insert still finds the board

    korven.queueCode("GetDataArrayByInsertType", -9);
    ASSERT_TRUE(objKorven.openConnection(false, true)) << "the panel alone is shown";
    EXPECT_EQ(objKorven.Boards_Count(), 0);
}

TEST_F(ConnectionTest, ShownFilesOfOtherBlockTypesAreNeitherListedNorCounted) {
    korven.files = {{.number = 4, .name = "drawing.cc", .show = true, .blockType = 3, .geomNum = 7}};

    EXPECT_FALSE(objKorven.openConnection(false, true));

    EXPECT_EQ(objKorven.lastError(), "openConnection {No files showing}");
    EXPECT_EQ(objKorven.Boards_Count(), 0);
    EXPECT_EQ(objKorven.Panels_Count(), 0);
}

TEST_F(ConnectionTest, DocumentWithoutBoardsKeepsOneBlankEntry) {
    korven.files = {{.number = 1, .name = "panel.cc", .show = true, .blockType = 8, .geomNum = 20}};

    ASSERT_TRUE(objKorven.openConnection(false, true));

    EXPECT_EQ(objKorven.Boards_Count(), 0);
    EXPECT_EQ(objKorven.Boards_Lbound(), 0);
    EXPECT_EQ(objKorven.Boards_Ubound(), 0);
    EXPECT_FALSE(objKorven.haveTestableBoards());
    EXPECT_TRUE(objKorven.haveTestablePanels());
    EXPECT_EQ(objKorven.Board_FileName(0), "") << "the blank entry";
    EXPECT_THROW(objKorven.Board_FileName(1), RunnerError);
}

TEST_F(ConnectionTest, ReconnectingRebuildsTheLists) {
    korven.files = {{.number = 1, .name = "a.cc", .show = true, .blockType = 1, .geomNum = 12},
                    {.number = 2, .name = "b.cc", .show = true, .blockType = 1, .geomNum = 13}};
    ASSERT_TRUE(objKorven.openConnection(false, true));
    ASSERT_EQ(objKorven.Boards_Count(), 2);

    korven.files.pop_back();
    ASSERT_TRUE(objKorven.openConnection(false, true));

    EXPECT_EQ(objKorven.Boards_Count(), 1);
    EXPECT_EQ(objKorven.Boards_Ubound(), 0);
    EXPECT_EQ(objKorven.Board_FileName(0), "a.cc");
}

TEST_F(ConnectionTest, ObjectsAreCreatedOnceAndReused) {
    scriptOneBoard();
    ASSERT_TRUE(objKorven.openConnection(false, true));
    korven.clearCalls();

    ASSERT_TRUE(objKorven.openConnection(false, false));

    EXPECT_EQ(korven.trace(), "GetAPIVersion() -> 0 [major=1, minor=48]\n");
}

TEST_F(ConnectionTest, WithoutLoadingFilesOnlyTheObjectsAndTheVersionAreAskedFor) {
    ASSERT_TRUE(objKorven.openConnection(false, false));

    EXPECT_EQ(korven.trace(), "CreateObject(\"KORVEN.Application\")\n"
                              "GetAPIVersion() -> 0 [major=1, minor=48]\n"
                              "CreateObject(\"KORVEN.DFM\")\n");
}

struct Refusal {
    const char* situation;
    void (*script)(RecordingKorven&);
    const char* message;
};

class ConnectionRefusalTest : public KorvenFixture, public ::testing::WithParamInterface<Refusal> {};

TEST_P(ConnectionRefusalTest, FailsWithItsMessage) {
    scriptOneBoard();
    GetParam().script(korven);

    EXPECT_FALSE(objKorven.openConnection(false, true));

    EXPECT_EQ(objKorven.lastError(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Situations, ConnectionRefusalTest,
    ::testing::Values(Refusal{"NotRunning", [](RecordingKorven& k) { k.running = false; },
                              "KORVEN must be running to run any tests."},
                      Refusal{"NoApplication", [](RecordingKorven& k) { k.servesApplication = false; },
                              "openConnection {Could not create application object}"},
                      Refusal{"MinorTooLow", [](RecordingKorven& k) { k.versionMinor = 47; },
                              "openConnection {Incompatible KORVEN Version v1.47}"},
                      // The minor number alone decides too: 2.0 is refused.
                      Refusal{"Version2Point0",
                              [](RecordingKorven& k) {
                                  k.versionMajor = 2;
                                  k.versionMinor = 0;
                              },
                              "openConnection {Incompatible KORVEN Version v2.0}"},
                      Refusal{"MajorZero", [](RecordingKorven& k) { k.versionMajor = 0; },
                              "openConnection {Incompatible KORVEN Version v0.48}"},
                      Refusal{"NoDfm", [](RecordingKorven& k) { k.servesDfm = false; },
                              "openConnection {Could not create DFM object}"},
                      Refusal{"NoDocument", [](RecordingKorven& k) { k.activeDocument = 0; },
                              "openConnection {No data file loaded}"},
                      Refusal{"FileArray", [](RecordingKorven& k) { k.setCode("GetFileArray", -9); },
                              "openConnection {No files loaded (GetFileArray)}"},
                      Refusal{"FileInformation", [](RecordingKorven& k) { k.setCode("GetFile2", -3); },
                              "openConnection {Error Getting file information (GetFile [1])}"},
                      Refusal{"NothingShown", [](RecordingKorven& k) { k.files[0].show = false; },
                              "openConnection {No files showing}"},
                      Refusal{
                          "ServerGone",
                          [](RecordingKorven& k) { k.failOn("GetPageUnits", "The server is not available"); },
                          "openConnection {The server is not available}"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return info.param.situation; });

TEST_F(ConnectionTest, StartingNewSkipsTheRunningCheck) {
    scriptOneBoard();
    korven.running = false;

    EXPECT_TRUE(objKorven.openConnection(true, true)) << objKorven.lastError();
}

TEST_F(ConnectionTest, ObjectsCreatedBeforeARefusalAreKeptForTheNextCall) {
    scriptOneBoard();
    korven.versionMinor = 10;
    ASSERT_FALSE(objKorven.openConnection(false, true));
    korven.versionMinor = 48;
    korven.clearCalls();

    ASSERT_TRUE(objKorven.openConnection(false, false));

    EXPECT_EQ(korven.trace(), "GetAPIVersion() -> 0 [major=1, minor=48]\n"
                              "CreateObject(\"KORVEN.DFM\")\n");
}

TEST_F(ConnectionTest, SuccessClearsAnEarlierMessage) {
    scriptOneBoard();
    korven.activeDocument = 0;
    ASSERT_FALSE(objKorven.openConnection(false, true));
    korven.activeDocument = 1;

    ASSERT_TRUE(objKorven.openConnection(false, true));

    EXPECT_EQ(objKorven.lastError(), "");
}

TEST_F(ConnectionTest, UnknownPageUnitNameKeepsThePreviousCode) {
    scriptOneBoard();
    korven.pageUnits = "mm";
    ASSERT_TRUE(objKorven.openConnection(false, true));

    korven.pageUnits = "MM";
    ASSERT_TRUE(objKorven.openConnection(false, true));

    EXPECT_EQ(objKorven.lngPageUnits(), 2);
}

TEST_F(ConnectionTest, ThresholdsInMilsOnAnInchPageAreThousandths) {
    scriptOneBoard();
    connect(1);

    EXPECT_DOUBLE_EQ(objKorven.toPageUnits(10), 0.01);
    EXPECT_DOUBLE_EQ(objKorven.toPageUnits(250), 0.25);
}

TEST_F(ConnectionTest, MillimetresOnATenNanometrePage) {
    scriptOneBoard();
    korven.pageUnits = "10 nm";
    connect(2);

    EXPECT_DOUBLE_EQ(objKorven.toPageUnits(0.5), 50000);
}

TEST(UnitFactorTable, ConvertsBetweenEveryPairOfUnits) {
    // A length of one inch in each unit.
    const double oneInch[] = {1, 1000, 25.4, 1016, 2540000};
    for (int test = 0; test < 5; ++test) {
        for (int page = 0; page < 5; ++page) {
            EXPECT_NEAR(oneInch[test] * kUnitFactors[test][page], oneInch[page], oneInch[page] * 1e-12)
                << "test unit " << test << ", page unit " << page;
        }
    }
}

TEST_F(ConnectionTest, CloseDeletesTheBoardsSoldermaskGeometriesInItsOrder) {
    korven.files = {{.number = 1, .name = "a.cc", .show = true, .blockType = 1, .geomNum = 12},
                    {.number = 3, .name = "p.cc", .show = true, .blockType = 8, .geomNum = 14}};
    connect();
    clsTestItem features;
    features.strName = "Testpoint Edge To Feature";
    features.dictProperties().store("Include_Soldermask", "Yes");
    clsTestItem pads;
    pads.strName = "Via Edge To Component Pad Edge";
    pads.dictProperties().store("Include_Soldermask", "Yes");
    // Generic 100/101, testpoints 102/103, features 104/105, vias 106/107, pins 108/109.
    objKorven.createSoldermaskGeom(features);
    objKorven.createSoldermaskGeom(pads);
    ASSERT_EQ(objKorven.Board_sPinGeom_botGeomNum(0), 109);
    korven.clearCalls();

    objKorven.closeConnection();

    EXPECT_EQ(korven.trace(), "DeleteGeometry(104) -> 0\n" // features
                              "DeleteGeometry(105) -> 0\n"
                              "DeleteGeometry(108) -> 0\n" // pins
                              "DeleteGeometry(109) -> 0\n"
                              "DeleteGeometry(102) -> 0\n" // testpoints
                              "DeleteGeometry(103) -> 0\n"
                              "DeleteGeometry(106) -> 0\n" // vias
                              "DeleteGeometry(107) -> 0\n"
                              "DeleteGeometry(100) -> 0\n" // generic soldermask
                              "DeleteGeometry(101) -> 0\n");
    EXPECT_EQ(objKorven.Board_sFeatureGeom_topGeomNum(0), 0);
    EXPECT_EQ(objKorven.Board_sTPGeom_botGeomNum(0), 0);
    EXPECT_EQ(objKorven.lastError(), "");
    EXPECT_EQ(objKorven.SetFileShow(1, true), -999) << "the objects are released";
}

TEST_F(ConnectionTest, CloseInDebugModeKeepsTheGeometries) {
    scriptOneBoard();
    connect();
    clsTestItem test;
    test.strName = "Via Under Component";
    test.dictProperties().store("Skip_Masked_Vias", "Yes");
    objKorven.createSoldermaskGeom(test);
    objKorven.useRunSettings({.blnDebugOn = true});
    korven.clearCalls();

    objKorven.closeConnection();

    EXPECT_EQ(korven.trace(), "");
    EXPECT_EQ(objKorven.Board_sViaGeom_topGeomNum(0), 102);
}

} // namespace
} // namespace lumora::test
