#include "engine/io/ipc2581/Ipc2581Step.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lumora::engine::ipc2581 {

namespace {

// More boards than any panel holds; bounds what a malformed StepRepeat can make.
constexpr int kMaxRepeats = 10'000;

constexpr std::array<std::string_view, 7> kStepRecords{"PadStackDef", "Datum",     "Profile",   "StepRepeat",
                                                       "Package",     "Component", "LogicalNet"};
constexpr std::array<std::string_view, 4> kFiducials{"GlobalFiducial", "LocalFiducial", "GoodPanelMark",
                                                     "BadBoardMark"};

int16_t insertTypeOfUsage(std::string_view padUsage) {
    return padUsage == "VIA"            ? insert_type::Via
           : padUsage == "FIDUCIAL"     ? insert_type::Fiducial
           : padUsage == "TOOLING_HOLE" ? insert_type::ToolingHole
                                        : insert_type::FreePad;
}

Transform placementWithLocation(const XmlElement& owner, const Lengths& lengths) {
    const std::optional<XmlElement> location = owner.child("Location");
    if (!location) {
        owner.fail("<" + std::string(owner.name()) + "> has no Location");
    }
    return placementOf(owner.child("Xform"), lengths.point(*location), lengths);
}

Shapes requiredFeature(const XmlElement& owner, const ShapeReading& reading) {
    std::optional<Shapes> shapes = childFeatureShapes(owner, reading);
    if (!shapes) {
        owner.fail("<" + std::string(owner.name()) + "> has no feature");
    }
    return std::move(*shapes);
}

int repeatCount(const XmlElement& repeat, std::string_view attribute) {
    const double count = repeat.number(attribute);
    if (count < 0 || count > kMaxRepeats || count != std::floor(count)) {
        repeat.fail(std::string(attribute) + " of <StepRepeat> is not a whole number from 0 to " +
                    std::to_string(kMaxRepeats));
    }
    return static_cast<int>(count);
}

std::tuple<double, double, std::string> placeKeyOf(const Transform& placement, std::string_view padstack) {
    return {placement.offset().x, placement.offset().y, std::string(padstack)};
}

// "through" from the outer copper layer on top to the one below, "blind" from one of them, else
// "buried": by the span of the hole's drill layer, else by the copper layers its pads are on.
std::string viaTypeOf(const LayerTable& layers, const PadGroup& via, const std::optional<DrillHole>& hole) {
    std::optional<std::pair<int16_t, int16_t>> span = hole ? layers.span(hole->layer) : std::nullopt;
    if (!span) {
        for (const PlacedPad& pad : via.pads) {
            if (layers.isCopper(pad.layer)) {
                span = span ? std::pair{std::min(span->first, pad.layer), std::max(span->second, pad.layer)}
                            : std::pair{pad.layer, pad.layer};
            }
        }
    }
    if (!span) {
        return "through";
    }
    const bool top = span->first == 1;
    const bool bottom = span->second == layers.copperCount();
    return top && bottom ? "through" : top || bottom ? "blind" : "buried";
}

// A hole no pad surrounds: its padstack is the hole and its disc.
Geometry holePadstack(const DrillHole& hole) {
    Geometry padstack{.blockType = block_type::Padstack,
                      .hole = Hole{.size = hole.diameter, .plated = hole.plated}};
    if (hole.layer != 0) {
        padstack.data.emplace_back(Graphic{.shape = Circle{{}, hole.diameter / 2, 0}, .layer = hole.layer});
    }
    return padstack;
}

} // namespace

StepReader::StepReader(const XmlElement& step, StepSetup setup)
    : setup_(setup), name_(step.text("name")), stackupRef_(step.attribute("stackupRef").value_or("")) {
    ++setup_.counts.steps;
}

bool StepReader::enters(const XmlElement& element) {
    if (element.name() == "PhyNetGroup") {
        return true;
    }
    if (element.name() != "LayerFeature") {
        return false;
    }
    layer_ = setup_.layers.require(element, element.text("layerRef"));
    layerNegative_ = setup_.layers.isNegative(layer_);
    layerFeatures_ = true;
    const bool outline = setup_.design.layer(layer_).type == layer_type::BoardOutline;
    layerClass_ = setup_.layers.isCopper(layer_) ? graphic_class::Etch
                  : outline && !hasProfile_      ? outlineClass()
                                                 : graphic_class::Normal;
    return true;
}

bool StepReader::reads(std::string_view element) const {
    return std::ranges::find(kStepRecords, element) != kStepRecords.end();
}

void StepReader::leave(std::string_view container) {
    if (container == "LayerFeature") {
        layer_ = 0;
    }
}

