#include "engine/ops/PinData.h"

#include "engine/model/NumberText.h"
#include "engine/ops/PinPads.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace lumora::engine {

namespace {

bool shareSide(const PinPads& a, const PinPads& b) {
    return (!a.top.empty() && !b.top.empty()) || (!a.bottom.empty() && !b.bottom.empty());
}

std::optional<double> pitchOf(const std::vector<PinPads>& pins, const PinPads& pin) {
    std::optional<double> nearest;
    for (const PinPads& other : pins) {
        if (&other == &pin || !shareSide(pin, other)) {
            continue;
        }
        const double distance = std::hypot(other.center.x - pin.center.x, other.center.y - pin.center.y);
        nearest = nearest ? std::min(*nearest, distance) : distance;
    }
    return nearest;
}

void setOrErase(AttributeList& attributes, std::string_view keyword,
                const std::optional<std::string>& value) {
    if (value) {
        attributes.set(keyword, *value);
    } else {
        attributes.erase(keyword);
    }
}

// Applies `update` to every component insert of every geometry, with its component geometry.
template <class F> void forEachComponentInsert(Design& design, F update) {
    for (auto& [number, geometry] : design.geometries) {
        for (DataItem& item : geometry.data) {
            auto* insert = std::get_if<Insert>(&item);
            if (insert && insert->insertType == insert_type::Component) {
                update(*insert);
            }
        }
    }
}

Insert& pinInsert(Geometry& component, const PinPads& pin) {
    return std::get<Insert>(component.data[pin.position]);
}

} // namespace

void generatePinPitch(Design& design) {
    design.keywordNumber(keyword::PinPitch, keyword_type::UnitDouble);
    std::map<int16_t, std::optional<double>> componentPitch;
    for (int16_t number : componentGeometries(design)) {
        Geometry& component = design.geometry(number);
        const std::vector<PinPads> pins = pinPadsOf(design, component);
        std::optional<double>& smallest = componentPitch[number];
        for (const PinPads& pin : pins) {
            const std::optional<double> pitch = pitchOf(pins, pin);
            setOrErase(pinInsert(component, pin).attributes, keyword::PinPitch,
                       pitch ? std::optional(formatNumber(*pitch)) : std::nullopt);
            if (pitch) {
                smallest = smallest ? std::min(*smallest, *pitch) : *pitch;
            }
        }
    }
    forEachComponentInsert(design, [&](Insert& insert) {
        const std::optional<double>& pitch = componentPitch[insert.geometry];
        setOrErase(insert.attributes, keyword::PinPitch,
                   pitch ? std::optional(formatNumber(*pitch * std::abs(insert.scale))) : std::nullopt);
    });
}

void generateSmdData(Design& design) {
    design.keywordNumber(keyword::Smd, keyword_type::Flag);
    std::map<int16_t, bool> allSurfaceMount;
    for (int16_t number : componentGeometries(design)) {
        Geometry& component = design.geometry(number);
        const std::vector<PinPads> pins = pinPadsOf(design, component);
        bool all = !pins.empty();
        for (const PinPads& pin : pins) {
            const bool smd = pin.surfaceMount && (!pin.top.empty() || !pin.bottom.empty());
            setOrErase(pinInsert(component, pin).attributes, keyword::Smd,
                       smd ? std::optional<std::string>("") : std::nullopt);
            all = all && smd;
        }
        allSurfaceMount[number] = all;
    }
    forEachComponentInsert(design, [&](Insert& insert) {
        setOrErase(insert.attributes, keyword::Smd,
                   allSurfaceMount[insert.geometry] ? std::optional<std::string>("") : std::nullopt);
    });
}

} // namespace lumora::engine
