#pragma once

#include "engine/io/ipc2581/Ipc2581Geometry.h"
#include "engine/model/Design.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine::ipc2581 {

// The file's layers (CadData's Layer and Stackup elements) and the design layers made for them:
// copper layers first, in stack-up order, then the others in the file's order, then the layers
// the reader adds (docs/ipc2581-import.md).
class LayerTable {
  public:
    void addLayer(const XmlElement& layer);
    void addStackup(const XmlElement& stackup, const Lengths& lengths);

    // Makes the design layers, once; later calls do nothing.
    void build(Design& design);
    bool built() const { return built_; }

    // The design layer of a file layer, refused at `where` when the file has none of that name.
    int16_t require(const XmlElement& where, std::string_view name) const;
    std::optional<int16_t> find(std::string_view name) const;

    bool isCopper(int16_t layer) const { return layer >= 1 && layer <= copperCount(); }
    int16_t copperCount() const { return static_cast<int16_t>(copper_.size()); }
    // Whether the file draws the layer in negative: its features clear copper.
    bool isNegative(int16_t layer) const;
    // The electrical numbers of the first and last copper layer a drill layer's Span names, if any.
    std::optional<std::pair<int16_t, int16_t>> span(int16_t drillLayer) const;

    int16_t profile() const { return profile_; }
    int16_t panelProfile() const { return panelProfile_; }
    int16_t bodyTop() const { return bodyTop_; }
    // The layer of unplated holes: the one a drill layer's NONPLATED holes and slots move to.
    int16_t unplated() const { return unplated_; }

    // The overall thickness of a stack-up (the first one when unnamed or unknown), else the sum
    // of its layers' thicknesses; 0 without any.
    double thickness(std::string_view stackupName) const;

  private:
    struct FileLayer {
        std::string name{};
        std::string function{};
        std::string side{};
        bool negative = false;
        std::string spanFrom{};
        std::string spanTo{};
    };
    struct Stackup {
        std::string name{};
        double overall = 0;
        double layers = 0;
    };

    void orderCopper();
    void pairMirrors(Design& design);

    std::vector<FileLayer> layers_;
    std::map<std::string, double, std::less<>> sequence_; // stack-up position of a layer, by name
    std::vector<Stackup> stackups_;
    std::vector<std::size_t> copper_; // indices into layers_, top to bottom
    std::map<std::string, int16_t, std::less<>> byName_;
    std::map<int16_t, std::size_t> fileLayerOf_;
    bool built_ = false;
    int16_t profile_ = 0;
    int16_t panelProfile_ = 0;
    int16_t bodyTop_ = 0;
    int16_t unplated_ = 0;
};

} // namespace lumora::engine::ipc2581
