#include "engine/io/ipc2581/Ipc2581Components.h"

#include "engine/model/NumberText.h"

#include <algorithm>
#include <cmath>

namespace lumora::engine::ipc2581 {

namespace {

Point locationOf(const XmlElement& owner, const Lengths& lengths) {
    const std::optional<XmlElement> location = owner.child("Location");
    return location ? lengths.point(*location) : Point{};
}

std::string joined(const std::string& a, const std::string& b) {
    return a.empty() || b.empty() ? a + b : a + " " + b;
}

// A pin whose pads the step's layer features draw, in the component's coordinates.
Insert pinFromPads(ComponentContext& context, const ComponentPlacement& component, const std::string& number,
                   const PadGroup& group) {
    const Transform& frame = group.frame();
    std::optional<DrillHole> hole = context.holes.take(frame.offset());
    if (!hole) {
        if (const auto defined = context.definedHoles.find(group.padstack);
            defined != context.definedHoles.end()) {
            hole = defined->second;
            hole->at = frame.offset();
        }
    }
    Insert pin{.insertType = insert_type::Pin,
               .geometry = context.padstacks.add(padstackOf(context.design, group, hole),
                                                 group.padstack.empty() ? "PAD" : group.padstack),
               .refName = number};
    setPlacement(pin, frame.then(component.placement.inverse()));
    if (group.test || markedForTest(group, context.testMarks)) {
        pin.attributes.set(keyword::Test, "");
    }
    return pin;
}

// A pin as its Package draws it, for components no layer feature draws: its land on the mounting
// layer.
Insert pinFromPackage(ComponentContext& context, const ComponentPlacement& component,
                      const std::string& packageRef, const PackagePin& packagePin) {
    const bool flipped = component.placement.mirrored() != packagePin.placement.mirrored();
    const int16_t layer = flipped ? context.design.mirrorLayer(component.layer) : component.layer;
    Geometry padstack{.blockType = block_type::Padstack};
    for (const Shape& shape : packagePin.shapes) {
        padstack.data.emplace_back(Graphic{.shape = shape, .layer = layer});
    }
    Insert pin{.insertType = insert_type::Pin,
               .geometry = context.padstacks.add(std::move(padstack), joined(packageRef, "land")),
               .refName = packagePin.number};
    setPlacement(pin, packagePin.placement);
    return pin;
}

// Pins in the package's order, then those only the layer features know, in the order met.
PinPads inPackageOrder(const PinPads& pins, const PackageShape* package) {
    if (package == nullptr) {
        return pins;
    }
    PinPads ordered;
    for (const PackagePin& pin : package->pins) {
        const auto found = std::ranges::find(pins, pin.number, &PinPads::value_type::first);
        if (found != pins.end()) {
            ordered.push_back(*found);
        }
    }
    for (const auto& pin : pins) {
        if (std::ranges::find(ordered, pin.first, &PinPads::value_type::first) == ordered.end()) {
            ordered.push_back(pin);
        }
    }
    return ordered;
}

} // namespace

bool markedForTest(const PadGroup& group, const std::set<std::pair<double, double>>& marks) {
    return std::ranges::any_of(group.pads, [&](const PlacedPad& pad) {
        return marks.contains({pad.placement.offset().x, pad.placement.offset().y});
    });
}

PackageShape readPackage(const XmlElement& package, const ShapeReading& reading) {
    const Lengths& lengths = reading.lengths;
    PackageShape shape;
    if (const std::optional<XmlElement> outline = package.child("Outline")) {
        if (const std::optional<XmlElement> polygon = outline->child("Polygon")) {
            if (Ring ring = ringOf(stepPathOf(*polygon, lengths)); ring.size() >= 3) {
                shape.body.emplace_back(Polygon{std::move(ring), {}});
            }
        }
    }
    if (package.attribute("height")) {
        shape.height = lengths.size(package, "height");
    }
    package.forEachChild([&](const XmlElement& pin) {
        if (pin.name() == "Pin") {
            shape.pins.push_back(
                {.number = std::string(pin.text("number")),
                 .placement = placementOf(pin.child("Xform"), locationOf(pin, lengths), lengths),
                 .shapes = childFeatureShapes(pin, reading).value_or(Shapes{})});
        }
    });
    return shape;
}

ComponentPlacement readComponent(const XmlElement& component, const LayerTable& layers,
                                 const Lengths& lengths, const PackageShape* package) {
    if (!component.child("Location")) {
        component.fail("<Component> has no Location");
    }
    ComponentPlacement placed{
        .refDes =
            std::string(component.attribute("refDes").value_or(component.attribute("matDes").value_or(""))),
        .packageRef = std::string(component.attribute("packageRef").value_or("")),
        .layer = layers.require(component, component.text("layerRef")),
        .placement = placementOf(component.child("Xform"), locationOf(component, lengths), lengths)};
    component.forEachChild([&](const XmlElement& attribute) {
        const std::optional<std::string_view> name = attribute.attribute("name");
        if (attribute.name() == "NonstandardAttribute" && name && !name->empty()) {
            placed.attributes.set(*name, std::string(attribute.attribute("value").value_or("")));
        }
    });
    placed.attributes.set("PACKAGE_FAMILY", placed.packageRef);
    if (const std::optional<std::string_view> part = component.attribute("part"); part && !part->empty()) {
        placed.attributes.set("PART", std::string(*part));
    }
    const std::optional<double> height = component.attribute("height")
                                             ? std::optional(lengths.size(component, "height"))
                                         : package ? package->height
                                                   : std::nullopt;
    if (height) {
        placed.attributes.set("COMPHEIGHT", formatNumber(*height));
    }
    return placed;
}

Insert placeComponent(ComponentContext& context, const ComponentPlacement& component,
                      const PackageShape* package, const PinPads& pins) {
    Insert insert{.insertType = insert_type::Component, .refName = component.refDes};
    insert.attributes = component.attributes;
    setPlacement(insert, component.placement);
    Geometry geometry{.name = context.names.unique(joined(component.refDes, component.packageRef)),
                      .blockType = block_type::Component};
    bool fiducialPad = false;
    bool everyPinTested = !pins.empty();
    for (const auto& [number, group] : inPackageOrder(pins, package)) {
        Insert pin = pinFromPads(context, component, number, *group);
        const auto net = context.pinNets.find({component.refDes, number});
        const std::string& pinNet = net != context.pinNets.end() ? net->second : group->net;
        if (!pinNet.empty()) {
            insert.pinNets.emplace(number, pinNet);
            insert.net = insert.net.empty() ? pinNet : insert.net;
        }
        fiducialPad = fiducialPad || group->insertType == insert_type::Fiducial;
        everyPinTested = everyPinTested && pin.attributes.has(keyword::Test);
        geometry.data.emplace_back(std::move(pin));
    }
    if (pins.empty() && package != nullptr) {
        for (const PackagePin& packagePin : package->pins) {
            geometry.data.emplace_back(pinFromPackage(context, component, component.packageRef, packagePin));
        }
    }
    if (package != nullptr) {
        for (const Shape& body : package->body) {
            geometry.data.emplace_back(Graphic{.shape = body, .layer = context.layers.bodyTop()});
        }
    }
    const RoleMatch role = roleOf({.libraryName = component.packageRef,
                                   .reference = component.refDes,
                                   .properties = component.attributes,
                                   .fiducialPad = fiducialPad,
                                   .testpointPad = everyPinTested},
                                  context.roles);
    context.roleTally.add(role);
    insert.insertType = role.insertType;
    if (insert.insertType == insert_type::Testpoint) {
        insert.attributes.set(keyword::Test, "");
    } else if (insert.insertType == insert_type::Component) {
        insert.net = {}; // components carry their nets per pin
    }
    insert.geometry = context.design.addGeometry(std::move(geometry));
    return insert;
}

} // namespace lumora::engine::ipc2581
