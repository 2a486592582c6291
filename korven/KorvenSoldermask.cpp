// Soldermask geometries of the boards: a generic soldermask per surface, and from it what the
// soldermask leaves open of the vias, pins, testpoints and features. Built once per run by the
// first test that needs them and deleted when the connection closes.

#include "korven/ErrorMessages.h"
#include "korven/KorvenFailure.h"
#include "korven/SubProcessTimer.h"
#include "korven/clsKORVEN.h"
#include "korven/mdlTestLib.h"
#include "script/clsTestItem.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

namespace lumora {

// One kind of soldermask geometry: its word in names and timer labels, and how its copper is collected.
struct SoldermaskKind {
    std::string_view word;
    void (*collect)(clsKORVEN& korven, int16_t geomNum, bool top);
};

namespace {

template <int16_t InsertType> void collectInserts(clsKORVEN& /*korven*/, int16_t geomNum, bool top) {
    flattenByInsertType({.insertType = InsertType, .top = top, .bottom = !top}, geomNum);
}

void collectFeatures(clsKORVEN& korven, int16_t geomNum, bool top) {
    flattenByGraphicClass(geomNum, graphic_class::Etch, true);
    korven.dfmFilterGeometry(geomNum, "NETNAME", "",
                             comparison::HasKeyword); // features without a net; its code is not examined
    collectInserts<10>(korven, geomNum, top);
    collectInserts<0>(korven, geomNum, top);
}

constexpr SoldermaskKind kTestpoints{"Testpoint", collectInserts<9>};
constexpr SoldermaskKind kVias{"Via", collectInserts<1>};
constexpr SoldermaskKind kPins{"Pin", collectInserts<2>};
constexpr SoldermaskKind kFeatures{"Feature", collectFeatures};

using TestNames = std::span<const std::string_view>;

bool isOneOf(const std::string& name, TestNames names) {
    return std::ranges::find(names, name) != names.end();
}

constexpr std::array<std::string_view, 7> kGenericSoldermaskTests = {
    "Via Under Component",   "Via Edge To Via Edge",
    "Via Edge To Testpoint", "Via Edge To Component Pad Edge",
    "Via Edge To Feature",   "Testpoint Edge To Feature",
    "Testpoint Pad Size"};
constexpr std::array<std::string_view, 3> kTestpointSoldermaskTests = {
    "Via Edge To Testpoint", "Testpoint Edge To Feature", "Testpoint Pad Size"};
constexpr std::array<std::string_view, 2> kFeatureSoldermaskTests = {"Via Edge To Feature",
                                                                     "Testpoint Edge To Feature"};
constexpr std::array<std::string_view, 4> kViaSoldermaskTests = {
    "Via Edge To Feature", "Via Edge To Via Edge", "Via Edge To Testpoint", "Via Edge To Component Pad Edge"};
constexpr std::array<std::string_view, 1> kPinSoldermaskTests = {"Via Edge To Component Pad Edge"};
constexpr std::array<std::string_view, 1> kMaskedViaTests = {"Via Under Component"};

// "Skip_Masked_Vias" decides when a test has both switches.
bool wantsGenericSoldermask(const clsTestItem& objTest) {
    const TextDictionary& properties = objTest.dictProperties();
    for (const char* key : {"Skip_Masked_Vias", "Include_Soldermask"}) {
        auto found = std::ranges::find(properties, std::string(key), &TextDictionary::Entry::first);
        if (found != properties.end()) {
            return found->second == "Yes";
        }
    }
    return false;
}

bool isYes(clsTestItem& objTest, const std::string& key) {
    return objTest.dictProperties().item(key) == "Yes";
}

} // namespace

int16_t clsKORVEN::createSoldermaskGeom(clsTestItem& objTest) {
    for (int16_t b = 0; b < arrBoards_.count(); ++b) {
        buildSoldermaskGeometries(arrBoards_.at(b), objTest);
    }
    return 0;
}

void clsKORVEN::buildSoldermaskGeometries(FileInfo& board, clsTestItem& objTest) {
    // Which tests need which geometries, and the switch that asks for them.
    struct Need {
        TestNames tests;
        const char* switchName;
        GeomPair FileInfo::*pair;
        SoldermaskBuilder build;
    };
    static constexpr std::array<Need, 5> kNeeds = {{
        {kTestpointSoldermaskTests, "Include_Soldermask", &FileInfo::sTPGeom,
         &clsKORVEN::createTPSoldermaskGeom},
        {kFeatureSoldermaskTests, "Include_Soldermask", &FileInfo::sFeatureGeom,
         &clsKORVEN::createFeatureSoldermaskGeom},
        {kViaSoldermaskTests, "Include_Soldermask", &FileInfo::sViaGeom, &clsKORVEN::createViaSoldermaskGeom},
        {kPinSoldermaskTests, "Include_Soldermask", &FileInfo::sPinGeom, &clsKORVEN::createPinSoldermaskGeom},
        {kMaskedViaTests, "Skip_Masked_Vias", &FileInfo::sViaGeom, &clsKORVEN::createViaSoldermaskGeom},
    }};

    const std::string& name = objTest.strName;
    if (isOneOf(name, kGenericSoldermaskTests) && wantsGenericSoldermask(objTest)) {
        buildGenericSoldermask(board);
    }
    for (const Need& need : kNeeds) {
        if (isOneOf(name, need.tests) && isYes(objTest, need.switchName)) {
            buildMissingPair(board, board.*need.pair, need.build);
        }
    }
}

void clsKORVEN::buildGenericSoldermask(FileInfo& board) {
    for (bool top : {true, false}) {
        int16_t& generic = top ? board.sMaskGeom.topGeomNum : board.sMaskGeom.botGeomNum;
        if (generic > 0) {
            continue;
        }
        int16_t number = 0;
        createFlattenGeometry(top ? "-= Generic Top Soldermask =-" : "-= Generic Bottom Soldermask =-",
                              board.FileName, board.Position, number, true);
        flattenByLayerType(top ? layer_type::SoldermaskTop : layer_type::SoldermaskBottom, number);
        generic = number;
    }
}

void clsKORVEN::buildMissingPair(const FileInfo& board, GeomPair& pair, SoldermaskBuilder build) {
    if (pair.topGeomNum < 1) {
        int16_t number = 0;
        (this->*build)(board.FileName, board.Position, true, board.sMaskGeom.topGeomNum, number);
        pair.topGeomNum = number;
    }
    if (pair.botGeomNum < 1) {
        int16_t number = 0;
        (this->*build)(board.FileName, board.Position, false, board.sMaskGeom.botGeomNum, number);
        pair.botGeomNum = number;
    }
}

int16_t clsKORVEN::createTPSoldermaskGeom(const std::string& filename, int32_t filePos, bool top,
                                          int16_t sGeomNum, int16_t& geomNum) {
    return buildSoldermaskGeom(kTestpoints, filename, filePos, top, sGeomNum, geomNum);
}

int16_t clsKORVEN::createViaSoldermaskGeom(const std::string& filename, int32_t filePos, bool top,
                                           int16_t sGeomNum, int16_t& geomNum) {
    return buildSoldermaskGeom(kVias, filename, filePos, top, sGeomNum, geomNum);
}

int16_t clsKORVEN::createPinSoldermaskGeom(const std::string& filename, int32_t filePos, bool top,
                                           int16_t sGeomNum, int16_t& geomNum) {
    return buildSoldermaskGeom(kPins, filename, filePos, top, sGeomNum, geomNum);
}

int16_t clsKORVEN::createFeatureSoldermaskGeom(const std::string& filename, int32_t filePos, bool top,
                                               int16_t sGeomNum, int16_t& geomNum) {
    return buildSoldermaskGeom(kFeatures, filename, filePos, top, sGeomNum, geomNum);
}

int16_t clsKORVEN::buildSoldermaskGeom(const SoldermaskKind& kind, const std::string& filename,
                                       int32_t filePos, bool top, int16_t sGeomNum, int16_t& geomNum) {
    const std::string word(kind.word);
    startSubProcessTimer("Create " + word + " Soldermask {" + std::to_string(filePos) + "," +
                         (top ? "Top" : "Bottom") + "}");
    createFlattenGeometry(word + " Soldermask", filename, filePos, geomNum, false);
    kind.collect(*this, geomNum, top);
    if (dfmProcessSolderMask(sGeomNum, geomNum) != rc::Ok) {
        raiseKorvenFailure("dfmProcessSolderMask", lastError_);
    }
    stopSubProcessTimer();
    return 0;
}

} // namespace lumora
