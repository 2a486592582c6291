#pragma once

// Flatten geometries: empty geometries that KORVEN creates for a check and fills with the matching
// items of chosen layers of the shared layer list. Every routine works on the running script
// window's objKorven, times itself as a sub-process, and turns a failing wrapper into a
// RunnerError whose source is the wrapper's name and whose description is its lastError.

#include "korvenapi/KorvenCodes.h"

#include <cstdint>
#include <string>

namespace lumora {

// The runner's own insert type for gold fingers: it never reaches KORVEN, flattenDftOutline turns it
// into FlattenByAttrib of components (korvenapi/KorvenCodes.h names KORVEN's insert types).
namespace inserttype {
constexpr int16_t GoldFinger = 9999;
} // namespace inserttype

// Creates an empty geometry for file filePos and writes its number into geomNum; with addToList
// it is entered in the Created Geometries list under name (KORVEN is not told the name).
void createFlattenGeometry(const std::string& name, const std::string& fileName, int32_t filePos,
                           int16_t& geomNum, bool addToList);

int16_t flattenByLayerType(int16_t layerType, int16_t geomNum);

int16_t flattenByLayerTypeAndInsertType(int16_t layerType, int16_t insertType, int16_t geomNum);

// The DFx outline layers (type 0) whose "DFX_OUTLINE_TYPE" attribute is outlineType; a negative
// insertType flattens the whole layer.
int16_t flattenDftOutline(int16_t geomNum, const std::string& outlineType, int16_t insertType,
                          const std::string& keyword, const std::string& value, int32_t comparisonType);

// Graphic classes 16 and 18 are flattened over all layers at once (layer -1).
int16_t flattenByGraphicClass(int16_t geomNum, int16_t graphicClass, bool TopLevelOnly);

int16_t flattenByLayerNameAndInsertType(int16_t insertType, const std::string& layerName, int16_t geomNum,
                                        const std::string& keyword, const std::string& value,
                                        int16_t comparisonType);

// Which inserts of which surfaces flattenByInsertType collects.
struct InsertTypeSelection {
    int16_t insertType = 0;
    bool top = false;
    int16_t stackup = 0; // an inner electrical layer, used when above 1 and below the highest
    bool bottom = false;
    bool insertPointOnly = false;
    int16_t surface = lumora::surface::Both;
    std::string keyword{};
    std::string value{};
    int16_t comparisonType = comparison::Equal;
};

// Flattens each used layer at most once: top layers, bottom layers, the inner stack-up layer, and
// layers of types 4 and 9, in that order of preference.
int16_t flattenByInsertType(const InsertTypeSelection& selection, int16_t geomNum);

// A negative graphicClass flattens the whole of each layer of the stack-up number.
int16_t flattenStackup(int16_t stackup, int16_t geomNum, int16_t graphicClass, bool TopLevelOnly);

} // namespace lumora
