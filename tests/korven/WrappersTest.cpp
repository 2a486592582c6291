#include "tests/korven/KorvenFixture.h"

#include "korven/ErrorMessages.h"
#include "korven/WrapperConversions.h"
#include "script/LocaleService.h"
#include "tests/korven/ExpandedTimeLog.h"

#include <functional>
#include <gtest/gtest.h>

namespace lumora::test {
namespace {

struct WrapperCall {
    const char* name;
    std::function<int16_t(clsKORVEN&)> call;
};

// Every wrapper once, with distinct arguments so that the order KORVEN receives them in shows.
const std::vector<WrapperCall>& everyWrapper() {
    static int16_t geom = 7;
    static int16_t top = 0, bottom = 0, number = 0, type = 0, show = 0, keywordType = 0;
    static int16_t electrical = 0, physical = 0, artwork = 0;
    static bool internal = false;
    static std::string name, in, cc, out;
    static std::vector<int16_t> shorts;
    static std::vector<int32_t> longs;
    static const std::vector<WrapperCall> calls = {
        {"SaveDataFileAs", [](clsKORVEN& k) { return k.SaveDataFileAs("error.cc"); }},
        {"SetResponse", [](clsKORVEN& k) { return k.SetResponse(); }},
        {"GetLayerInfo",
         [](clsKORVEN& k) { return k.GetLayerInfo(3, name, type, show, electrical, physical, artwork); }},
        {"SetLayerCurrentAttrib", [](clsKORVEN& k) { return k.SetLayerCurrentAttrib(3); }},
        {"GetGeometry", [](clsKORVEN& k) { return k.GetGeometry(7, name); }},
        {"GetGeometryArrayByType", [](clsKORVEN& k) { return k.GetGeometryArrayByType(1, shorts); }},
        {"GetDataArrayByInsertType", [](clsKORVEN& k) { return k.GetDataArrayByInsertType(7, 3, longs); }},
        {"GetDataInsert",
         [](clsKORVEN& k) {
             KorvenInsertRecord insert;
             return k.GetDataInsert(7, 11, insert);
         }},
        {"GetFileGeometry", [](clsKORVEN& k) { return k.GetFileGeometry(1, number); }},
        {"SetFileGeometry", [](clsKORVEN& k) { return k.SetFileGeometry(1, 7); }},
        {"SetFileShow", [](clsKORVEN& k) { return k.SetFileShow(1, true); }},
        {"DeleteByLayer", [](clsKORVEN& k) { return k.DeleteByLayer(40, true); }},
        {"DeleteGeometry",
         [](clsKORVEN& k) {
             geom = 7;
             return k.DeleteGeometry(geom);
         }},
        {"GetKeyword", [](clsKORVEN& k) { return k.GetKeyword(2, in, cc, out, keywordType, internal); }},
        {"GetAttribKeywordArray", [](clsKORVEN& k) { return k.GetAttribKeywordArray(shorts); }},
        {"GetAttribValue", [](clsKORVEN& k) { return k.GetAttribValue(2, name); }},
        {"fitPageToImage", [](clsKORVEN& k) { return k.fitPageToImage(); }},
        {"generateSMD", [](clsKORVEN& k) { return k.generateSMD(); }},
        {"generatePinPitch", [](clsKORVEN& k) { return k.generatePinPitch(); }},
        {"dfmClearAllDRCs", [](clsKORVEN& k) { return k.dfmClearAllDRCs(); }},
        {"dfmCreateDFxOutline", [](clsKORVEN& k) { return k.dfmCreateDFxOutline(7, 2, true); }},
        {"Redraw", [](clsKORVEN& k) { return k.Redraw(); }},
        {"dfmFilterGeometry", [](clsKORVEN& k) { return k.dfmFilterGeometry(7, "PIN_PITCH", "0.5", 1); }},
        {"dfmGenerateDFxOutlines", [](clsKORVEN& k) { return k.dfmGenerateDFxOutlines(); }},
        {"dfmGenerateEtchBlockers",
         [](clsKORVEN& k) { return k.dfmGenerateEtchBlockers(0.25, top, bottom); }},
        {"dfmCombinePolies", [](clsKORVEN& k) { return k.dfmCombinePolies(7); }},
        {"dfmCreateFlattenGeometry", [](clsKORVEN& k) { return k.dfmCreateFlattenGeometry(1, number); }},
        {"dfmFlattenLayer", [](clsKORVEN& k) { return k.dfmFlattenLayer(7, 3); }},
        {"dfmFlattenByInserttype", [](clsKORVEN& k) { return k.dfmFlattenByInserttype(7, 3, 2, true); }},
        {"dfmFlattenByGraphicClass", [](clsKORVEN& k) { return k.dfmFlattenByGraphicClass(7, 3, 6, true); }},
        {"dfmFlattenByAttrib",
         [](clsKORVEN& k) { return k.dfmFlattenByAttrib(7, 3, "PKG", "QFP", 2, 5, false, 1); }},
        {"dfmFlattenTestpoints", [](clsKORVEN& k) { return k.dfmFlattenTestpoints(7, 3, true); }},
        {"dfmFlattenGoldFingers", [](clsKORVEN& k) { return k.dfmFlattenGoldFingers(7, 3, "PKG", "EDGE"); }},
        {"dfmDistanceCheck",
         [](clsKORVEN& k) { return k.dfmDistanceCheck(7, 8, 0.5, 0.25, "Alg", 3, true, false, true); }},
        {"dfmDistanceCheckDiffNets",
         [](clsKORVEN& k) {
             return k.dfmDistanceCheckDiffNets(7, 1, 0.5, 0.25, "Alg", 3, "_X", true, false);
         }},
        {"dfmComponentShadow",
         [](clsKORVEN& k) { return k.dfmComponentShadow(9, 9, 9, 9, 0.5, 0.25, 0.125, 1, 2, 3, 4, 5); }},
        {"dfmPanelDimensions", [](clsKORVEN& k) { return k.dfmPanelDimensions(1, 2, 3, 4, 5, "Dim"); }},
        {"dfmAllComponentsClearanceToPanelEdge",
         [](clsKORVEN& k) { return k.dfmAllComponentsClearanceToPanelEdge(7, 0.5, 0.25); }},
        {"dfmFiducialClearanceToPanelEdge",
         [](clsKORVEN& k) { return k.dfmFiducialClearanceToPanelEdge(7, 0.5, 0.25); }},
        {"dfmItemsInCorners",
         [](clsKORVEN& k) { return k.dfmItemsInCorners(7, 0.5, 0.25, 0.125, 1, 3, "Corners", 2); }},
        {"dfmPanelLengthToWidthRatio", [](clsKORVEN& k) { return k.dfmPanelLengthToWidthRatio(1, 1.5); }},
        {"dfmComponentFlushWithEdge",
         [](clsKORVEN& k) { return k.dfmComponentFlushWithEdge(7, 0.5, "Flush"); }},
        {"dfmTestpointsPerNet", [](clsKORVEN& k) { return k.dfmTestpointsPerNet(7, 2, "TPN"); }},
        {"dfmExposedTestpointPadSize",
         [](clsKORVEN& k) { return k.dfmExposedTestpointPadSize(7, 0.5, 0.25, "Pad"); }},
        {"dfmViaUnderPart", [](clsKORVEN& k) { return k.dfmViaUnderPart(7, 8, "Under"); }},
        {"dfmViaHoleSize", [](clsKORVEN& k) { return k.dfmViaHoleSize(1, 0.5, 0.25, 0.125); }},
        {"dfmViaPadSize", [](clsKORVEN& k) { return k.dfmViaPadSize(1, 0.5, 0.25, 0.125, 1, 2); }},
        {"dfmRouteTraceWidthMinimum",
         [](clsKORVEN& k) { return k.dfmRouteTraceWidthMinimum(7, 0.5, 0.25, "GND", "Width"); }},
        {"dfmThruHolePadShapes",
         [](clsKORVEN& k) {
             return k.dfmThruHolePadShapes(1, "Square", "OBLONG pad", "Round rectangle", "star", "Shapes");
         }},
        {"dfmAllowableComponentOrientation",
         [](clsKORVEN& k) { return k.dfmAllowableComponentOrientation(1, true, false, "Orient"); }},
        {"dfmBoardThicknessToDrillDiameter",
         [](clsKORVEN& k) { return k.dfmBoardThicknessToDrillDiameter(1, 8.5, "Drill"); }},
        {"dfmAnnularRing", [](clsKORVEN& k) { return k.dfmAnnularRing(1, 0.5, 0.25, 0.125, 1, "Ring"); }},
        {"dfmGerberThermalBarrelPlugCheck",
         [](clsKORVEN& k) { return k.dfmGerberThermalBarrelPlugCheck(1); }},
        {"dfmTestpadDensityCheck", [](clsKORVEN& k) { return k.dfmTestpadDensityCheck(1, 4, 6, 0.5, true); }},
        {"dfmPin1OrientationCheck",
         [](clsKORVEN& k) { return k.dfmPin1OrientationCheck(1, true, false, true, false, 3); }},
        {"dfmCompsNotAllowed",
         [](clsKORVEN& k) { return k.dfmCompsNotAllowed(1, false, true, "PKG", "BGA"); }},
        {"dfmCompHeight",
         [](clsKORVEN& k) { return k.dfmCompHeight(1, true, true, "HEIGHT", 0.5, 0.25, 0.125, 1); }},
        {"dfmSMDSoldermaskClearance",
         [](clsKORVEN& k) { return k.dfmSMDSoldermaskClearance(7, 8, 0.5, 0.25, "Mask"); }},
        {"dfmProcessSolderMask", [](clsKORVEN& k) { return k.dfmProcessSolderMask(7, 8); }},
        {"dfmSetMaxErrorsForTest", [](clsKORVEN& k) { return k.dfmSetMaxErrorsForTest(25); }},
    };
    return calls;
}

class WrappersTest : public KorvenFixture {};

TEST_F(WrappersTest, EveryWrapperWithoutAConnectionGivesNoConnection) {
    for (const WrapperCall& wrapper : everyWrapper()) {
        EXPECT_EQ(wrapper.call(objKorven), -999) << wrapper.name;
        EXPECT_EQ(objKorven.lastError(), "No connection to KORVEN") << wrapper.name;
    }
    EXPECT_EQ(korven.trace(), "");
}

TEST_F(WrappersTest, EveryWrapperCallsKorvenWithConvertedArgumentsInItsOrder) {
    scriptOneBoard();
    korven.pageUnits = "Mils";
    connect(0);

    for (const WrapperCall& wrapper : everyWrapper()) {
        wrapper.call(objKorven);
    }

    EXPECT_EQ(korven.trace(),
              "SaveDataFileAs(\"error.cc\") -> 0\n"
              "TurnOnResponse(\"Quillmark.Response\") -> 0\n"
              "GetLayer3(3) -> -8\n"
              "SetLayerCurrentAttrib(3) -> -8\n"
              "GetGeometry(7) -> -3\n"
              "GetGeometryArrayByType(1) -> 0 [geoms=[12]]\n"
              "GetDataArrayByInsertType(7, 3) -> -9\n"
              "GetDataInsert(7, 11) -> -3\n"
              "GetFile2(1) -> 0 [name=\"board.cc\", show=1, type=1, geom=12]\n"
              "SetFileGeometry(1, 7) -> 0\n"
              "SetFileShow(1, 1) -> 0\n"
              "DeleteByLayer(40, 1) -> 0\n"
              "DeleteGeometry(7) -> 0\n"
              "GetKeyword(2) -> -8\n"
              "GetAttribKeywordArray() -> -5\n"
              "GetAttribValue(2) -> -3\n"
              "IssueCommand(33309) -> 0\n"
              "IssueCommand(33201) -> 0\n"
              "IssueCommand(601) -> 0\n"
              "ClearAllDRCs() -> 0\n"
              "dfmCreateDFxOutline(7, 2, 1) -> 0\n"
              "Redraw() -> 0\n"
              "FilterGeometry(7, \"PIN_PITCH\", \"500\", 1) -> 0\n"
              "GenerateDFxOutlines() -> 0\n"
              "GenerateEtchBlockers(250) -> 0 [top=0, bottom=0]\n"
              "CombinePolies(7) -> 0\n"
              "createFlattenGeometry(1) -> 0 [geom=100]\n"
              "Flatten(7, 3, 0) -> 0\n"
              "flattenByInsertType(7, 3, 2, 1, 3) -> 0\n"
              "flattenByGraphicClass(7, 3, 6, 1) -> 0\n"
              "FlattenByAttrib(7, 3, \"PKG\", \"QFP\", 5, 2, 0, 1) -> 0\n"
              "FlattenByAttrib(7, 3, \"TEST\", \"\", 5, -1, 1, 3) -> 0\n"
              "FlattenByAttrib(7, 3, \"PKG\", \"EDGE\", 0, 3, 0, 3) -> 0\n"
              "DistanceCheck2(7, 8, 500, 250, \"Alg\", 3, 1, 0, 1, 0) -> 0\n"
              "DistanceCheckDiffNets(7, 500, 250, \"Alg\", 3, 0) -> 0\n"
              "ComponentShadow([], 500, 250, 125, 1000, 2000, 3000, 4000, 5000) -> 0\n"
              "PanelDimensions(1, 2000, 3000, 4000, 5000, \"Dim\") -> 0\n"
              "ClearanceToPanelEdge(7, 500, 250, \"All Components Clearance To Panel Edges\") -> 0\n"
              "ClearanceToPanelEdge(7, 500, 250, \"Fiducial Clearance To Panel Edge\") -> 0\n"
              "ItemsInCorners(7, 500, 250, 125, 1000, 3, \"Corners\", 2) -> 0\n"
              "PanelLengthToWidthRatio(1, 1.5, \"Length_To_Width_Ratio\") -> 0\n"
              "ComponentFlushWithOutline(7, 500, \"Flush\") -> 0\n"
              "TestpointsPerNet(7, 2, \"TPN\") -> 0\n"
              "ExposedTestpointPadSize(7, 500, 250, \"Pad\") -> 0\n"
              "ViaUnderPart(7, 8, \"Under\") -> 0\n"
              "ViaHoleSize(1, 500, 250, 125, \"Via Hole Size\") -> 0\n"
              "ViaPadSize(1, 500, 250, 125, 1000, 2000, \"Via Pad Size\") -> 0\n"
              "RouteTraceWidthMinimum(7, 500, 250, \"GND\", \"Width\") -> 0\n"
              "ThruHolePadShapes(1, 2, 9, 1, 0, \"Shapes\") -> 0\n"
              "AllowableComponentOrientation(1, 1, 0, \"Orient\") -> 0\n"
              "BoardThicknessToDrillDiameter(1, 8.5, \"Drill\") -> 0\n"
              "AnnularRing(1, 500, 250, 125, 1000, \"Ring\") -> 0\n"
              "GerberThermalBarrelPlugCheck(1) -> 0\n"
              "TestPadDensityCheck(1, 4, 6, 500, 1) -> 0\n"
              "Pin1Orientation(1, 1, 0, 1, 0, 3) -> 0\n"
              "ComponentNotAllowedPerSurface(1, 0, 1, \"PKG\", \"BGA\") -> 0\n"
              "ComponentHeight(1, 1, 1, \"HEIGHT\", 500, 250, 125, 1000) -> 0\n"
              "SMDSoldermaskClearance(7, 8, 500, 250, \"Mask\") -> 0\n"
              "ProcessSolderMask(7, 8) -> 0\n"
              "maxErrorsPerTest = 25\n");
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

TEST_F(WrappersTest, TimedWrappersAreSubProcessesUnderTheirLabels) {
    scriptOneBoard();
    connect();
    ExpandedTimeLog timeLog(window, objKorven);

    for (const WrapperCall& wrapper : everyWrapper()) {
        wrapper.call(objKorven);
    }

    EXPECT_EQ(timeLog.subProcesses(), (std::vector<std::string>{"Combine Polies",
                                                                "Distance Check",
                                                                "Distance Check Diff Nets",
                                                                "Panel Dimensions",
                                                                "All Component Clearance",
                                                                "Fiducial Clearance",
                                                                "Items In Corners",
                                                                "Panel Length To Width",
                                                                "Component Flush With Edge",
                                                                "Testpoints Per Net",
                                                                "Testpoint Pad Size",
                                                                "Via Under Component",
                                                                "Via Hole Size",
                                                                "Via Pad Size",
                                                                "Etch Width Minimum",
                                                                "Thru-Hole Pad Shape",
                                                                "Component Orientation",
                                                                "Board Thickness To Drill",
                                                                "Annular Ring",
                                                                "Barrel Plug",
                                                                "Testpad Density",
                                                                "Pin 1 Orientation",
                                                                "Components Not Allowed per Surface",
                                                                "Component Height",
                                                                "Soldermask Clearance",
                                                                "Process Soldermask"}));
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
