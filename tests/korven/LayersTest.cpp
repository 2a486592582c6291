#include "tests/korven/KorvenFixture.h"

#include "log/clsLogFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace lumora::test {
namespace {

class LayersTest : public KorvenFixture {
  protected:
    LayersTest() {
        scriptOneBoard();
        connect();
    }

    // The slots of the layer list: "number:name", "unused" for a hole, "empty" without a layer.
    static std::string slots() {
        std::string text;
        for (const auto& slot : layerList().arrLayers) {
            if (!slot) {
                text += "empty;";
            } else if (!slot->blnUsed()) {
                text += "unused;";
            } else {
                text += std::to_string(slot->lngNumber) + ":" + slot->strName + ";";
            }
        }
        return text;
    }
};

TEST_F(LayersTest, HolesKeepTheirSlotsSoThatSlotNIsLayerN) {
    korven.layers = {{.name = "TOP", .type = 1, .electrical = 1, .physical = 1, .artwork = 1},
                     {.code = -14},
                     {.name = "BOTTOM", .type = 2, .electrical = 2, .physical = 3, .artwork = 2}};

    ASSERT_EQ(objKorven.loadLayers(), 0);

    EXPECT_EQ(korven.trace(), "GetLayer3(0) -> 0 [name=\"TOP\", type=1, show=1]\n"
                              "GetLayerStackup(0) [electrical=1, physical=1, artwork=1]\n"
                              "SetLayerCurrentAttrib(0) -> 0\n"
                              "GetAttribKeywordArray() -> -5\n"
                              "GetLayer3(1) -> -14\n"
                              "GetLayerStackup(1) [electrical=0, physical=0, artwork=0]\n"
                              "GetLayer3(2) -> 0 [name=\"BOTTOM\", type=2, show=1]\n"
                              "GetLayerStackup(2) [electrical=2, physical=3, artwork=2]\n"
                              "SetLayerCurrentAttrib(2) -> 0\n"
                              "GetAttribKeywordArray() -> -5\n"
                              "GetLayer3(3) -> -8\n");
    EXPECT_EQ(slots(), "0:TOP;unused;2:BOTTOM;");
    EXPECT_EQ(layerList().lngLayerCount, 4);
    const clsCCLayer& bottom = *layerList().arrLayers[2];
    EXPECT_EQ(bottom.lngType, 2);
    EXPECT_EQ(bottom.intShow, 1);
    EXPECT_EQ(bottom.lngElectrical, 2);
    EXPECT_EQ(bottom.lngPhysical, 3);
    EXPECT_EQ(bottom.lngArtwork, 2);
    EXPECT_EQ(objKorven.getMaxElectricalStackup(), 2);
}

TEST_F(LayersTest, NoLayerAtAllStillEndsNormally) {
    ASSERT_EQ(objKorven.loadLayers(), 0);

    EXPECT_EQ(korven.trace(), "GetLayer3(0) -> -8\n");
    EXPECT_EQ(slots(), "empty;");
    EXPECT_EQ(layerList().lngLayerCount, 1);
    EXPECT_EQ(objKorven.getMaxElectricalStackup(), 0);
}

TEST_F(LayersTest, OneLayerCountsTwoPasses) {
    korven.layers = {{.name = "INNER", .type = 3, .electrical = 3}};

    ASSERT_EQ(objKorven.loadLayers(), 0);

    EXPECT_EQ(layerList().lngLayerCount, 2);
    EXPECT_EQ(slots(), "0:INNER;");
    EXPECT_EQ(objKorven.getMaxElectricalStackup(), 3);
}

TEST_F(LayersTest, AttributesAreKeptUnderTheDocumentsKeywordNames) {
    korven.layers = {{.name = "OUTLINE", .attributes = {{"DFX_OUTLINE_TYPE", "Board"}, {"SIDE", "Top"}}}};

    ASSERT_EQ(objKorven.loadLayers(), 0);

    EXPECT_EQ(korven.trace(), "GetLayer3(0) -> 0 [name=\"OUTLINE\", type=0, show=1]\n"
                              "GetLayerStackup(0) [electrical=0, physical=0, artwork=0]\n"
                              "SetLayerCurrentAttrib(0) -> 0\n"
                              "GetAttribKeywordArray() -> 0 [keywords=[1,2]]\n"
                              "GetKeyword(1) -> 0 [cc=\"DFX_OUTLINE_TYPE\"]\n"
                              "GetAttribValue(1) -> 0 [value=\"Board\"]\n"
                              "GetKeyword(2) -> 0 [cc=\"SIDE\"]\n"
                              "GetAttribValue(2) -> 0 [value=\"Top\"]\n"
                              "GetLayer3(1) -> -8\n");
    TextDictionary& attributes = layerList().arrLayers[0]->dictAttribs;
    EXPECT_EQ(attributes.count(), 2u);
    EXPECT_EQ(attributes.item("DFX_OUTLINE_TYPE"), "Board");
    EXPECT_EQ(attributes.item("SIDE"), "Top");
}

TEST_F(LayersTest, IndexOutOfRangeFromTheAttributeCallsEndsTheLoopAfterThatLayer) {
    korven.layers = {{.name = "TOP"}, {.name = "BOTTOM"}};
    korven.queueCode("SetLayerCurrentAttrib", -8);

    ASSERT_EQ(objKorven.loadLayers(), 0);

    EXPECT_EQ(slots(), "0:TOP;");
    EXPECT_EQ(layerList().lngLayerCount, 1);
}

TEST_F(LayersTest, OtherAttributeErrorsOnlyLeaveTheLayerWithoutAttributes) {
    korven.layers = {{.name = "TOP", .attributes = {{"SIDE", "Top"}}}, {.name = "BOTTOM"}};
    korven.queueCode("SetLayerCurrentAttrib", -3);

    ASSERT_EQ(objKorven.loadLayers(), 0);

    EXPECT_EQ(slots(), "0:TOP;1:BOTTOM;");
    EXPECT_EQ(layerList().arrLayers[0]->dictAttribs.count(), 0u);
}

TEST_F(LayersTest, ReloadingStartsFromAnEmptyList) {
    korven.layers = {{.name = "A"}, {.name = "B"}, {.name = "C"}};
    ASSERT_EQ(objKorven.loadLayers(), 0);
    korven.layers.resize(1);

    ASSERT_EQ(objKorven.loadLayers(), 0);

    EXPECT_EQ(slots(), "0:A;");
    EXPECT_EQ(layerList().lngLayerCount, 2);
}

class LayerFailureTest : public LayersTest {
  protected:
    LayerFailureTest() : runLog(folder.path()) {
        runLog.beginLog(true);
        window.log = &runLog;
    }

