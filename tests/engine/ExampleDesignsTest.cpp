#include "engine/tools/ExampleDesigns.h"
#include "engine/io/DesignFile.h"
#include "engine/io/FileText.h"
#include "engine/ops/Flatten.h"
#include "engine/provider/EmbeddedKorven.h"
#include "tests/engine/EngineTestDesigns.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

const std::filesystem::path kExamples = std::filesystem::path(LUMORA_SOURCE_DIR) / "examples" / "designs";

TEST(ExampleDesignsTest, CommittedFilesAreWhatTheGeneratorWrites) {
    for (const ExampleDesign& example : exampleDesigns()) {
        EXPECT_EQ(readFileText(kExamples / example.fileName), serializeDesign(example.design))
            << example.fileName << " is stale: run korven-example-designs examples/designs";
    }
}

// The examples as the runner meets them: KORVEN running with the document loaded, DFx outlines,
// pin pitches and SMD data generated.
class ExampleBoardTest : public ::testing::Test {
  protected:
    AutomationRegistry registry;
    std::unique_ptr<EmbeddedKorven> korven = EmbeddedKorven::open(kExamples / "single-board.json", registry);
    ProviderRegistration registration{registry, *korven};
    std::shared_ptr<KorvenApplication> app = registry.create<KorvenApplication>(kApplicationProgId);
    std::shared_ptr<KorvenDfm> dfm = registry.create<KorvenDfm>(kDfmProgId);
    Design& design = korven->session().design();

    void SetUp() override {
        ASSERT_EQ(dfm->GenerateDFxOutlines(), rc::Ok);
        ASSERT_EQ(app->IssueCommand(601), rc::Ok);
        ASSERT_EQ(app->IssueCommand(33201), rc::Ok);
    }

    int16_t layer(const std::string& name) const { return layerNamed(design, name); }
    int16_t dfxLayer(std::string_view type) const {
        return design.findLayerByAttribute("DFX_OUTLINE_TYPE", type)->number;
    }

    // What a flatten call copies into a new geometry.
    template <class Call> std::vector<Graphic> flattened(Call call) {
        int16_t geomNum = 0;
        EXPECT_EQ(dfm->createFlattenGeometry(1, geomNum), rc::Ok);
        EXPECT_EQ(call(geomNum), rc::Ok);
        return graphicsOf(design, geomNum);
    }
    // The components (or other top-level inserts) it takes, once each.
    template <class Call> std::set<std::string> taken(Call call) {
        std::set<std::string> names;
        for (const Graphic& graphic : flattened(call)) {
            names.insert(graphic.origin->component.str());
        }
        return names;
    }
    std::set<std::string> byInsertType(int16_t insertType, const std::vector<std::string>& layers,
                                       bool pointOnly = false) {
        return taken([&](int16_t g) {
            int16_t code = rc::Ok;
            for (const std::string& name : layers) {
                code = std::min<int16_t>(code,
                                         dfm->flattenByInsertType(g, layer(name), insertType, pointOnly, 3));
            }
            return code;
        });
    }
};

TEST_F(ExampleBoardTest, HasEveryKindOfPlacedItem) {
    EXPECT_THAT(byInsertType(insert_type::Fiducial, {"PAD_TOP"}, true), ElementsAre("FID1", "FID2", "FID3"));
    EXPECT_THAT(byInsertType(insert_type::Fiducial, {"PAD_BOTTOM"}, true), ElementsAre("FID4"));
    EXPECT_THAT(byInsertType(insert_type::ToolingHole, {"DRILL_NPTH"}), ElementsAre("T1", "T2"));
    EXPECT_THAT(byInsertType(insert_type::FreePad, {"PAD_TOP"}), ElementsAre("MTG1"));
    EXPECT_THAT(byInsertType(insert_type::Unclassified, {"TOP"}), ElementsAre("LOGO1"));
    EXPECT_EQ(flattened([&](int16_t g) {
                  return dfm->flattenByInsertType(g, layer("PAD_TOP"), insert_type::Via, 1, 3);
              }).size(),
              16u)
        << "vias have no reference names, so count their points";
    EXPECT_THAT(taken([&](int16_t g) {
                    return dfm->FlattenByAttrib(g, layer("PAD_BOTTOM"), "TEST", "", 5, -1, 0, 3);
                }),
                ElementsAre("", "TP1", "TP2", "TP3", "TP4"))
        << "four testpoints and a testpoint via";
}