void StepReader::record(const XmlElement& element) {
    const std::string_view name = element.name();
    const Lengths& lengths = setup_.reading.lengths;
    if (name == "Set") {
        readSet(element);
    } else if (name == "PhyNet") {
        readPhyNet(element);
    } else if (name == "Component") {
        const auto package = packages_.find(element.attribute("packageRef").value_or(""));
        components_.push_back(readComponent(element, setup_.layers, lengths,
                                            package == packages_.end() ? nullptr : &package->second));
        ++setup_.counts.components;
    } else if (name == "Package") {
        packages_.insert_or_assign(std::string(element.text("name")), readPackage(element, setup_.reading));
    } else if (name == "LogicalNet") {
        readLogicalNet(element);
    } else if (name == "PadStackDef") {
        readPadStackDef(element);
    } else if (name == "Profile") {
        readProfile(element);
    } else if (name == "StepRepeat") {
        readStepRepeat(element);
    } else if (name == "Datum") {
        datum_ = lengths.point(element);
    }
}

void StepReader::readSet(const XmlElement& set) {
    if (layerNegative_ || set.attribute("polarity") == "NEGATIVE") {
        negativeLayers_.insert(setup_.design.layer(layer_).name);
        return;
    }
    const SetFacts facts{.net = set.attribute("net").value_or(""),
                         .padUsage = set.attribute("padUsage").value_or(""),
                         .test = set.flag("testPoint")};
    set.forEachChild([&](const XmlElement& child) {
        const std::string_view name = child.name();
        if (name == "Features") {
            readFeatures(child, facts);
        } else if (name == "Pad") {
            readPad(child, facts);
        } else if (name == "Hole") {
            readHole(child, facts);
        } else if (name == "SlotCavity") {
            readSlot(child);
        } else if (std::ranges::find(kFiducials, name) != kFiducials.end()) {
            readFiducial(child);
        }
    });
}

void StepReader::addGraphics(const Shapes& shapes, const Transform& placement, int16_t layer,
                             std::string_view net) {
    const bool copper = setup_.layers.isCopper(layer);
    for (const Shape& shape : shapes) {
        geometry_.data.emplace_back(
            Graphic{.shape = placement.apply(shape),
                    .layer = layer,
                    .graphicClass = layer == layer_ ? layerClass_ : graphic_class::Normal,
                    .net = copper ? std::string(net) : std::string()});
    }
}

// A Features element places its feature at each of its locations, or where the feature's own
// coordinates put it when it has none.
void StepReader::readFeatures(const XmlElement& features, const SetFacts& facts) {
    const Shapes shapes = childFeatureShapes(features, setup_.reading).value_or(Shapes{});
    const std::optional<XmlElement> xform = features.child("Xform");
    const Lengths& lengths = setup_.reading.lengths;
    bool located = false;
    features.forEachChild([&](const XmlElement& location) {
        if (location.name() == "Location") {
            addGraphics(shapes, placementOf(xform, lengths.point(location), lengths), layer_, facts.net);
            located = true;
        }
    });
    if (!located) {
        addGraphics(shapes, placementOf(xform, {}, lengths), layer_, facts.net);
    }
}

PadGroup& StepReader::placeGroup(const PlaceKey& key, const SetFacts& facts) {
    const auto [found, added] = placeIndex_.try_emplace(key, placeGroups_.size());
    if (added) {
        placeGroups_.emplace_back();
    }
    PadGroup& group = placeGroups_[found->second];
    if (group.insertType == insert_type::FreePad) {
        group.insertType = insertTypeOfUsage(facts.padUsage);
    }
    return group;
}

void StepReader::readPad(const XmlElement& pad, const SetFacts& facts) {
    PlacedPad placed{.layer = layer_,
                     .placement = placementWithLocation(pad, setup_.reading.lengths),
                     .shapes = requiredFeature(pad, setup_.reading)};
    const std::string_view padstack = pad.attribute("padstackDefRef").value_or("");
    const std::optional<XmlElement> pinRef = pad.child("PinRef");
    const std::optional<std::string_view> component =
        pinRef ? pinRef->attribute("componentRef") : std::nullopt;
    PadGroup* group = nullptr;
    if (component && pinRef->attribute("pin")) {
        const std::pair key{std::string(*component), std::string(pinRef->text("pin"))};
        const auto [found, added] = pinGroups_.try_emplace(key);
        if (added) {
            pinOrder_[key.first].push_back(key.second);
        }
        group = &found->second;
        if (facts.padUsage == "FIDUCIAL") {
            group->insertType = insert_type::Fiducial;
        }
    } else {
        group = &placeGroup(placeKeyOf(placed.placement, padstack), facts);
    }
    group->padstack = group->padstack.empty() ? std::string(padstack) : group->padstack;
    group->net = group->net.empty() ? std::string(facts.net) : group->net;
    group->test = group->test || facts.test;
    group->pads.push_back(std::move(placed));
    ++setup_.counts.pads;
}

