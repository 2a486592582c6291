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

std::optional<std::size_t> AttributeList::position(std::string_view keyword) const {
    if (index_) {
        return index_->find(keyword);
    }
    auto found =
        std::ranges::find_if(items_, [&](const Attribute& a) { return sameKeyword(a.keyword, keyword); });
    return found != items_.end() ? std::optional(static_cast<std::size_t>(found - items_.begin()))
                                 : std::nullopt;
}

const std::string* AttributeList::find(std::string_view keyword) const {
    std::optional<std::size_t> at = position(keyword);
    return at ? &items_[*at].value : nullptr;
}

void AttributeList::set(std::string_view keyword, std::string value) {
    if (std::optional<std::size_t> at = position(keyword)) {
        items_[*at].value = std::move(value);
    } else {
        append({std::string(keyword), std::move(value)});
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
            append(attribute);
        }
    }
}

void AttributeList::append(Attribute attribute) {
    items_.push_back(std::move(attribute));
    if (index_) {
        index_->add(items_.back().keyword, items_.size() - 1);
    } else if (items_.size() >= kIndexedFrom) {
        reindex();
    }
}

void AttributeList::reindex() {
    index_.reset();
    if (items_.size() < kIndexedFrom) {
        return;
    }
    KeywordIndex index;
    for (std::size_t at = 0; at < items_.size(); ++at) {
        index.add(items_[at].keyword, at);
    }
    index_ = std::move(index);
}

} // namespace lumora::engine
