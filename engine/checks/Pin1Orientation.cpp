// Pin1Orientation: gathers the chosen components (by side and kind) per component geometry and side.
// In a gathering of at least ignoreCount components, pin 1 belongs where most of them have it: at
// the rotation most of them share (the smallest of those equally common). Every component of the
// gathering turned otherwise is one Critical finding at its pin 1, measured in degrees against that
// rotation. Top and bottom placements are never compared, as mirroring moves pin 1.

#include "engine/checks/CheckFunctions.h"
#include "engine/measure/ComponentChoice.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace lumora::engine {

namespace {

constexpr double kStepsPerDegree = 1e6; // rotations closer than a millionth of a degree are equal
constexpr long long kStepsPerTurn = 360'000'000;

struct Placement {
    long long steps; // the rotation in steps of [0, kStepsPerTurn)
    double rotation;
    Point pinOne;
    DrcItem item;
};

long long stepsOf(double rotation) {
    return std::llround(rotation * kStepsPerDegree) % kStepsPerTurn;
}

// Where pin "1" of the component ends up; its origin when it has no such pin.
Point pinOneOf(const Design& design, const PlacedInsert& component) {
    for (const DataItem& item : design.geometry(component.insert.geometry).data) {
        const auto* pin = std::get_if<Insert>(&item);
        if (pin && pin->insertType == insert_type::Pin && pin->refName == kPinOne) {
            return component.placed.apply(pin->at);
        }
    }
    return component.at();
}

long long commonSteps(const std::vector<Placement>& placements) {
    std::map<long long, int> counts;
    for (const Placement& placement : placements) {
        ++counts[placement.steps];
    }
    // The first of the most common is the smallest rotation among them.
    return std::ranges::max_element(counts, {}, [](const auto& count) { return count.second; })->first;
}

} // namespace

std::vector<Finding> check(CheckContext& context, const Pin1OrientationArgs& args) {
    const ComponentChoice choice{args.top, args.bottom, args.thruHole, args.smd};
    const Design& design = context.design();
    using Gathering = std::pair<int16_t, int16_t>; // by geometry and side
    using Chosen = std::vector<std::pair<Gathering, Placement>>;
    const auto parts =
        placedInsertsInParts<Chosen>(design, args.filePos, [&](Chosen& chosen, const PlacedInsert& placed) {
            if (choice.chooses(design, placed)) {
                const double rotation = placed.rotation();
                chosen.push_back({{placed.insert.geometry, placed.surface()},
                                  {stepsOf(rotation), rotation, pinOneOf(design, placed), placed.item()}});
            }
        });
    std::map<Gathering, std::vector<Placement>> gatherings;
    for (const Chosen& part : parts) {
        for (const auto& [gathering, placement] : part) {
            gatherings[gathering].push_back(placement);
        }
    }
    std::vector<Finding> findings;
    for (const auto& [key, placements] : gatherings) {
        if (std::ssize(placements) < args.ignoreCount) {
            continue;
        }
        const long long common = commonSteps(placements);
        for (const Placement& placement : placements) {
            if (placement.steps == common) {
                continue;
            }
            findings.push_back({.check = context.name(),
                                .severity = Severity::Critical,
                                .file = args.filePos,
                                .at = placement.pinOne,
                                .measure = "rotation",
                                .measured = placement.rotation,
                                .required = static_cast<double>(common) / kStepsPerDegree,
                                .items = {placement.item}});
        }
    }
    return findings;
}

} // namespace lumora::engine