void StepReader::readFiducial(const XmlElement& fiducial) {
    PlacedPad placed{.layer = layer_,
                     .placement = placementWithLocation(fiducial, setup_.reading.lengths),
                     .shapes = requiredFeature(fiducial, setup_.reading)};
    PadGroup& group = placeGroup(placeKeyOf(placed.placement, ""), {.padUsage = "FIDUCIAL"});
    group.pads.push_back(std::move(placed));
}

void StepReader::readHole(const XmlElement& hole, const SetFacts& facts) {
    const bool plated = hole.attribute("platingStatus") != "NONPLATED";
    const bool onDrill = setup_.design.layer(layer_).type == layer_type::Drill;
    holes_.add(DrillHole{.at = setup_.reading.lengths.point(hole),
                         .diameter = setup_.reading.lengths.size(hole, "diameter"),
                         .plated = plated,
                         .layer = !plated   ? setup_.layers.unplated()
                                  : onDrill ? layer_
                                            : int16_t{0},
                         .net = std::string(facts.net)});
    ++setup_.counts.holes;
}

// A slot or cavity: its outline as the area it cuts, on the drill layer (plated) or the unplated one.
void StepReader::readSlot(const XmlElement& slot) {
    const Lengths& lengths = setup_.reading.lengths;
    const std::optional<XmlElement> location = slot.child("Location");
    const Transform placement =
        placementOf(slot.child("Xform"), location ? lengths.point(*location) : Point{}, lengths);
    Shapes shapes;
    const std::optional<XmlElement> outline = slot.child("Outline");
    if (const std::optional<XmlElement> polygon = outline ? outline->child("Polygon") : std::nullopt) {
        shapes.emplace_back(Polygon{ringOf(stepPathOf(*polygon, lengths)), {}});
    } else {
        shapes = childFeatureShapes(slot, setup_.reading).value_or(Shapes{});
    }
    const bool plated = slot.attribute("platingStatus") != "NONPLATED";
    addGraphics(shapes, placement, plated ? layer_ : setup_.layers.unplated(), "");
}

void StepReader::readProfile(const XmlElement& profile) {
    profile.forEachChild([&](const XmlElement& contour) {
        if (contour.name() == "Polygon" || contour.name() == "Cutout") {
            StepPath path = stepPathOf(contour, setup_.reading.lengths);
            if (!path.steps.empty() && path.steps.back().to != path.start) {
                path.steps.push_back({.to = path.start}); // a profile is closed
            }
            const Shapes strokes = strokesOf(path, 0);
            profile_.insert(profile_.end(), strokes.begin(), strokes.end());
        }
    });
    hasProfile_ = true;
}

void StepReader::readStepRepeat(const XmlElement& repeat) {
    StepRepeatSpec spec{.step = std::string(repeat.text("stepRef")),
                        .at = setup_.reading.lengths.point(repeat),
                        .nx = repeatCount(repeat, "nx"),
                        .ny = repeatCount(repeat, "ny"),
                        .dx = setup_.reading.lengths.size(repeat, "dx"),
                        .dy = setup_.reading.lengths.size(repeat, "dy"),
                        .angle = repeat.numberOr("angle", 0),
                        .mirror = repeat.flag("mirror"),
                        .where = repeat.where()};
    if (spec.nx * spec.ny > kMaxRepeats) {
        repeat.fail("<StepRepeat> places more than " + std::to_string(kMaxRepeats) + " boards");
    }
    repeats_.push_back(std::move(spec));
}

void StepReader::readPadStackDef(const XmlElement& padstack) {
    const std::optional<XmlElement> hole = padstack.child("PadstackHoleDef");
    if (hole && padstack.attribute("name")) {
        definedHoles_.insert_or_assign(std::string(padstack.text("name")),
                                       DrillHole{.diameter = setup_.reading.lengths.size(*hole, "diameter"),
                                                 .plated = hole->attribute("platingStatus") != "NONPLATED"});
    }
}

void StepReader::readLogicalNet(const XmlElement& net) {
    const std::string name(net.text("name"));
    net.forEachChild([&](const XmlElement& pin) {
        const std::optional<std::string_view> component = pin.attribute("componentRef");
        if (pin.name() == "PinRef" && component && pin.attribute("pin")) {
            pinNets_.insert_or_assign({std::string(*component), std::string(pin.text("pin"))}, name);
        }
    });
    ++setup_.counts.logicalNets;
}

// A net point marked as a test point makes the pad or via at its place one.
void StepReader::readPhyNet(const XmlElement& net) {
    net.forEachChild([&](const XmlElement& point) {
        if (point.name() == "PhyNetPoint" && point.flag("test")) {
            const Point at = setup_.reading.lengths.point(point);
            testMarks_.insert({at.x, at.y});
        }
    });
    ++setup_.counts.phyNets;
}