TEST_F(ExampleBoardTest, OutlinesOfBothSurfacesAndTheirAttributes) {
    auto outlines = [&](std::string_view type, const std::string& keyword, const std::string& value,
                        int32_t comparison, int16_t insertType = insert_type::Component) {
        return taken([&](int16_t g) {
            return dfm->FlattenByAttrib(g, dfxLayer(type), keyword, value, comparison, insertType, 0, 3);
        });
    };
    EXPECT_THAT(outlines("Comp Body Bottom", "", "", 0), ElementsAre("C2", "R5", "U3"));
    EXPECT_THAT(outlines("Comp Body Top", "COMPHEIGHT", "0.3", 1), ElementsAre("J2", "J3"))
        << "a unit-double's comparison value is in inches";
    EXPECT_THAT(outlines("Comp Body Top", "ALLOW_VIA_UNDER_PART", "", 5), ElementsAre("U2"));
    EXPECT_THAT(outlines("Comp Body Top", "SMD", "", 6), ElementsAre("J1", "J2", "J3"))
        << "gold fingers are SMD";
    EXPECT_THAT(outlines("Pin Extents Top", "PACKAGE_FAMILY", "GOLDFINGER", 0), ElementsAre("P1"));
    EXPECT_THAT(outlines("Pin Extents Bottom", "PACKAGE_FAMILY", "GOLDFINGER", 0), ElementsAre("P1"));
    EXPECT_THAT(outlines("Tooling Keepout Top", "", "", 0), ElementsAre("U2"));
    EXPECT_THAT(outlines("Pin/Body Extents Bottom", "SMD", "", 6), ElementsAre("J1", "J2", "J3"));
}

TEST_F(ExampleBoardTest, RealPartBodiesByPackageFamily) {
    auto bodies = [&](const std::string& layerName, int16_t insertType, const std::string& family) {
        return taken([&](int16_t g) {
            return dfm->FlattenByAttrib(g, layer(layerName), "RealPart_PackageFamily", family, 0, insertType,
                                        0, 3);
        });
    };
    EXPECT_THAT(bodies("Package Body Top", insert_type::RealPartTop, "SOIC8"), ElementsAre("U1"));
    EXPECT_THAT(bodies("Package Body Top", insert_type::RealPartTop, "QFP32"), ElementsAre("U2"));
    EXPECT_THAT(bodies("Package Body Bottom", insert_type::RealPartBottom, "SOIC8"), ElementsAre("U3"));
}

TEST_F(ExampleBoardTest, FinePitchPinsFeaturesAndCopperOfEveryStackup) {
    EXPECT_THAT(taken([&](int16_t g) {
                    dfm->FlattenByAttrib(g, layer("PAD_TOP"), "SMD", "", 5, insert_type::Pin, 0, 3);
                    dfm->FilterGeometry(g, "PIN_PITCH", "", 6);
                    return dfm->FilterGeometry(g, "PIN_PITCH", "25", 1);
                }),
                ElementsAre("U2"));

    EXPECT_THAT(taken([&](int16_t g) {
                    int16_t code = dfm->flattenByGraphicClass(g, layer("TOP"), graphic_class::Etch, 1);
                    return code != rc::Ok ? code : dfm->FilterGeometry(g, "NETNAME", "", 5);
                }),
                ElementsAre(""))
        << "the copper bar without a net";
    for (const std::string name : {"TOP", "GND", "PWR", "BOTTOM"}) {
        EXPECT_FALSE(taken([&](int16_t g) {
                         return dfm->flattenByGraphicClass(g, layer(name), graphic_class::Etch, 1);
                     }).empty())
            << name;
    }
    EXPECT_FALSE(taken([&](int16_t g) {
                     return dfm->flattenByGraphicClass(g, -1, graphic_class::BoardOutline, 0);
                 }).empty());
}

