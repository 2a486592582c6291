#include "engine/model/Attributes.h"

#include <algorithm>
#include <cctype>

namespace lumora::engine {

bool sameKeyword(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

AttributeList::AttributeList(std::initializer_list<Attribute> attributes) {
    for (const Attribute& attribute : attributes) {
        set(attribute.keyword, attribute.value);
    }
}

const std::string* AttributeList::find(std::string_view keyword) const {
    auto found =
        std::ranges::find_if(items_, [&](const Attribute& a) { return sameKeyword(a.keyword, keyword); });
    return found != items_.end() ? &found->value : nullptr;
}

void AttributeList::set(std::string_view keyword, std::string value) {
    auto found =
        std::ranges::find_if(items_, [&](const Attribute& a) { return sameKeyword(a.keyword, keyword); });
    if (found != items_.end()) {
        found->value = std::move(value);
    } else {
        items_.push_back({std::string(keyword), std::move(value)});
    }
}

void AttributeList::erase(std::string_view keyword) {
    std::erase_if(items_, [&](const Attribute& a) { return sameKeyword(a.keyword, keyword); });
}

void AttributeList::addMissing(const AttributeList& other) {
    for (const Attribute& attribute : other) {
        if (!has(attribute.keyword)) {
            items_.push_back(attribute);
        }
    }
}

} // namespace lumora::engine
