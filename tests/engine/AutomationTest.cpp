#include "engine/io/DesignFile.h"
#include "engine/provider/EmbeddedKorven.h"
#include "engine/runtime/WhileWaiting.h"
#include "engine/session/DrcReport.h"
#include "tests/engine/EngineTestDesigns.h"
#include "tests/support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

class RecordingResponse : public ResponseCallback {
  public:
    explicit RecordingResponse(std::vector<std::pair<std::string, std::string>>& calls) : calls_(calls) {}
    void Response(const std::string& keyWord, const std::string& Value) override {
        calls_.emplace_back(keyWord, Value);
    }

  private:
    std::vector<std::pair<std::string, std::string>>& calls_;
};

class AutomationTest : public ::testing::Test {
  protected:
    AutomationRegistry registry;
    EmbeddedKorven korven{tinyBoard(), registry};
    ProviderRegistration registration{registry, korven};
    std::shared_ptr<KorvenApplication> app = registry.create<KorvenApplication>(kApplicationProgId);
    std::shared_ptr<KorvenDfm> dfm = registry.create<KorvenDfm>(kDfmProgId);
    std::vector<std::pair<std::string, std::string>> responses;

    void SetUp() override {
        ASSERT_TRUE(app);
        ASSERT_TRUE(dfm);
        registry.registerResponseClass(std::string(kResponseProgId),
                                       [this] { return std::make_shared<RecordingResponse>(responses); });
    }
};

TEST_F(AutomationTest, ServesBothObjectsOverOneDocument) {
    EXPECT_TRUE(registry.isKorvenRunning());
    EXPECT_EQ(registry.createObject("KORVEN.Viewer"), nullptr);

    int16_t geomNum = 0;
    ASSERT_EQ(dfm->createFlattenGeometry(1, geomNum), rc::Ok);
    std::string name;
    int16_t blockType = 0;
    int16_t count = -1;
    EXPECT_EQ(app->GetGeometry(geomNum, name, blockType, count), rc::Ok);
    EXPECT_EQ(blockType, block_type::Flatten);
    EXPECT_EQ(count, 0);
}

TEST_F(AutomationTest, AnswersTheConnectionQuestions) {
    int16_t major = 0;
    int16_t minor = 0;
    ASSERT_EQ(app->GetAPIVersion(major, minor), rc::Ok);
    EXPECT_EQ(major, 1);
    EXPECT_GE(minor, 48);

    int32_t docId = 0;
    ASSERT_EQ(app->GetActiveDocument(docId), rc::Ok);
    EXPECT_EQ(docId, 1);
    std::string text;
    app->GetDocument(docId, text);
    EXPECT_EQ(text, "tiny");
    app->GetPageUnits(text);
    EXPECT_EQ(text, "Mils");

    std::vector<int32_t> files;
    ASSERT_EQ(app->GetFileArray(files), rc::Ok);
    EXPECT_THAT(files, ElementsAre(1));
    std::string fileName;
    int16_t fileType = 0, mirror = 9, blockType = 0, geomNum = 0;
    bool show = false;
    float x = 1, y = 1, scale = 0, rotation = 1;
    ASSERT_EQ(app->GetFile2(1, fileName, fileType, show, x, y, scale, rotation, mirror, blockType, geomNum),
              rc::Ok);
    EXPECT_EQ(fileName, "tiny.cc");
    EXPECT_TRUE(show);
    EXPECT_EQ(blockType, block_type::Board);
    EXPECT_EQ(geomNum, 10);
    EXPECT_EQ(mirror, 0);
    EXPECT_FLOAT_EQ(scale, 1);
    EXPECT_EQ(app->GetFile2(2, fileName, fileType, show, x, y, scale, rotation, mirror, blockType, geomNum),
              rc::ItemNotFound);

    ASSERT_EQ(app->SetFileShow(1, false), rc::Ok);
    app->GetFile2(1, fileName, fileType, show, x, y, scale, rotation, mirror, blockType, geomNum);
    EXPECT_FALSE(show);
}

