#include "engine/io/ipc2581/Ipc2581Dictionaries.h"

#include "engine/geom/Transform.h"
#include "engine/io/ipc2581/Ipc2581Geometry.h"

namespace lumora::engine::ipc2581 {

Shapes scaled(Shapes shapes, double factor) {
    if (factor != 1) {
        const Transform scale({}, 0, false, factor);
        for (Shape& shape : shapes) {
            shape = scale.apply(shape);
        }
    }
    return shapes;
}

void Dictionaries::addShapes(Kind kind, std::string id, Shapes shapes) {
    (kind == Kind::User ? user_ : standard_)[std::move(id)] = std::move(shapes);
}

std::optional<Shapes> Dictionaries::shapes(Kind kind, std::string_view id, std::string_view units) const {
    const auto& entries = kind == Kind::User ? user_ : standard_;
    const auto found = entries.find(id);
    if (found == entries.end()) {
        return std::nullopt;
    }
    return scaled(found->second, unitFactor(units_[index(kind)], units));
}

std::optional<double> Dictionaries::lineWidth(std::string_view id, std::string_view units) const {
    const auto found = lineWidths_.find(id);
    if (found == lineWidths_.end()) {
        return std::nullopt;
    }
    return found->second * unitFactor(units_[index(Kind::LineDesc)], units);
}

std::optional<bool> Dictionaries::hollow(std::string_view id) const {
    const auto found = hollow_.find(id);
    return found == hollow_.end() ? std::nullopt : std::optional<bool>(found->second);
}

} // namespace lumora::engine::ipc2581
