#pragma once

#include "engine/io/Roles.h"
#include "engine/io/ipc2581/Ipc2581Layers.h"
#include "engine/io/ipc2581/Ipc2581Pads.h"
#include "engine/io/ipc2581/Ipc2581Shapes.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace lumora::engine::ipc2581 {

// A Package pin: where the package places it, and its land.
struct PackagePin {
    std::string number{};
    Transform placement{};
    Shapes shapes{};
};

// What a component takes from its Package: the body outline, height and pins in pin order.
struct PackageShape {
    Shapes body{};
    std::optional<double> height{};
    std::vector<PackagePin> pins{};
};

PackageShape readPackage(const XmlElement& package, const ShapeReading& reading);

// A Component as the step places it, with its attributes.
struct ComponentPlacement {
    std::string refDes{};
    std::string packageRef{};
    int16_t layer = 0; // its mounting layer
    Transform placement{};
    AttributeList attributes{};
};

ComponentPlacement readComponent(const XmlElement& component, const LayerTable& layers,
                                 const Lengths& lengths, const PackageShape* package);

// What placing components draws on: the design, its layers, the padstacks made so far, and what
// the step's nets and test marks say of their pins.
struct ComponentContext {
    Design& design;
    const LayerTable& layers;
    PadstackStore& padstacks;
    GeometryNames& names;
    HolesByPlace& holes;
    const std::map<std::string, DrillHole, std::less<>>& definedHoles; // by PadStackDef name
    const std::map<std::pair<std::string, std::string>, std::string>& pinNets;
    const std::set<std::pair<double, double>>& testMarks;
    const RoleRules& roles;
    RoleTally& roleTally;
};

// A pin's pads from the step's layer features, by pin number, in the order they were met.
using PinPads = std::vector<std::pair<std::string, const PadGroup*>>;

// The component's geometry (its pins and body) added to the design, and the insert that places it:
// a component, or the role the roles file gives it (docs/ipc2581-import.md).
Insert placeComponent(ComponentContext& context, const ComponentPlacement& component,
                      const PackageShape* package, const PinPads& pins);

// Whether any pad of a group lies where the file marks a test point.
bool markedForTest(const PadGroup& group, const std::set<std::pair<double, double>>& marks);

} // namespace lumora::engine::ipc2581