TEST_F(AutomationTest, ReadsInsertsByTypeAndPosition) {
    std::vector<int32_t> positions;
    ASSERT_EQ(app->GetDataArrayByInsertType(10, insert_type::Component, positions), rc::Ok);
    EXPECT_THAT(positions, ElementsAre(0, 1, 2));

    int16_t geometry = 0, mirror = 0, type = 0;
    float x = 0, y = 0, scale = 0, rotation = 0;
    std::string ref;
    ASSERT_EQ(app->GetDataInsert(10, 1, geometry, x, y, scale, rotation, mirror, type, ref), rc::Ok);
    EXPECT_EQ(geometry, 3);
    EXPECT_FLOAT_EQ(x, 2000);
    EXPECT_FLOAT_EQ(rotation, 90);
    EXPECT_EQ(mirror, 1);
    EXPECT_EQ(type, insert_type::Component);
    EXPECT_EQ(ref, "R2");
    EXPECT_EQ(app->GetDataInsert(10, 7, geometry, x, y, scale, rotation, mirror, type, ref), rc::WrongType);
    EXPECT_EQ(app->GetDataInsert(10, 11, geometry, x, y, scale, rotation, mirror, type, ref),
              rc::IndexOutOfRange);
    EXPECT_EQ(app->GetDataInsert(10, -1, geometry, x, y, scale, rotation, mirror, type, ref),
              rc::IndexOutOfRange);
    EXPECT_EQ(app->GetDataArrayByInsertType(99, 6, positions), rc::ItemNotFound);
    EXPECT_TRUE(positions.empty());

    std::vector<int16_t> padstacks;
    ASSERT_EQ(app->GetGeometryArrayByType(block_type::Padstack, padstacks), rc::Ok);
    EXPECT_THAT(padstacks, ElementsAre(1, 2, 5, 6));
}

TEST_F(AutomationTest, WalksLayersAsTheRunnerDoes) {
    std::vector<int16_t> codes;
    std::vector<std::string> names;
    for (int16_t n = 0; n < 20; ++n) {
        std::string name, description;
        int16_t type = 0, show = 0, color = 0, fill = 0, line = 0, width = 0, pen = 0;
        const int16_t code = app->GetLayer3(n, name, type, show, color, description, fill, line, width, pen);
        codes.push_back(code);
        if (code == rc::IndexOutOfRange) {
            break;
        }
        names.push_back(name);
    }
    EXPECT_EQ(codes.front(), rc::HoleInArray);
    EXPECT_EQ(codes.size(), 14u);
    EXPECT_EQ(names[1], "TOP");
    int16_t electrical = 0, physical = 0, artwork = 0;
    app->GetLayerStackup(2, electrical, physical, artwork);
    EXPECT_EQ(electrical, 2);
    EXPECT_EQ(physical, 2);
}

TEST_F(AutomationTest, LayerAttributesThroughTheKeywordTable) {
    std::vector<int16_t> keywords;
    EXPECT_EQ(app->GetAttribKeywordArray(keywords), rc::NothingSelected);
    ASSERT_EQ(dfm->GenerateDFxOutlines(), rc::Ok);

    ASSERT_EQ(app->SetLayerCurrentAttrib(1), rc::Ok);
    EXPECT_EQ(app->GetAttribKeywordArray(keywords), rc::NoAttributes);

    const int16_t outlineLayer = korven.session().design().findLayer("DFX_PIN_EXTENTS_TOP")->number;
    ASSERT_EQ(app->SetLayerCurrentAttrib(outlineLayer), rc::Ok);
    ASSERT_EQ(app->GetAttribKeywordArray(keywords), rc::Ok);
    ASSERT_EQ(keywords.size(), 1u);
    std::string in, cc, out, value;
    int16_t type = 0;
    bool internal = true;
    ASSERT_EQ(app->GetKeyword(keywords[0], in, cc, out, type, internal), rc::Ok);
    EXPECT_EQ(cc, "DFX_OUTLINE_TYPE");
    EXPECT_FALSE(internal);
    ASSERT_EQ(app->GetAttribValue(keywords[0], value), rc::Ok);
    EXPECT_EQ(value, "Pin Extents Top");

    EXPECT_EQ(app->GetKeyword(500, in, cc, out, type, internal), rc::IndexOutOfRange);
    EXPECT_EQ(app->GetAttribValue(0, value), rc::ItemNotFound) << "PACKAGE_FAMILY is not on the layer";
    EXPECT_EQ(app->SetLayerCurrentAttrib(0), rc::HoleInArray);
    EXPECT_EQ(app->SetLayerCurrentAttrib(300), rc::IndexOutOfRange);
}

