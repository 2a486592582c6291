#pragma once

#include "engine/model/Attributes.h"
#include "engine/model/CodeNames.h"
#include "engine/model/DrcMarkers.h"
#include "engine/model/ItemArray.h"
#include "engine/model/Items.h"
#include "engine/model/KeywordIndex.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine {

struct Hole {
    double size = 0; // 0: no drill hole (a surface-mount padstack)
    bool plated = true;
    bool operator==(const Hole&) const = default;
};

// A numbered block: a board, panel, component, padstack ... or a flatten geometry that a client
// created for one file.
struct Geometry {
    int16_t number = 0;
    std::string name{};
    int16_t blockType = block_type::Symbol;
    double thickness = 0;    // boards
    Hole hole{};             // padstacks
    int32_t flattenFile = 0; // flatten geometries: the file whose coordinates they use
    std::vector<DataItem> data{};
    // Flatten geometries: more items after data's, shared with the flatten geometries a repeated
    // selection filled. GeometryItems.h reads both.
    std::vector<SharedItems> sharedData{};
    // Equal items, whether a geometry owns or shares them.
    bool operator==(const Geometry& other) const;
};

struct Layer {
    int16_t number = 0;
    std::string name{};
    int16_t type = layer_type::Documentation;
    bool show = true;
    int16_t electrical = 0;
    int16_t physical = 0;
    int16_t artwork = 0;
    int16_t mirror = 0; // the layer that mirrored inserts move its items to; itself by default
    int16_t color = 0;
    std::string description{};
    AttributeList attributes{};
    bool operator==(const Layer&) const = default;
};

// One entry of the attribute keyword table; its number is its position in the table.
struct Keyword {
    std::string name; // the document's (KORVEN's) name
    std::string inName{};
    std::string outName{};
    int16_t type = keyword_type::Text;
    bool internal = false;
    bool operator==(const Keyword&) const = default;
};

struct File {
    int32_t number = 0;
    std::string name{};
    bool show = true;
    int16_t geometry = 0;      // the file's own block
    int16_t shownGeometry = 0; // a block shown in its place (SetFileGeometry), 0 for its own
    Point at{};
    double rotation = 0;
    bool mirror = false;
    double scale = 1;
    bool operator==(const File&) const = default;
};

// The document KORVEN holds: everything a design file stores.
class Design {
  public:
    std::string name{};
    int16_t pageUnits = page_units::Mils;
    std::vector<Keyword> keywords{};
    std::vector<std::optional<Layer>> layers{}; // slot n holds layer n; empty slots are holes
    std::map<int16_t, Geometry> geometries{};
    std::vector<File> files{};
    DrcMarkers drcs{};

    // Lookups raise Refusal with the code a KORVEN method returns for the number.
    Geometry& geometry(int16_t number);
    const Geometry& geometry(int16_t number) const;
    File& file(int32_t number);
    const File& file(int32_t number) const;
    Layer& layer(int16_t number);
    const Layer& layer(int16_t number) const;

    const Layer* findLayer(std::string_view layerName) const;
    const Layer* findLayerByAttribute(std::string_view keyword, std::string_view value) const;

    // Stores the geometry under a new number and returns it.
    int16_t addGeometry(Geometry geometry);
    // Appends a layer after the last one and returns its number; its mirror defaults to itself.
    int16_t addLayer(Layer layer);
    // A layer name not used yet, made from base.
    std::string unusedLayerName(std::string_view base) const;
    // The keyword's number in the table, adding it with the given type when missing.
    int16_t keywordNumber(std::string_view keywordName, int16_t typeWhenNew = keyword_type::Text);

    // The layer items of a mirrored insert move to.
    int16_t mirrorLayer(int16_t number) const;
    int16_t maxElectrical() const;

    bool operator==(const Design&) const = default;

  private:
    // Follows `keywords`, which only grows once the first keyword has been looked up.
    KeywordIndex keywordIndex_;
};

} // namespace lumora::engine