int16_t StepReader::outlineClass() const {
    return repeats_.empty() ? graphic_class::BoardOutline : graphic_class::PanelOutline;
}

void StepReader::addProfile() {
    const bool panel = !repeats_.empty();
    for (const Shape& stroke : profile_) {
        geometry_.data.emplace_back(
            Graphic{.shape = stroke,
                    .layer = panel ? setup_.layers.panelProfile() : setup_.layers.profile(),
                    .graphicClass = outlineClass()});
    }
}

void StepReader::addComponents() {
    ComponentContext context{.design = setup_.design,
                             .layers = setup_.layers,
                             .padstacks = setup_.padstacks,
                             .names = setup_.names,
                             .holes = holes_,
                             .definedHoles = definedHoles_,
                             .pinNets = pinNets_,
                             .testMarks = testMarks_,
                             .roles = setup_.roles,
                             .roleTally = setup_.roleTally};
    for (const ComponentPlacement& component : components_) {
        PinPads pins;
        if (const auto order = pinOrder_.find(component.refDes); order != pinOrder_.end()) {
            for (const std::string& pin : order->second) {
                pins.emplace_back(pin, &pinGroups_.at({component.refDes, pin}));
            }
        }
        const auto package = packages_.find(component.packageRef);
        geometry_.data.emplace_back(placeComponent(
            context, component, package == packages_.end() ? nullptr : &package->second, pins));
        pinOrder_.erase(component.refDes);
    }
    // Pads of components the step does not place stand on their own.
    for (const auto& [component, pins] : pinOrder_) {
        for (const std::string& pin : pins) {
            placeGroups_.push_back(std::move(pinGroups_.at({component, pin})));
        }
    }
}

void StepReader::addPlacedGroups() {
    for (const PadGroup& group : placeGroups_) {
        std::optional<DrillHole> hole = holes_.take(group.frame().offset());
        if (!hole) {
            if (const auto defined = definedHoles_.find(group.padstack); defined != definedHoles_.end()) {
                hole = defined->second;
                hole->at = group.frame().offset();
            }
        }
        const bool via = group.insertType == insert_type::Via;
        Insert insert{
            .insertType = group.insertType,
            .geometry = setup_.padstacks.add(padstackOf(setup_.design, group, hole),
                                             group.padstack.empty() ? (via ? "VIA" : "PAD") : group.padstack),
            .net = group.net};
        setPlacement(insert, group.frame());
        if (via) {
            insert.attributes.set("VIA_TYPE", viaTypeOf(setup_.layers, group, hole));
            ++setup_.counts.vias;
        }
        if (group.test || markedForTest(group, testMarks_)) {
            insert.attributes.set(keyword::Test, "");
        }
        // A fiducial mark or a pad's usage: the file says so itself, by no rule.
        setup_.roleTally.add({.insertType = insert.insertType, .rule = "the file"});
        geometry_.data.emplace_back(std::move(insert));
    }
}

void StepReader::addHoles() {
    for (const DrillHole& hole : holes_.untaken()) {
        const bool unplated = !hole.plated && hole.net.empty();
        Insert insert{.insertType = insert_type::FreePad,
                      .geometry = setup_.padstacks.add(holePadstack(hole), unplated ? "NPTH" : "HOLE"),
                      .at = hole.at,
                      .net = hole.net};
        geometry_.data.emplace_back(std::move(insert));
    }
}

void StepReader::addNotes() {
    const std::string step = "step \"" + name_ + "\": ";
    if (!hasProfile_) {
        setup_.notes.push_back(step + "no Profile, so the board has no outline to measure to");
    }
    if (components_.empty() && repeats_.empty()) {
        setup_.notes.push_back(step + "no Component: no part is placed");
    }
    if (!layerFeatures_ && repeats_.empty()) {
        setup_.notes.push_back(step + "no LayerFeature: no copper, pads or holes to check");
    }
    for (const std::string& layer : negativeLayers_) {
        setup_.notes.push_back(step + "layer \"" + layer +
                               "\" is drawn in negative (its features clear copper); they are not imported");
    }
}

StepResult StepReader::finish() {
    geometry_.name = setup_.names.unique(name_);
    geometry_.blockType = repeats_.empty() ? block_type::Board : block_type::Panel;
    geometry_.thickness = repeats_.empty() ? setup_.layers.thickness(stackupRef_) : 0;
    addProfile();
    addComponents();
    addPlacedGroups();
    addHoles();
    addNotes();
    StepResult result{.name = name_, .datum = datum_, .repeats = std::move(repeats_)};
    result.geometry = setup_.design.addGeometry(std::move(geometry_));
    return result;
}

} // namespace lumora::engine::ipc2581
