// GerberThermalBarrelPlugCheck: how the plated holes of component pins meet the planes of their own
// net. A plane layer (type plane or split plane) ties a pin when a polygon of the pin's net on it
// covers the hole's centre, or when the layer itself carries the net as its "NETNAME" attribute. A
// tie without a thermal pad in the pin's padstack (on that layer, or on a plane-thermal, inner or
// all-layers pad layer) lets the plane draw the heat out of the barrel: every such pin is Critical,
// measured as the number of its solid ties.

#include "engine/checks/CheckFunctions.h"
#include "engine/geom/Areas.h"
#include "engine/measure/PlacedInserts.h"
#include "engine/ops/AreaIndex.h"

#include <map>
#include <optional>

namespace lumora::engine {

namespace {

bool isPlane(const Layer& layer) {
    return layer.type == layer_type::Plane || layer.type == layer_type::SplitPlane;
}

// The plane copper of the board's own block, per layer and net: its pieces as they are, indexed by
// their boxes. A point lies in the union of closed pieces exactly when it lies in one of them, so
// the pieces are never united (uniting thousands of them one by one took minutes).
using PlaneCopper = std::map<std::pair<int16_t, std::string_view>, AreaIndex>; // the design's net names

PlaneCopper planeCopperOf(const Design& design, const Geometry& board) {
    std::map<std::pair<int16_t, std::string_view>, std::vector<Area>> pieces;
    for (const DataItem& item : board.data) {
        const auto* graphic = std::get_if<Graphic>(&item);
        if (graphic && !graphic->net.empty() && isPlane(design.layer(graphic->layer))) {
            pieces[{graphic->layer, graphic->net.view()}].push_back(areaOf(graphic->shape));
        }
    }
    PlaneCopper copper;
    for (auto& [key, areas] : pieces) {
        copper.emplace(key, AreaIndex(std::move(areas)));
    }
    return copper;
}

bool tied(const Layer& plane, std::string_view net, Point at, const PlaneCopper& copper) {
    if (const std::string* layerNet = plane.attributes.find(keyword::NetName); layerNet && *layerNet == net) {
        return true;
    }
    const auto found = copper.find({plane.number, net});
    return found != copper.end() && found->second.covers(at);
}

bool relievesThermally(int16_t type) {
    return type == layer_type::PlaneThermal || type == layer_type::PadInner || type == layer_type::PadAll;
}

bool hasThermal(const Design& design, const Geometry& padstack, bool mirrored, int16_t plane) {
    for (const DataItem& item : padstack.data) {
        const auto* graphic = std::get_if<Graphic>(&item);
        const auto* pad = graphic ? std::get_if<Pad>(&graphic->shape) : nullptr;
        if (!pad || pad->shape != pad_shape::Thermal) {
            continue;
        }
        const int16_t layer = mirrored ? design.mirrorLayer(graphic->layer) : graphic->layer;
        if (layer == plane || relievesThermally(design.layer(layer).type)) {
            return true;
        }
    }
    return false;
}

// A plated pin tied solidly to a plane of its net, Critical, measured as its solid ties.
std::optional<Finding> unrelievedPin(const CheckContext& context, const PlaneCopper& copper, int32_t filePos,
                                     const PlacedInsert& placed) {
    const Design& design = context.design();
    const Geometry& padstack = design.geometry(placed.insert.geometry);
    const std::string_view net = placed.net();
    if (placed.insert.insertType != insert_type::Pin || padstack.hole.size <= 0 || !padstack.hole.plated ||
        net.empty()) {
        return std::nullopt;
    }
    int solidTies = 0;
    for (const auto& slot : design.layers) {
        if (slot && isPlane(*slot) && tied(*slot, net, placed.at(), copper) &&
            !hasThermal(design, padstack, placed.placed.mirrored(), slot->number)) {
            ++solidTies;
        }
    }
    if (solidTies == 0) {
        return std::nullopt;
    }
    Finding finding = context.finding(Severity::Critical, filePos, placed.at());
    finding.measure = "plane ties without thermal relief";
    finding.measured = solidTies;
    finding.items = {placed.item()};
    return finding;
}

} // namespace

std::vector<Finding> check(CheckContext& context, const GerberThermalBarrelPlugCheckArgs& args) {
    const PlaneCopper copper = planeCopperOf(context.design(), context.fileBlock(args.filePos));
    const auto parts = placedInsertsInParts<std::vector<Finding>>(
        context.design(), args.filePos, [&](std::vector<Finding>& findings, const PlacedInsert& placed) {
            if (std::optional<Finding> finding = unrelievedPin(context, copper, args.filePos, placed)) {
                findings.push_back(std::move(*finding));
            }
        });
    std::vector<Finding> findings;
    for (const std::vector<Finding>& part : parts) {
        findings.insert(findings.end(), part.begin(), part.end());
    }
    return findings;
}

} // namespace lumora::engine
