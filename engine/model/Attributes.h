#pragma once

#include "engine/model/HeapOptional.h"
#include "engine/model/KeywordIndex.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine {

struct Attribute {
    std::string keyword;
    std::string value;
    bool operator==(const Attribute&) const = default;
};

// The attributes of one item, in the order they were set. Keywords compare without regard to case,
// as KORVEN's keyword table does. Most items have none or a few, which are searched in order; a
// long list is indexed, so that reading a list of many attributes does not grow with the square.
class AttributeList {
  public:
    AttributeList() = default;
    AttributeList(std::initializer_list<Attribute> attributes);

    const std::string* find(std::string_view keyword) const;
    bool has(std::string_view keyword) const { return find(keyword) != nullptr; }
    // Replaces the value of a keyword already present, else appends it.
    void set(std::string_view keyword, std::string value);
    void erase(std::string_view keyword);
    // Adds every attribute of other whose keyword is not present yet.
    void addMissing(const AttributeList& other);

    bool empty() const { return items_.empty(); }
    std::size_t size() const { return items_.size(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    bool operator==(const AttributeList& other) const { return items_ == other.items_; }

  private:
    static constexpr std::size_t kIndexedFrom = 16;

    std::optional<std::size_t> position(std::string_view keyword) const;
    void append(Attribute attribute);
    void reindex();

    std::vector<Attribute> items_;
    HeapOptional<KeywordIndex> index_; // from kIndexedFrom attributes on
};

bool sameKeyword(std::string_view a, std::string_view b);

} // namespace lumora::engine