TEST_F(AutomationTest, CommandsPrepareThePinData) {
    EXPECT_EQ(app->IssueCommand(33309), rc::Ok);
    ASSERT_EQ(app->IssueCommand(33201), rc::Ok);
    ASSERT_EQ(app->IssueCommand(601), rc::Ok);
    EXPECT_EQ(app->IssueCommand(33200), rc::ValueOutOfRange);

    const auto& r1 = std::get<Insert>(korven.session().design().geometry(10).data[0]);
    EXPECT_EQ(*r1.attributes.find("PIN_PITCH"), "100");
    EXPECT_TRUE(r1.attributes.has("SMD"));
}

TEST_F(AutomationTest, FlattensFiltersAndRestoresThroughTheDfmObject) {
    int16_t pins = 0;
    ASSERT_EQ(dfm->createFlattenGeometry(1, pins), rc::Ok);
    ASSERT_EQ(dfm->FlattenByAttrib(pins, 3, "PACKAGE_FAMILY", "R0603", 0, insert_type::Pin, 0, 3), rc::Ok);
    ASSERT_EQ(dfm->flattenByInsertType(pins, 4, insert_type::Pin, 0, 2), rc::Ok);
    EXPECT_THAT(originsOf(korven.session().design(), pins), ElementsAre("R1/1", "R1/2", "R2/1", "R2/2"));
    ASSERT_EQ(dfm->FilterGeometry(pins, "NETNAME", "GND", 0), rc::Ok);
    EXPECT_THAT(originsOf(korven.session().design(), pins), ElementsAre("R1/1", "R2/1"));
    EXPECT_EQ(dfm->FilterGeometry(pins, "NETNAME", "GND", 7), rc::ValueOutOfRange);
    EXPECT_EQ(dfm->FlattenByAttrib(pins, 3, "COMPHEIGHT", "high", 1, 3, 0, 3), rc::WrongType);
    EXPECT_EQ(dfm->Flatten(pins, 99, false), rc::IndexOutOfRange);
    EXPECT_EQ(dfm->flattenByGraphicClass(77, -1, 16, 0), rc::ItemNotFound);

    ASSERT_EQ(app->SetFileGeometry(1, pins), rc::Ok);
    int16_t blockType = 0, geomNum = 0, fileType = 0, mirror = 0;
    std::string name;
    bool show = false;
    float x = 0, y = 0, scale = 0, rotation = 0;
    app->GetFile2(1, name, fileType, show, x, y, scale, rotation, mirror, blockType, geomNum);
    EXPECT_EQ(geomNum, pins);
    ASSERT_EQ(app->DeleteGeometry(pins), rc::Ok);
    app->GetFile2(1, name, fileType, show, x, y, scale, rotation, mirror, blockType, geomNum);
    EXPECT_EQ(geomNum, 10);
    EXPECT_EQ(app->DeleteGeometry(pins), rc::ItemNotFound);
}

