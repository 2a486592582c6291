#include "korven/mdlTestLib.h"

#include "korven/CreatedGeometryList.h"
#include "korven/CurrentWindow.h"
#include "korven/KorvenFailure.h"
#include "korven/LayerList.h"
#include "korven/SubProcessTimer.h"
#include "korven/clsKORVEN.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace lumora {

namespace {

constexpr std::array<int16_t, 2> kAllLayerGraphicClasses = {graphic_class::BoardOutline,
                                                            graphic_class::PanelOutline};

clsKORVEN& currentKorven() {
    CurrentWindow* window = frmCurChild();
    if (window == nullptr) {
        throw RunnerError(errnum::KorvenFailure, "mdlTestLib", "No script window is running");
    }
    return window->objKorven();
}

// Raises the wrapper's failure unless it succeeded.
void check(clsKORVEN& korven, int16_t code, const char* wrapper) {
    if (code != 0) {
        raiseKorvenFailure(wrapper, korven.lastError());
    }
}

// Looks the attribute up without adding it to the layer's list.
bool hasAttribute(const clsCCLayer& layer, const std::string& keyword, const std::string& value) {
    auto found = std::ranges::find(layer.dictAttribs, keyword, &TextDictionary::Entry::first);
    return found != layer.dictAttribs.end() && found->second == value;
}

bool isOneOf(int32_t value, std::initializer_list<int32_t> candidates) {
    return std::ranges::find(candidates, value) != candidates.end();
}

// Calls visit(layer number, layer) for every used layer of the list.
template <class Visit> void forEachUsedLayer(Visit&& visit) {
    const LayerList& layers = layerList();
    for (std::size_t i = 0; i < layers.arrLayers.size(); ++i) {
        if (const clsCCLayer* layer = layers.usedLayer(i)) {
            visit(static_cast<int16_t>(i), *layer);
        }
    }
}

// What one chosen layer contributes: testpoints and gold fingers only where the caller honours them.
struct FlattenSelection {
    int16_t insertType = 0;
    std::string keyword{};
    std::string value{};
    int32_t comparisonType = comparison::Equal;
    bool insertPointOnly = false;
    int16_t surface = lumora::surface::Both;
    bool testpoints = false;
    bool goldFingers = false;
};

void flattenSelected(clsKORVEN& korven, int16_t geomNum, int16_t layer, const FlattenSelection& s) {
    if (s.testpoints && s.insertType == insert_type::Testpoint) {
        check(korven, korven.dfmFlattenTestpoints(geomNum, layer, s.insertPointOnly), "dfmFlattenTestpoints");
    } else if (s.goldFingers && s.insertType == inserttype::GoldFinger) {
        check(korven, korven.dfmFlattenGoldFingers(geomNum, layer, s.keyword, s.value),
              "dfmFlattenGoldFingers");
    } else if (s.keyword.empty() && s.value.empty()) {
        check(korven,
              korven.dfmFlattenByInserttype(geomNum, layer, s.insertType, s.insertPointOnly, s.surface),
              "dfmFlattenByInserttype");
    } else {
        check(korven,
              korven.dfmFlattenByAttrib(geomNum, layer, s.keyword, s.value, s.insertType, s.comparisonType,
                                        s.insertPointOnly, s.surface),
              "dfmFlattenByAttrib");
    }
}

bool isPlane(int32_t type) {
    return isOneOf(type, {layer_type::PlaneClearance, layer_type::PlaneThermal, layer_type::RouteKeepout});
}

// The four tests of flattenByInsertType; the first one a layer meets decides.
bool isTopLayer(const InsertTypeSelection& s, int32_t e, int32_t t) {
    return s.top &&
           ((e == 1 && !isPlane(t)) || (e == 0 && isOneOf(t, {layer_type::PadTop, layer_type::SignalTop})) ||
            (e == 0 && isOneOf(t, {layer_type::Drill, layer_type::DrillUnplated})));
}

bool isBottomLayer(const InsertTypeSelection& s, int32_t e, int32_t t, int32_t m) {
    return s.bottom && ((e == m && m > 0 && !isPlane(t)) ||
                        (e == 0 && isOneOf(t, {layer_type::PadBottom, layer_type::SignalBottom})) ||
                        (e == 0 && isOneOf(t, {layer_type::Drill, layer_type::DrillUnplated})));
}

bool isInnerLayer(const InsertTypeSelection& s, int32_t e, int32_t t, int32_t m) {
    return s.stackup > 1 && s.stackup < m &&
           ((e == s.stackup && !isPlane(t)) ||
            (e == 0 && isOneOf(t, {layer_type::PadInner, layer_type::SignalInner})));
}

bool isEveryLayerType(int32_t e, int32_t t) {
    return e == 0 && isOneOf(t, {layer_type::PadAll, layer_type::SignalAll});
}

} // namespace

void createFlattenGeometry(const std::string& name, const std::string& fileName, int32_t filePos,
                           int16_t& geomNum, bool addToList) {
    startSubProcessTimer("Create Geometry");
    clsKORVEN& korven = currentKorven();
    check(korven, korven.dfmCreateFlattenGeometry(filePos, geomNum), "dfmCreateFlattenGeometry");
    if (addToList && frmDebugList() != nullptr) {
        frmDebugList()->addGeometry(name, fileName, filePos, geomNum);
    }
    stopSubProcessTimer();
}

