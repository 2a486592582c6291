#pragma once

#include "engine/geom/Transform.h"
#include "engine/io/ipc2581/Ipc2581Dictionaries.h"
#include "engine/model/Design.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumora::engine::ipc2581 {

// One pad (or fiducial) as a layer's features place it: its shapes about its own origin.
struct PlacedPad {
    int16_t layer = 0;
    Transform placement{};
    Shapes shapes{};
};

// The pads of one pin, via or free pad on every layer, and what their sets said of them.
struct PadGroup {
    std::string padstack{}; // the PadStackDef the pads name, if any
    std::string net{};
    int16_t insertType = insert_type::FreePad;
    bool test = false;
    std::vector<PlacedPad> pads{};

    // The placement of the first pad, which the group's padstack is drawn in.
    const Transform& frame() const { return pads.front().placement; }
};

// A drilled hole (a Hole feature, or a PadStackDef's hole where no feature drills the pad).
struct DrillHole {
    Point at{};
    double diameter = 0;
    bool plated = true;
    int16_t layer = 0; // the drill layer its disc goes on; 0 for none
    std::string net{};
};

// A step's holes by where they are; each is taken by the first pad group found over it.
class HolesByPlace {
  public:
    void add(DrillHole hole) { holes_[{hole.at.x, hole.at.y}].push_back(std::move(hole)); }
    std::optional<DrillHole> take(Point at);
    // The holes no pad took, in the order of their places.
    std::vector<DrillHole> untaken() const;

  private:
    std::map<std::pair<double, double>, std::vector<DrillHole>> holes_;
};

// A group's padstack in the frame of its first pad: each pad's shapes on its layer, and the hole
// with its disc on the drill layer. Layers of a mirrored frame are their mirror layers, which the
// mirrored insert moves back.
Geometry padstackOf(const Design& design, const PadGroup& group, const std::optional<DrillHole>& hole);

// The names of a design's geometries, each given once: a name taken already gets the first " #N"
// no geometry has (a file may itself call something "U1 #2").
class GeometryNames {
  public:
    std::string unique(const std::string& name);

  private:
    std::set<std::string, std::less<>> used_;
};

// Padstacks kept once however many pins and vias place them, named after the file's PadStackDef.
class PadstackStore {
  public:
    PadstackStore(Design& design, GeometryNames& names) : design_(design), names_(names) {}
    int16_t add(Geometry padstack, const std::string& name);

  private:
    Design& design_;
    GeometryNames& names_;
    std::map<std::pair<std::string, std::size_t>, std::vector<int16_t>> byName_;
};

} // namespace lumora::engine::ipc2581
