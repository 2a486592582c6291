#include "engine/geom/Footprint.h"

namespace lumora::engine {

namespace {

Path centreLine(const Shape& shape) {
    if (const auto* line = std::get_if<Line>(&shape)) {
        return pathOf(*line);
    }
    if (const auto* arc = std::get_if<Arc>(&shape)) {
        return pathOf(*arc);
    }
    return {};
}

const Area kNoArea{};

} // namespace

Footprint::Footprint(const Shape& shape) {
    if (Area area = areaOf(shape); !area.empty()) {
        box_ = bg::return_envelope<Box>(area);
        ground_ = std::move(area);
    } else if (const auto* mark = std::get_if<Mark>(&shape)) {
        const AreaPoint point(mark->at.x, mark->at.y);
        box_ = Box(point, point);
        ground_ = point;
    } else if (Path path = centreLine(shape); !path.empty()) {
        box_ = bg::return_envelope<Box>(path);
        ground_ = std::move(path);
    }
}

const Area& Footprint::area() const {
    const auto* area = std::get_if<Area>(&ground_);
    return area ? *area : kNoArea;
}

double Footprint::distanceTo(const Footprint& other) const {
    return std::visit(
        [](const auto& a, const auto& b) -> double {
            using A = std::decay_t<decltype(a)>;
            using B = std::decay_t<decltype(b)>;
            if constexpr (std::is_same_v<A, std::monostate> || std::is_same_v<B, std::monostate>) {
                return 0;
            } else {
                return bg::distance(a, b);
            }
        },
        ground_, other.ground_);
}

bool Footprint::overlaps(const Footprint& other) const {
    return std::visit(
        [](const auto& a, const auto& b) -> bool {
            using A = std::decay_t<decltype(a)>;
            using B = std::decay_t<decltype(b)>;
            if constexpr (std::is_same_v<A, std::monostate> || std::is_same_v<B, std::monostate>) {
                return false;
            } else if constexpr (std::is_same_v<A, Area> && std::is_same_v<B, Area>) {
                return bg::intersects(a, b) && !bg::touches(a, b);
            } else if constexpr (std::is_same_v<A, Area>) {
                return bg::intersects(b, a) && !bg::touches(b, a);
            } else if constexpr (std::is_same_v<B, Area>) {
                return bg::intersects(a, b) && !bg::touches(a, b);
            } else {
                return false;
            }
        },
        ground_, other.ground_);
}

} // namespace lumora::engine
