#pragma once

#include "engine/io/ipc2581/Ipc2581Components.h"

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace lumora::engine::ipc2581 {

// What a file held, counted as its elements count it.
struct ImportCounts {
    int steps = 0;
    int components = 0;
    int logicalNets = 0;
    int phyNets = 0;
    int pads = 0; // Pad elements of every layer
    int vias = 0; // via inserts made of them
    int holes = 0;
    bool operator==(const ImportCounts&) const = default;
};

// A StepRepeat: nx by ny copies of a step, dx and dy apart, turned and mirrored alike.
struct StepRepeatSpec {
    std::string step{};
    Point at{};
    int nx = 1;
    int ny = 1;
    double dx = 0;
    double dy = 0;
    double angle = 0;
    bool mirror = false;
    std::string where{}; // "file:line:column" of the element, for what is refused later
};

// What a step became: its geometry (a board, or a panel when it repeats steps) and its repeats.
struct StepResult {
    std::string name{};
    int16_t geometry = 0;
    Point datum{};
    std::vector<StepRepeatSpec> repeats{};
};

// What every step of a file is read against and adds to.
struct StepSetup {
    Design& design;
    const LayerTable& layers;
    ShapeReading reading;
    const RoleRules& roles;
    RoleTally& roleTally;
    GeometryNames& names;
    PadstackStore& padstacks;
    ImportCounts& counts;
    std::vector<std::string>& notes;
};

// Reads one Step from its records (packages, components, nets, each Set of each LayerFeature)
// and, at its end, builds its geometry: the layer features' graphics as they come, then the
// components with their pins, vias, free pads and holes (docs/ipc2581-import.md).
class StepReader {
  public:
    StepReader(const XmlElement& step, StepSetup setup);

    // The containers inside a step the reader enters: LayerFeature, PhyNetGroup.
    bool enters(const XmlElement& element);
    // Whether an element directly inside the step (or a container it entered) is a record it reads.
    bool reads(std::string_view element) const;
    void record(const XmlElement& element);
    void leave(std::string_view container);

    StepResult finish();

  private:
    struct SetFacts {
        std::string_view net{};
        std::string_view padUsage{};
        bool test = false;
    };
    using PlaceKey = std::tuple<double, double, std::string>;

    void readSet(const XmlElement& set);
    void readFeatures(const XmlElement& features, const SetFacts& facts);
    void readPad(const XmlElement& pad, const SetFacts& facts);
    void readFiducial(const XmlElement& fiducial);
    void readHole(const XmlElement& hole, const SetFacts& facts);
    void readSlot(const XmlElement& slot);
    void readProfile(const XmlElement& profile);
    void readStepRepeat(const XmlElement& repeat);
    void readPadStackDef(const XmlElement& padstack);
    void readLogicalNet(const XmlElement& net);
    void readPhyNet(const XmlElement& net);
    void addGraphics(const Shapes& shapes, const Transform& placement, int16_t layer, std::string_view net);
    PadGroup& placeGroup(const PlaceKey& key, const SetFacts& facts);
    void addProfile();
    void addComponents();
    void addPlacedGroups();
    void addHoles();
    void addNotes();
    int16_t outlineClass() const;

    StepSetup setup_;
    std::string name_;
    std::string stackupRef_;
    Geometry geometry_{};
    Point datum_{};
    Shapes profile_;
    bool hasProfile_ = false;
    std::vector<StepRepeatSpec> repeats_;
    std::map<std::string, PackageShape, std::less<>> packages_;
    std::vector<ComponentPlacement> components_;
    std::map<std::string, DrillHole, std::less<>> definedHoles_;
    std::map<std::pair<std::string, std::string>, std::string> pinNets_;
    std::set<std::pair<double, double>> testMarks_;
    // Pads with a PinRef, by component and pin, and each component's pins in the order met.
    std::map<std::pair<std::string, std::string>, PadGroup> pinGroups_;
    std::map<std::string, std::vector<std::string>, std::less<>> pinOrder_;
    // Vias, free pads and fiducials by place (and padstack), in the order met.
    std::map<PlaceKey, std::size_t> placeIndex_;
    std::vector<PadGroup> placeGroups_;
    HolesByPlace holes_;
    int16_t layer_ = 0; // of the LayerFeature being read
    int16_t layerClass_ = graphic_class::Normal;
    bool layerNegative_ = false;
    bool layerFeatures_ = false;
    std::set<std::string> negativeLayers_;
};

} // namespace lumora::engine::ipc2581