    std::string runLogText() {
        runLog.endLog();
        return folder.read("runner.log");
    }

    TempDir folder;
    clsLogFile runLog;
};

TEST_F(LayerFailureTest, ErrorCodeEmptiesTheListAndIsWrittenToTheRunLog) {
    korven.layers = {{.name = "TOP"}, {.code = -3}, {.name = "BOTTOM"}};

    EXPECT_EQ(objKorven.loadLayers(), -999);

    EXPECT_EQ(slots(), "empty;");
    EXPECT_EQ(layerList().lngLayerCount, 0);
    EXPECT_NE(runLogText().find(
                  "\r\nERROR: Occured While Accessing GetLayers.\r\n\tGetLayerInfo {Item Not Found}\r\n"),
              std::string::npos);
}

TEST_F(LayerFailureTest, BrokenCallIsReportedWithItsDescription) {
    korven.layers = {{.name = "TOP"}};
    korven.failOn("GetLayer3", "Call was rejected by callee.");

    EXPECT_EQ(objKorven.loadLayers(), -999);

    EXPECT_NE(runLogText().find("\tGetLayerInfo {Call was rejected by callee.}\r\n"), std::string::npos);
}

TEST_F(LayersTest, WithoutAConnectionTheFailureNamesIt) {
    objKorven.closeConnection();

    EXPECT_EQ(objKorven.loadLayers(), -999);
    EXPECT_EQ(objKorven.getMaxElectricalStackup(), 0);
}

} // namespace
} // namespace lumora::test
