#include "engine/io/DesignValues.h"

#include "engine/model/GeometryItems.h"
#include "engine/model/NumberText.h"
#include "engine/model/RoundedCorners.h"

#include <cmath>
#include <span>
#include <string_view>
#include <vector>

namespace lumora::engine {

namespace {

enum class Rule { Finite, Size, AboveZero };

struct NumberField {
    std::string_view name;
    double value;
    Rule rule;
};

struct RingField {
    std::string_view name;
    std::span<const Point> ring;
    std::size_t minPoints;
    std::size_t maxPoints = SIZE_MAX;
};

// The values of one thing as the design format reads them back.
struct Fields {
    std::string_view kind;
    std::vector<NumberField> numbers{};
    std::vector<RingField> rings{};
    std::optional<std::string> cornerProblem{}; // a complex pad's corner radii, which its outline limits

    Fields& point(std::string_view name, const Point& p) {
        numbers.push_back({name, p.x, Rule::Finite});
        numbers.push_back({name, p.y, Rule::Finite});
        return *this;
    }
    Fields& number(std::string_view name, double value, Rule rule = Rule::Finite) {
        numbers.push_back({name, value, rule});
        return *this;
    }
    Fields& ring(std::string_view name, std::span<const Point> points, std::size_t minPoints,
                 std::size_t maxPoints = SIZE_MAX) {
        rings.push_back({name, points, minPoints, maxPoints});
        return *this;
    }
};

struct ShapeFields {
    Fields operator()(const Pad& pad) const {
        const bool complex = pad.shape == pad_shape::Complex;
        Fields fields{"pad"};
        fields.point("position", pad.at)
            .number("width", pad.sizeX, Rule::Size)
            .number("height", pad.sizeY, Rule::Size)
            .number("inner diameter", innerOf(pad), Rule::Size)
            .number("rotation", pad.rotation)
            .number("spoke width", spokeWidthOf(pad), Rule::Size)
            .ring("outline", outlineOf(pad), complex ? 3 : 0, complex ? SIZE_MAX : 0);
        if (const std::optional<std::string> problem =
                cornerRadiusProblem(outlineOf(pad), cornerRadiiOf(pad))) {
            fields.cornerProblem = "outline " + *problem;
        }
        return fields;
    }
    Fields operator()(const Line& line) const {
        Fields fields{"line"};
        fields.point("start", line.from).point("end", line.to).number("width", line.width, Rule::Size);
        return fields;
    }
    Fields operator()(const Arc& arc) const {
        Fields fields{"arc"};
        fields.point("centre", arc.center)
            .number("radius", arc.radius, Rule::Size)
            .number("start angle", arc.start)
            .number("sweep", arc.sweep)
            .number("width", arc.width, Rule::Size);
        return fields;
    }
    Fields operator()(const Circle& circle) const {
        Fields fields{"circle"};
        fields.point("centre", circle.center)
            .number("radius", circle.radius, Rule::Size)
            .number("width", circle.width, Rule::Size);
        return fields;
    }
    Fields operator()(const Polygon& polygon) const {
        Fields fields{"polygon"};
        fields.ring("outline", polygon.outline, 3);
        for (const Ring& hole : polygon.holes) {
            fields.ring("hole", hole, 3);
        }
        return fields;
    }
    Fields operator()(const Mark& mark) const {
        Fields fields{"mark"};
        fields.point("position", mark.at);
        return fields;
    }
};

Fields itemFields(const DataItem& item) {
    if (const auto* insert = std::get_if<Insert>(&item)) {
        Fields fields{"insert"};
        fields.point("position", insert->at)
            .number("rotation", insert->rotation)
            .number("scale", insert->scale, Rule::AboveZero);
        return fields;
    }
    return std::visit(ShapeFields{}, std::get<Graphic>(item).shape);
}

std::optional<std::string> numberProblem(const NumberField& field) {
    if (!std::isfinite(field.value)) {
        return std::string(field.name) + " is not a finite number";
    }
    if (field.rule == Rule::Size && field.value < 0) {
        return std::string(field.name) + " cannot be negative (" + formatNumber(field.value) + ")";
    }
    if (field.rule == Rule::AboveZero && field.value <= 0) {
        return std::string(field.name) + " must be above 0 (" + formatNumber(field.value) + ")";
    }
    return std::nullopt;
}

std::optional<std::string> ringProblem(const RingField& field) {
    const std::size_t count = field.ring.size();
    if (count < field.minPoints || count > field.maxPoints) {
        const std::string allowed =
            field.maxPoints == 0 ? "none" : "at least " + std::to_string(field.minPoints);
        return std::string(field.name) + " has " + std::to_string(count) + " points (" + allowed +
               " allowed)";
    }
    for (const Point& p : field.ring) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            return std::string(field.name) + " holds a point that is not finite";
        }
    }
    return std::nullopt;
}

// The first problem that check finds among the elements.
template <class Range, class Check> std::optional<std::string> firstProblem(const Range& range, Check check) {
    for (const auto& element : range) {
        if (std::optional<std::string> problem = check(element)) {
            return problem;
        }
    }
    return std::nullopt;
}

std::optional<std::string> fieldsProblem(const Fields& fields) {
    if (std::optional<std::string> problem = firstProblem(fields.numbers, numberProblem)) {
        return problem;
    }
    if (std::optional<std::string> problem = firstProblem(fields.rings, ringProblem)) {
        return problem;
    }
    return fields.cornerProblem;
}

std::string quoted(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

std::optional<std::string> geometryProblem(const Geometry& geometry) {
    Fields own{"geometry"};
    own.number("thickness", geometry.thickness, Rule::Size)
        .number("hole size", geometry.hole.size, Rule::Size);
    if (auto problem = fieldsProblem(own)) {
        return "geometry " + quoted(geometry.name) + ": " + *problem;
    }
    std::size_t position = 0;
    for (std::span<const DataItem> items : itemSpans(geometry)) {
        for (const DataItem& item : items) {
            const Fields fields = itemFields(item);
            ++position;
            if (auto problem = fieldsProblem(fields)) {
                return "geometry " + quoted(geometry.name) + ", item " + std::to_string(position) + " (" +
                       std::string(fields.kind) + "): " + *problem;
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> fileProblem(const File& file) {
    Fields fields{"file"};
    fields.point("position", file.at)
        .number("rotation", file.rotation)
        .number("scale", file.scale, Rule::AboveZero);
    if (auto problem = fieldsProblem(fields)) {
        return "file " + quoted(file.name) + ": " + *problem;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> findValueProblem(const Design& design) {
    if (auto problem = firstProblem(design.geometries,
                                    [](const auto& entry) { return geometryProblem(entry.second); })) {
        return problem;
    }
    return firstProblem(design.files, fileProblem);
}

} // namespace lumora::engine
