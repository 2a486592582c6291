#pragma once

#include "engine/io/DesignFile.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine {

using Json = nlohmann::ordered_json;

// A value of a design file together with its JSON pointer, so that every complaint says where.
class JsonNode {
  public:
    JsonNode(const Json& value, std::string path) : value_(value), path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    const Json& json() const { return value_; }

    // Fails unless the value is an object whose members are all among `allowed`.
    void expectObject(std::initializer_list<std::string_view> allowed) const;
    bool has(std::string_view key) const;
    JsonNode member(std::string_view key) const; // fails when missing
    std::optional<JsonNode> optionalMember(std::string_view key) const;
    std::vector<JsonNode> elements() const; // fails unless an array
    // The members of an object, in file order.
    std::vector<std::pair<std::string, JsonNode>> members() const;

    std::string text() const;
    double number() const;
    // A number of 0 or more (a width, radius, size or thickness).
    double size() const;
    // A number above 0 (a scale).
    double positive() const;
    int64_t integer(int64_t min, int64_t max) const;
    bool boolean() const;
    Point point() const;
    Ring ring(std::size_t minPoints) const;
    // A text or a number, as attribute values may be written.
    std::string textOrNumber() const;

    std::string textOr(std::string_view key, std::string fallback) const;
    double numberOr(std::string_view key, double fallback) const;
    double sizeOr(std::string_view key, double fallback) const;
    bool booleanOr(std::string_view key, bool fallback) const;

    [[noreturn]] void fail(const std::string& problem) const;
    // The pointer of an element of this array.
    std::string elementPath(std::size_t position) const;

  private:
    double coordinate(std::size_t position) const;

    const Json& value_;
    std::string path_;
};

// Fails as a node at that JSON pointer does.
[[noreturn]] void failAt(const std::string& path, const std::string& problem);

} // namespace lumora::engine
