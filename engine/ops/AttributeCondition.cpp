#include "engine/ops/AttributeCondition.h"

#include "engine/model/CodeNames.h"
#include "engine/model/NumberText.h"
#include "engine/model/Refusal.h"

namespace lumora::engine {

namespace {

bool isNumeric(int32_t comparison) {
    return comparison == comparison::Greater || comparison == comparison::GreaterOrEqual ||
           comparison == comparison::Less || comparison == comparison::LessOrEqual;
}

bool isKnown(int32_t comparison) {
    return isNumeric(comparison) || comparison == comparison::Equal || comparison == comparison::HasKeyword ||
           comparison == comparison::LacksKeyword;
}

} // namespace

AttributeCondition::AttributeCondition(std::string keyword, std::string value, int32_t comparison)
    : keyword_(std::move(keyword)), value_(std::move(value)), number_(parseNumber(value_)),
      comparison_(comparison) {
    if (!isKnown(comparison_)) {
        throw Refusal(rc::ValueOutOfRange, "unknown comparison type " + std::to_string(comparison_));
    }
    if (isNumeric(comparison_) && !number_) {
        throw Refusal(rc::WrongType, "\"" + value_ + "\" is not a number");
    }
}

AttributeCondition AttributeCondition::scaled(double factor) const {
    AttributeCondition result = *this;
    if (isNumeric(comparison_)) {
        result.number_ = *number_ * factor;
    }
    return result;
}

bool AttributeCondition::matches(std::optional<std::string_view> itemValue) const {
    if (comparison_ == comparison::HasKeyword) {
        return itemValue.has_value();
    }
    if (comparison_ == comparison::LacksKeyword) {
        return !itemValue.has_value();
    }
    if (!itemValue) {
        return false;
    }
    const std::optional<double> item = parseNumber(*itemValue);
    if (comparison_ == comparison::Equal) {
        return *itemValue == value_ || (item && number_ && *item == *number_);
    }
    if (!item) {
        return false;
    }
    switch (comparison_) {
    case comparison::Greater:
        return *item > *number_;
    case comparison::GreaterOrEqual:
        return *item >= *number_;
    case comparison::Less:
        return *item < *number_;
    default:
        return *item <= *number_;
    }
}

} // namespace lumora::engine
