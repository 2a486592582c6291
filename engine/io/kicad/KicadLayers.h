#pragma once

#include "engine/io/kicad/SExpression.h"
#include "engine/model/Design.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine::kicad {

// The design layers made for a board's KiCad layers, and the way from a KiCad layer name to them.
class LayerMap {
  public:
    // Adds the board's layers to design: its copper layers from the board's (layers ...) list in
    // stack-up order, then the fixed set of docs/kicad-import.md.
    LayerMap(const sexpr::Expr& layersList, Design& design);

    // The design layer of a KiCad layer, or none for layers that are not imported.
    std::optional<int16_t> find(std::string_view kicadName) const;
    // The design layers of a (layers ...) list, its wildcards ("*.Cu", "*.Mask", "F&B.Cu") expanded;
    // when `flipped`, front and back trade places first.
    std::vector<int16_t> expand(const sexpr::Expr& layers, bool flipped) const;
    // The copper layers from `from` to `to` (KiCad names) in stack-up order, both included.
    std::vector<int16_t> copperSpan(std::string_view from, std::string_view to) const;

    bool isCopper(int16_t layer) const;
    int copperCount() const { return static_cast<int>(copper_.size()); }
    int16_t drill(bool plated) const { return plated ? drill_ : drillUnplated_; }
    int16_t bodyTop() const { return bodyTop_; }
    int16_t outline() const { return outline_; }

  private:
    void addCopper(const sexpr::Expr& layersList, Design& design);
    void addFixed(Design& design);
    int16_t numberOf(std::string_view name) const; // of a layer added already

    std::map<std::string, int16_t, std::less<>> byName_;
    std::vector<std::string> copper_; // KiCad names, top to bottom
    int16_t drill_ = 0;
    int16_t drillUnplated_ = 0;
    int16_t bodyTop_ = 0;
    int16_t outline_ = 0;
};

// "B.SilkS" for "F.SilkS" and the other way round; other names as they are.
std::string flippedLayerName(std::string_view kicadName);

// The layers whose drawings outline a component's body, the first found winning (docs/kicad-import.md).
bool isFabLayer(std::string_view kicadName);
bool isCourtyardLayer(std::string_view kicadName);

} // namespace lumora::engine::kicad