int16_t flattenByLayerType(int16_t layerType, int16_t geomNum) {
    startSubProcessTimer("Flatten By LayerType");
    clsKORVEN& korven = currentKorven();
    forEachUsedLayer([&](int16_t i, const clsCCLayer& layer) {
        if (layer.lngType == layerType) {
            check(korven, korven.dfmFlattenLayer(geomNum, i, false), "dfmFlattenLayer");
        }
    });
    stopSubProcessTimer();
    return 0;
}

int16_t flattenByLayerTypeAndInsertType(int16_t layerType, int16_t insertType, int16_t geomNum) {
    startSubProcessTimer("Flatten by LayerType and InsertType");
    clsKORVEN& korven = currentKorven();
    forEachUsedLayer([&](int16_t i, const clsCCLayer& layer) {
        if (layer.lngType == layerType) {
            check(korven, korven.dfmFlattenByInserttype(geomNum, i, insertType, false, surface::Both),
                  "dfmFlattenByInserttype");
        }
    });
    stopSubProcessTimer();
    return 0;
}

int16_t flattenDftOutline(int16_t geomNum, const std::string& outlineType, int16_t insertType,
                          const std::string& keyword, const std::string& value, int32_t comparisonType) {
    startSubProcessTimer("Flatten DFT Outline");
    clsKORVEN& korven = currentKorven();
    const FlattenSelection selection{.insertType = insertType,
                                     .keyword = keyword,
                                     .value = value,
                                     .comparisonType = comparisonType,
                                     .goldFingers = true};
    forEachUsedLayer([&](int16_t i, const clsCCLayer& layer) {
        if (layer.lngType != layer_type::DfxOutline ||
            !hasAttribute(layer, "DFX_OUTLINE_TYPE", outlineType)) {
            return;
        }
        if (insertType < 0) {
            check(korven, korven.dfmFlattenLayer(geomNum, i, false), "dfmFlattenLayer");
        } else {
            flattenSelected(korven, geomNum, i, selection);
        }
    });
    stopSubProcessTimer();
    return 0;
}

int16_t flattenByGraphicClass(int16_t geomNum, int16_t graphicClass, bool TopLevelOnly) {
    startSubProcessTimer("Flatten GraphicClass");
    clsKORVEN& korven = currentKorven();
    if (std::ranges::find(kAllLayerGraphicClasses, graphicClass) != kAllLayerGraphicClasses.end()) {
        check(korven, korven.dfmFlattenByGraphicClass(geomNum, kAllLayers, graphicClass, TopLevelOnly),
              "dfmFlattenByGraphicClass");
    } else {
        forEachUsedLayer([&](int16_t i, const clsCCLayer&) {
            check(korven, korven.dfmFlattenByGraphicClass(geomNum, i, graphicClass, TopLevelOnly),
                  "dfmFlattenByGraphicClass");
        });
    }
    stopSubProcessTimer();
    return 0;
}

int16_t flattenByLayerNameAndInsertType(int16_t insertType, const std::string& layerName, int16_t geomNum,
                                        const std::string& keyword, const std::string& value,
                                        int16_t comparisonType) {
    startSubProcessTimer("Flatten by LayerName and InsertType");
    clsKORVEN& korven = currentKorven();
    const FlattenSelection selection{
        .insertType = insertType, .keyword = keyword, .value = value, .comparisonType = comparisonType};
    forEachUsedLayer([&](int16_t i, const clsCCLayer& layer) {
        if (layer.strName == layerName) {
            flattenSelected(korven, geomNum, i, selection);
        }
    });
    stopSubProcessTimer();
    return 0;
}

int16_t flattenByInsertType(const InsertTypeSelection& s, int16_t geomNum) {
    startSubProcessTimer("Flatten InsertType");
    clsKORVEN& korven = currentKorven();
    const int32_t m = korven.getMaxElectricalStackup();
    const FlattenSelection selection{.insertType = s.insertType,
                                     .keyword = s.keyword,
                                     .value = s.value,
                                     .comparisonType = s.comparisonType,
                                     .insertPointOnly = s.insertPointOnly,
                                     .surface = s.surface,
                                     .testpoints = true,
                                     .goldFingers = true};
    forEachUsedLayer([&](int16_t i, const clsCCLayer& layer) {
        const int32_t e = layer.lngElectrical;
        const int32_t t = layer.lngType;
        if (isTopLayer(s, e, t) || isBottomLayer(s, e, t, m) || isInnerLayer(s, e, t, m) ||
            isEveryLayerType(e, t)) {
            flattenSelected(korven, geomNum, i, selection);
        }
    });
    stopSubProcessTimer();
    return 0;
}

int16_t flattenStackup(int16_t stackup, int16_t geomNum, int16_t graphicClass, bool TopLevelOnly) {
    startSubProcessTimer("Flatten Stackup");
    clsKORVEN& korven = currentKorven();
    forEachUsedLayer([&](int16_t i, const clsCCLayer& layer) {
        if (layer.lngElectrical != stackup) {
            return;
        }
        if (graphicClass >= 0) {
            check(korven, korven.dfmFlattenByGraphicClass(geomNum, i, graphicClass, TopLevelOnly),
                  "dfmFlattenByGraphicClass");
        } else {
            check(korven, korven.dfmFlattenLayer(geomNum, i, false), "dfmFlattenLayer");
        }
    });
    stopSubProcessTimer();
    return 0;
}

} // namespace lumora
