#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumora::engine {

// "keyword compares with value" as FlattenByAttrib and FilterGeometry take it.
class AttributeCondition {
  public:
    // Raises Refusal: -13 for an unknown comparison type, -6 for a numeric comparison whose
    // value is not a number.
    AttributeCondition(std::string keyword, std::string value, int32_t comparison);

    const std::string& keyword() const { return keyword_; }
    // itemValue is the item's value of the keyword, none when it lacks the keyword.
    bool matches(std::optional<std::string_view> itemValue) const;
    // The same condition with its number, for the numeric comparisons, multiplied by factor: a
    // length given in one unit compared with values in another.
    AttributeCondition scaled(double factor) const;

    bool operator==(const AttributeCondition&) const = default;

  private:
    std::string keyword_;
    std::string value_;
    std::optional<double> number_;
    int32_t comparison_;
};

} // namespace lumora::engine