TEST_F(ExampleBoardTest, EveryPadShapeAndEtchBlockersBetweenFinePitchPads) {
    std::set<int16_t> shapes;
    for (const auto& [number, geometry] : design.geometries) {
        for (const Graphic& graphic : graphicsOf(design, number)) {
            if (const auto* pad = std::get_if<Pad>(&graphic.shape)) {
                shapes.insert(pad->shape);
            }
        }
    }
    EXPECT_EQ(shapes, (std::set<int16_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

    int16_t top = 0, bottom = 0;
    ASSERT_EQ(dfm->GenerateEtchBlockers(25, top, bottom), rc::Ok);
    EXPECT_EQ(flattened([&](int16_t g) { return dfm->Flatten(g, top, false); }).size(), 4u * 7u)
        << "seven gaps on each side of U2";
}

TEST(ExamplePanelTest, HoldsTwoPlacementsOfTheHiddenBoard) {
    AutomationRegistry registry;
    auto korven = EmbeddedKorven::open(kExamples / "panel-two-up.json", registry);
    ProviderRegistration registration(registry, *korven);
    auto app = registry.create<KorvenApplication>(kApplicationProgId);

    std::vector<int32_t> files;
    ASSERT_EQ(app->GetFileArray(files), rc::Ok);
    ASSERT_THAT(files, ElementsAre(1, 2));
    std::string name;
    int16_t fileType = 0, mirror = 0, blockType = 0, panelGeom = 0, boardGeom = 0;
    bool show = false;
    float x = 0, y = 0, scale = 0, rotation = 0;
    app->GetFile2(1, name, fileType, show, x, y, scale, rotation, mirror, blockType, panelGeom);
    EXPECT_TRUE(show);
    EXPECT_EQ(blockType, block_type::Panel);
    app->GetFile2(2, name, fileType, show, x, y, scale, rotation, mirror, blockType, boardGeom);
    EXPECT_FALSE(show);
    EXPECT_EQ(blockType, block_type::Board);

    std::vector<int32_t> boards;
    ASSERT_EQ(app->GetDataArrayByInsertType(panelGeom, insert_type::Board, boards), rc::Ok);
    ASSERT_EQ(boards.size(), 2u);
    for (int32_t position : boards) {
        int16_t geometry = 0, type = 0;
        std::string ref;
        ASSERT_EQ(app->GetDataInsert(panelGeom, position, geometry, x, y, scale, rotation, mirror, type, ref),
                  rc::Ok);
        EXPECT_EQ(geometry, boardGeom);
    }

    Design& design = korven->session().design();
    const int16_t fiducials = createFlattenGeometry(design, 1);
    flatten(design, fiducials,
            {.layer = layerNamed(design, "PAD_TOP"),
             .insertType = insert_type::Fiducial,
             .insertPointOnly = true});
    EXPECT_THAT(originsOf(design, fiducials),
                UnorderedElementsAre("B1/FID1", "B1/FID2", "B1/FID3", "B2/FID1", "B2/FID2", "B2/FID3",
                                     "PFID1", "PFID2", "PFID3"));
    const int16_t rails = createFlattenGeometry(design, 1);
    flatten(design, rails, {.layer = -1, .graphicClass = graphic_class::PanelRail});
    EXPECT_EQ(graphicsOf(design, rails).size(), 2u);
}

} // namespace
} // namespace lumora::engine::test
