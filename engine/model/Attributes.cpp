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
    std::optional<std::size_t> position = index_.find(keyword);
    return position ? &items_[*position].value : nullptr;
}

void AttributeList::set(std::string_view keyword, std::string value) {
    if (std::optional<std::size_t> position = index_.find(keyword)) {
        items_[*position].value = std::move(value);
    } else {
        index_.add(keyword, items_.size());
        items_.push_back({std::string(keyword), std::move(value)});
    }
}

void AttributeList::erase(std::string_view keyword) {
    if (std::erase_if(items_, [&](const Attribute& a) { return sameKeyword(a.keyword, keyword); }) > 0) {
        reindex();
    }
}

void AttributeList::addMissing(const AttributeList& other) {
    for (const Attribute& attribute : other) {
        if (!has(attribute.keyword)) {
            index_.add(attribute.keyword, items_.size());
            items_.push_back(attribute);
        }
    }
}

void AttributeList::reindex() {
    index_.clear();
    for (std::size_t position = 0; position < items_.size(); ++position) {
        index_.add(items_[position].keyword, position);
    }
}

} // namespace lumora::engine