// Flatten calls keep what they read of the board's own block, and what they made of it, between
// them; any other call may change the block, and the next flatten reads it afresh.
TEST_F(AutomationTest, AFlattenAfterTheBoardChangedSeesTheChange) {
    auto flattenedCount = [&](int16_t layer, bool topLevelOnly = true) {
        int16_t geomNum = 0;
        EXPECT_EQ(dfm->createFlattenGeometry(1, geomNum), rc::Ok);
        EXPECT_EQ(dfm->Flatten(geomNum, layer, topLevelOnly), rc::Ok);
        std::string name;
        int16_t blockType = 0;
        int16_t count = -1;
        app->GetGeometry(geomNum, name, blockType, count);
        return count;
    };
    EXPECT_EQ(flattenedCount(-1), 4) << "three traces and the outline";
    int16_t top = 0, bottom = 0;
    ASSERT_EQ(dfm->GenerateEtchBlockers(100, top, bottom), rc::Ok);
    EXPECT_GT(flattenedCount(top, false), 0) << "the blockers added to the board's components";
    ASSERT_EQ(app->DeleteByLayer(layerNamed(korven.session().design(), "TOP"), false), rc::Ok);
    EXPECT_EQ(flattenedCount(layerNamed(korven.session().design(), "BOTTOM")), 1);
    EXPECT_EQ(flattenedCount(-1), 2) << "the first selection again, without the traces on TOP";
}

TEST_F(AutomationTest, EtchBlockerLayersGoAgainWithDeleteByLayer) {
    int16_t top = 0, bottom = 0;
    ASSERT_EQ(dfm->GenerateEtchBlockers(100, top, bottom), rc::Ok);
    EXPECT_EQ(top, 13);
    EXPECT_EQ(bottom, 14);
    ASSERT_EQ(app->DeleteByLayer(top, true), rc::Ok);
    ASSERT_EQ(app->DeleteByLayer(bottom, true), rc::Ok);
    std::string name, description;
    int16_t type = 0, show = 0, color = 0, fill = 0, line = 0, width = 0, pen = 0;
    EXPECT_EQ(app->GetLayer3(13, name, type, show, color, description, fill, line, width, pen),
              rc::IndexOutOfRange);
}

TEST_F(AutomationTest, DrcsReachTheRegisteredResponseSynchronouslyUntilTurnedOff) {
    EXPECT_EQ(app->TurnOnResponse("Other.Response"), rc::ItemNotFound);
    ASSERT_EQ(app->TurnOnResponse(std::string(kResponseProgId)), rc::Ok);
    const Finding marginal{
        .check = "Etch Width - Top", .severity = Severity::Marginal, .file = 1, .at = {10, 20}};
    reportFindings(korven.session(), {marginal});
    EXPECT_THAT(responses, ElementsAre(Pair("DRC Added", "Marginal")));

    ASSERT_EQ(app->TurnOffResponseByID(std::string(kResponseProgId)), rc::Ok);
    Finding critical = marginal;
    critical.severity = Severity::Critical;
    reportFindings(korven.session(), {critical});
    EXPECT_EQ(responses.size(), 1u);
    EXPECT_EQ(app->TurnOffResponseByID(std::string(kResponseProgId)), rc::ItemNotFound);

    const auto& drcs = korven.session().design().drcs;
    ASSERT_EQ(drcs.size(), 2u);
    EXPECT_EQ(drcs[1].check, "Etch Width - Top");
    EXPECT_EQ(drcs[1].severity, "Critical");
    ASSERT_EQ(app->ClearAllDRCs(), rc::Ok);
    EXPECT_TRUE(korven.session().design().drcs.empty());
}

