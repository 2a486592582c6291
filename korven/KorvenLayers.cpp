// The shared layer list as KORVEN reports it: slot n is always KORVEN layer n.

#include "korven/CurrentWindow.h"
#include "korven/ErrorMessages.h"
#include "korven/LayerList.h"
#include "korven/clsKORVEN.h"
#include "log/clsLogFile.h"

#include <algorithm>

namespace lumora {

namespace {

struct LayerFailure {
    std::string source;
    std::string description;
};

void writeToRunLog(const std::string& line) {
    CurrentWindow* window = frmCurChild();
    if (window != nullptr && window->logFile() != nullptr) {
        window->logFile()->writeString(line);
    }
}

void growTo(LayerList& layers, int32_t slots) {
    if (layers.arrLayers.size() < static_cast<std::size_t>(slots)) {
        layers.arrLayers.resize(slots);
    }
}

} // namespace

int16_t clsKORVEN::loadLayers() {
    LayerList& layers = layerList();
    if (layers.lngLayerCount != 0) {
        layers.reset();
    }
    try {
        int16_t status = rc::Ok;
        while (status != rc::IndexOutOfRange) {
            int32_t n = layers.lngLayerCount;
            std::string name;
            int16_t type = 0, show = 0, electrical = 0, physical = 0, artwork = 0;
            status = GetLayerInfo(n, name, type, show, electrical, physical, artwork);
            if (status == rc::Ok) {
                growTo(layers, n + 1);
                clsCCLayer& layer = layers.arrLayers[n].emplace();
                layer.lngNumber = n;
                layer.strName = name;
                layer.lngType = type;
                layer.intShow = show;
                layer.lngElectrical = electrical;
                layer.lngPhysical = physical;
                layer.lngArtwork = artwork;
                readLayerAttributes(n, layer, status);
            } else if (status == rc::HoleInArray) {
                growTo(layers, n + 1);
                layers.arrLayers[n].emplace().setAsUnused();
            } else if (status != rc::IndexOutOfRange) {
                throw LayerFailure{"GetLayerInfo", lastError_};
            }
            ++layers.lngLayerCount;
        }
        return rc::Ok;
    } catch (const LayerFailure& failure) {
        // "Occured" is the spelling that readers of earlier run logs search for.
        writeToRunLog("ERROR: Occured While Accessing GetLayers.\r\n\t" + failure.source + " {" +
                      failure.description + "}");
    }
    layers.reset();
    return runnercode::Failed;
}

// A status of -8 from either call also ends the layer loop; any other non-zero status only leaves
// the layer without attributes.
void clsKORVEN::readLayerAttributes(int32_t layerNumber, clsCCLayer& layer, int16_t& status) {
    status = SetLayerCurrentAttrib(static_cast<int16_t>(layerNumber));
    if (status != rc::Ok) {
        return;
    }
    std::vector<int16_t> keywords;
    status = GetAttribKeywordArray(keywords);
    if (status != rc::Ok) {
        return;
    }
    for (int16_t keyword : keywords) {
        std::string inKeyword, ccKeyword, outKeyword, value;
        int16_t keywordType = 0;
        bool internal = false;
        GetKeyword(keyword, inKeyword, ccKeyword, outKeyword, keywordType, internal);
        GetAttribValue(keyword, value);
        layer.dictAttribs.store(ccKeyword, value);
    }
}

int16_t clsKORVEN::getMaxElectricalStackup() const {
    const LayerList& layers = layerList();
    if (layers.lngLayerCount < 2) {
        return 0;
    }
    int32_t highest = 0;
    for (const auto& slot : layers.arrLayers) {
        if (slot) {
            highest = std::max(highest, slot->lngElectrical);
        }
    }
    return static_cast<int16_t>(highest);
}

} // namespace lumora
