#include "engine/automation/EmbeddedDfm.h"

#include "engine/ops/DfxOutlines.h"
#include "engine/ops/EtchBlockers.h"
#include "engine/ops/Filter.h"
#include "engine/ops/Flatten.h"
#include "engine/ops/Polygons.h"

namespace lumora::engine {

int16_t EmbeddedDfm::FilterGeometry(int16_t geomNum, const std::string& keyWord, const std::string& value,
                                    int32_t comparisonType) {
    return answerWithDocument(
        session(),
        [&](Design& design) {
            filterGeometry(design, geomNum, AttributeCondition(keyWord, value, comparisonType));
        },
        BlockUse::LeavesBlocks);
}

int16_t EmbeddedDfm::GenerateDFxOutlines() {
    return answerWithDocument(session(), generateDfxOutlines);
}

int16_t EmbeddedDfm::GenerateEtchBlockers(double maxPinPitch, int16_t& topLayerNumber,
                                          int16_t& bottomLayerNumber) {
    topLayerNumber = bottomLayerNumber = 0;
    return answerWithDocument(session(), [&](Design& design) {
        const BlockerLayers layers = generateEtchBlockers(design, maxPinPitch);
        topLayerNumber = layers.top;
        bottomLayerNumber = layers.bottom;
    });
}

int16_t EmbeddedDfm::CombinePolies(int16_t geomNum) {
    return answerWithDocument(
        session(), [&](Design& design) { combinePolies(design, geomNum); }, BlockUse::LeavesBlocks);
}

int16_t EmbeddedDfm::createFlattenGeometry(int32_t filePos, int16_t& geomNum) {
    geomNum = 0;
    return answerWithDocument(
        session(), [&](Design& design) { geomNum = engine::createFlattenGeometry(design, filePos); },
        BlockUse::LeavesBlocks);
}

int16_t EmbeddedDfm::Flatten(int16_t geomNum, int16_t layerNum, bool topLevelOnly) {
    return answerWithDocument(
        session(),
        [&](Design& design) {
            flatten(design, geomNum, {.layer = layerNum, .topLevelOnly = topLevelOnly},
                    session().flattenCache());
        },
        BlockUse::LeavesBlocks);
}

int16_t EmbeddedDfm::flattenByInsertType(int16_t geomNum, int16_t layerNum, int16_t insType,
                                         int16_t insertPointOnly, int16_t surface) {
    return answerWithDocument(
        session(),
        [&](Design& design) {
            flatten(design, geomNum,
                    {.layer = layerNum,
                     .insertType = insType,
                     .insertPointOnly = insertPointOnly != 0,
                     .surface = surface},
                    session().flattenCache());
        },
        BlockUse::LeavesBlocks);
}

int16_t EmbeddedDfm::flattenByGraphicClass(int16_t geomNum, int16_t layerNum, int16_t graphicClass,
                                           int16_t topLevelOnly) {
    return answerWithDocument(
        session(),
        [&](Design& design) {
            flatten(design, geomNum,
                    {.layer = layerNum, .graphicClass = graphicClass, .topLevelOnly = topLevelOnly != 0},
                    session().flattenCache());
        },
        BlockUse::LeavesBlocks);
}

int16_t EmbeddedDfm::FlattenByAttrib(int16_t geomNum, int16_t layerNum, const std::string& keyWord,
                                     const std::string& value, int32_t comparisonType, int16_t insertType,
                                     int16_t insertPointOnly, int16_t surface) {
    return answerWithDocument(
        session(),
        [&](Design& design) {
            FlattenSelection selection{.layer = layerNum,
                                       .insertType = insertType,
                                       .insertPointOnly = insertPointOnly != 0,
                                       .surface = surface};
            // An empty keyword sets no condition, as in flattenByInsertType.
            if (!keyWord.empty()) {
                selection.condition.emplace(keyWord, value, comparisonType);
            }
            flatten(design, geomNum, selection, session().flattenCache());
        },
        BlockUse::LeavesBlocks);
}

int16_t EmbeddedDfm::ProcessSolderMask(int16_t soldermaskGeomNum, int16_t copperGeomNum) {
    return answerWithDocument(
        session(), [&](Design& design) { processSolderMask(design, soldermaskGeomNum, copperGeomNum); },
        BlockUse::LeavesBlocks);
}

int16_t EmbeddedDfm::maxErrorsPerTest() const {
    refuseWhenExited(session());
    return session().maxErrorsPerTest;
}

void EmbeddedDfm::setMaxErrorsPerTest(int16_t limit) {
    refuseWhenExited(session());
    session().maxErrorsPerTest = limit;
}

} // namespace lumora::engine