// With a front end's while-waiting hook set, a check runs beside the caller's thread, yet its markers
// reach the response on the caller's thread, the only one a window may be touched from.
TEST_F(AutomationTest, ACheckAnnouncesItsMarkersOnTheCallersThreadWhileTheHookIsSet) {
    struct ThreadOfEachDrc : ResponseCallback {
        std::vector<std::thread::id>& threads;
        explicit ThreadOfEachDrc(std::vector<std::thread::id>& seen) : threads(seen) {}
        void Response(const std::string&, const std::string&) override {
            threads.push_back(std::this_thread::get_id());
        }
    };
    std::vector<std::thread::id> threads;
    registry.registerResponseClass(std::string(kResponseProgId),
                                   [&] { return std::make_shared<ThreadOfEachDrc>(threads); });
    ASSERT_EQ(app->TurnOnResponse(std::string(kResponseProgId)), rc::Ok);
    setWhileWaiting([] {});

    const int16_t code = dfm->Check(ViaHoleSizeArgs{.filePos = 1, .minSize = 1000, .maxSize = 2000});
    setWhileWaiting(nullptr);

    EXPECT_EQ(code, rc::Ok);
    ASSERT_EQ(threads.size(), 2u) << "both vias' holes are below the minimum";
    EXPECT_THAT(threads, ::testing::Each(std::this_thread::get_id()));
}

TEST_F(AutomationTest, SavesTheDocumentAsItIsNow) {
    int16_t geomNum = 0;
    dfm->createFlattenGeometry(1, geomNum);
    dfm->Flatten(geomNum, 1, false);
    lumora::test::TempDir folder;
    const std::string path = (folder.path() / "error.cc").string();

    ASSERT_EQ(app->SaveDataFileAs(path), rc::Ok);
    EXPECT_EQ(loadDesign(path), korven.session().design());
    EXPECT_EQ(app->SaveDataFileAs((folder.path() / "none" / "x.cc").string()), rc::GeneralError);
}

TEST_F(AutomationTest, AfterKorvenExitsEveryCallFails) {
    korven.exit();
    EXPECT_FALSE(registry.isKorvenRunning());
    EXPECT_EQ(registry.createObject(kApplicationProgId), nullptr);
    int16_t major = 0, minor = 0;
    EXPECT_THROW(app->GetAPIVersion(major, minor), AutomationError);
    EXPECT_THROW(dfm->GenerateDFxOutlines(), AutomationError);
    std::string units;
    EXPECT_THROW(app->GetPageUnits(units), AutomationError);
}

TEST(AutomationWithoutDocumentTest, ReportsNoActiveDocument) {
    AutomationRegistry registry;
    EmbeddedKorven korven(registry);
    ProviderRegistration registration(registry, korven);
    auto app = registry.create<KorvenApplication>(kApplicationProgId);
    auto dfm = registry.create<KorvenDfm>(kDfmProgId);

    int32_t docId = 5;
    EXPECT_EQ(app->GetActiveDocument(docId), rc::NoActiveDocument);
    EXPECT_EQ(docId, 0);
    std::vector<int32_t> files{4};
    EXPECT_EQ(app->GetFileArray(files), rc::NoActiveDocument);
    EXPECT_TRUE(files.empty());
    std::string units = "x";
    app->GetPageUnits(units);
    EXPECT_EQ(units, "");
    EXPECT_EQ(dfm->GenerateDFxOutlines(), rc::NoActiveDocument);
    int16_t major = 0, minor = 0;
    EXPECT_EQ(app->GetAPIVersion(major, minor), rc::Ok);
}

TEST(AutomationFromFileTest, OpensADesignFileOrSaysWhyNot) {
    lumora::test::TempDir folder;
    const auto good = folder.write("tiny.json", kTinyBoard);
    AutomationRegistry registry;
    auto korven = EmbeddedKorven::open(good, registry);
    EXPECT_EQ(korven->session().design().name, "tiny");

    const auto bad = folder.write("bad.json", std::string(kTinyBoard).substr(0, 300));
    EXPECT_THROW(EmbeddedKorven::open(bad, registry), DesignFormatError);
}

} // namespace
} // namespace lumora::engine::test
