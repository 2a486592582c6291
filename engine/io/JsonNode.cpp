#include "engine/io/JsonNode.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/model/NumberText.h"

namespace lumora::engine {

namespace {

std::string typeName(const Json& value) {
    return value.type_name();
}

std::string childPath(const std::string& parent, std::string_view key) {
    std::string path;
    path.reserve(parent.size() + 1 + key.size());
    path += parent;
    path += '/';
    for (char c : key) {
        path += c == '~' ? "~0" : c == '/' ? "~1" : std::string_view(&c, 1);
    }
    return path;
}

} // namespace

void failAt(const std::string& path, const std::string& problem) {
    throw DesignFormatError("at " + (path.empty() ? std::string("/") : path) + ": " + problem);
}

void JsonNode::fail(const std::string& problem) const {
    failAt(path_, problem);
}

std::string JsonNode::elementPath(std::size_t position) const {
    return path_ + "/" + std::to_string(position);
}

void JsonNode::expectObject(std::initializer_list<std::string_view> allowed) const {
    if (!value_.is_object()) {
        fail("expected an object, found " + typeName(value_));
    }
    for (const auto& [key, ignored] : value_.items()) {
        if (std::ranges::find(allowed, std::string_view(key)) == allowed.end()) {
            fail("unknown member \"" + key + "\"");
        }
    }
}

bool JsonNode::has(std::string_view key) const {
    return value_.is_object() && value_.contains(key);
}

JsonNode JsonNode::member(std::string_view key) const {
    if (!has(key)) {
        fail("missing member \"" + std::string(key) + "\"");
    }
    return JsonNode(value_.at(std::string(key)), childPath(path_, key));
}

std::optional<JsonNode> JsonNode::optionalMember(std::string_view key) const {
    if (!has(key)) {
        return std::nullopt;
    }
    return JsonNode(value_.at(std::string(key)), childPath(path_, key));
}

std::vector<JsonNode> JsonNode::elements() const {
    if (!value_.is_array()) {
        fail("expected an array, found " + typeName(value_));
    }
    std::vector<JsonNode> result;
    result.reserve(value_.size());
    for (std::size_t i = 0; i < value_.size(); ++i) {
        result.emplace_back(value_[i], elementPath(i));
    }
    return result;
}

std::vector<std::pair<std::string, JsonNode>> JsonNode::members() const {
    if (!value_.is_object()) {
        fail("expected an object, found " + typeName(value_));
    }
    std::vector<std::pair<std::string, JsonNode>> result;
    for (const auto& [key, value] : value_.items()) {
        result.emplace_back(key, JsonNode(value, childPath(path_, key)));
    }
    return result;
}

std::string JsonNode::text() const {
    if (!value_.is_string()) {
        fail("expected a text, found " + typeName(value_));
    }
    return value_.get<std::string>();
}

double JsonNode::number() const {
    if (!value_.is_number()) {
        fail("expected a number, found " + typeName(value_));
    }
    const double result = value_.get<double>();
    if (!std::isfinite(result)) {
        fail("number out of range");
    }
    return result;
}

double JsonNode::size() const {
    const double result = number();
    if (result < 0) {
        fail("expected a size of 0 or more, found " + formatNumber(result));
    }
    return result;
}

double JsonNode::positive() const {
    const double result = number();
    if (result <= 0) {
        fail("expected a number above 0, found " + formatNumber(result));
    }
    return result;
}

int64_t JsonNode::integer(int64_t min, int64_t max) const {
    if (!value_.is_number_integer()) {
        fail("expected a whole number, found " + typeName(value_));
    }
    // Non-negative numbers are stored unsigned: the minimum applies to them too.
    const bool beyondSigned =
        value_.is_number_unsigned() && value_.get<uint64_t>() > static_cast<uint64_t>(INT64_MAX);
    if (beyondSigned || value_.get<int64_t>() > max || value_.get<int64_t>() < min) {
        fail("number out of range " + std::to_string(min) + " to " + std::to_string(max));
    }
    return value_.get<int64_t>();
}

bool JsonNode::boolean() const {
    if (!value_.is_boolean()) {
        fail("expected true or false, found " + typeName(value_));
    }
    return value_.get<bool>();
}

Point JsonNode::point() const {
    if (!value_.is_array() || value_.size() != 2) {
        fail("expected a point [x, y]");
    }
    return {coordinate(0), coordinate(1)};
}

// Points are most of a design file: their coordinates get a pointer only when they fail.
double JsonNode::coordinate(std::size_t position) const {
    const Json& value = value_[position];
    if (value.is_number() && std::isfinite(value.get<double>())) {
        return value.get<double>();
    }
    return JsonNode(value, elementPath(position)).number();
}

Ring JsonNode::ring(std::size_t minPoints) const {
    const std::vector<JsonNode> points = elements();
    Ring result;
    result.reserve(points.size()); // a board's rings are kept for the run: no room to spare
    for (const JsonNode& element : points) {
        result.push_back(element.point());
    }
    if (result.size() < minPoints) {
        fail("expected at least " + std::to_string(minPoints) + " points");
    }
    return result;
}

std::string JsonNode::textOrNumber() const {
    if (value_.is_number()) {
        return formatNumber(number());
    }
    return text();
}

std::string JsonNode::textOr(std::string_view key, std::string fallback) const {
    auto found = optionalMember(key);
    return found ? found->text() : std::move(fallback);
}

double JsonNode::numberOr(std::string_view key, double fallback) const {
    auto found = optionalMember(key);
    return found ? found->number() : fallback;
}

double JsonNode::sizeOr(std::string_view key, double fallback) const {
    auto found = optionalMember(key);
    return found ? found->size() : fallback;
}

bool JsonNode::booleanOr(std::string_view key, bool fallback) const {
    auto found = optionalMember(key);
    return found ? found->boolean() : fallback;
}

} // namespace lumora::engine
