#include "engine/model/Attributes.h"

#include <algorithm>

namespace lumora::engine {

bool sameKeyword(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return keywordUpper(x) == keywordUpper(y); });
}

AttributeList::AttributeList(std::initializer_list<Attribute> attributes) {
    for (const Attribute& attribute : attributes) {
        set(attribute.keyword, attribute.value);
    }
}

std::optional<std::size_t> AttributeList::position(std::string_view keyword) const {
    if (!body_) {
        return std::nullopt;
    }
    if (body_->index) {
        return body_->index->find(keyword);
    }
    const std::vector<Attribute>& items = body_->items;
    auto found =
        std::ranges::find_if(items, [&](const Attribute& a) { return sameKeyword(a.keyword, keyword); });
    return found != items.end() ? std::optional(static_cast<std::size_t>(found - items.begin()))
                                : std::nullopt;
}

const std::string* AttributeList::find(std::string_view keyword) const {
    std::optional<std::size_t> at = position(keyword);
    return at ? &body_->items[*at].value : nullptr;
}

void AttributeList::set(std::string_view keyword, std::string value) {
    if (std::optional<std::size_t> at = position(keyword)) {
        body_.changing().items[*at].value = std::move(value);
    } else {
        append({std::string(keyword), std::move(value)});
    }
}

void AttributeList::erase(std::string_view keyword) {
    if (position(keyword) && std::erase_if(body_.changing().items, [&](const Attribute& a) {
                                 return sameKeyword(a.keyword, keyword);
                             }) > 0) {
        reindex();
    }
}

void AttributeList::addMissing(const AttributeList& other) {
    if (empty() && !other.empty()) {
        body_ = other.body_; // nothing present: the other list as it is
        return;
    }
    for (const Attribute& attribute : other) {
        if (!has(attribute.keyword)) {
            append(attribute);
        }
    }
}

void AttributeList::append(Attribute attribute) {
    Body& body = body_.changing();
    body.items.push_back(std::move(attribute));
    if (body.index) {
        body.index->add(body.items.back().keyword, body.items.size() - 1);
    } else if (body.items.size() >= kIndexedFrom) {
        reindex();
    }
}

void AttributeList::reindex() {
    Body& body = body_.changing();
    body.index.reset();
    if (body.items.size() < kIndexedFrom) {
        return;
    }
    KeywordIndex index;
    for (std::size_t at = 0; at < body.items.size(); ++at) {
        index.add(body.items[at].keyword, at);
    }
    body.index = std::move(index);
}

bool AttributeList::operator==(const AttributeList& other) const {
    return sharesWith(other) || std::ranges::equal(*this, other);
}

} // namespace lumora::engine
