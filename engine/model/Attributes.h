#pragma once

#include "engine/model/HeapOptional.h"
#include "engine/model/KeywordIndex.h"
#include "engine/model/SharedValue.h"

#include <optional>
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
// Copies share one list until either changes: a flattened item carries the attributes of every
// insert above it, and a large board has millions of such copies of a few lists.
class AttributeList {
  public:
    AttributeList() = default;
    AttributeList(std::initializer_list<Attribute> attributes);

    const std::string* find(std::string_view keyword) const;
    bool has(std::string_view keyword) const { return find(keyword) != nullptr; }
    // The value as a view, none when the keyword is absent.
    std::optional<std::string_view> value(std::string_view keyword) const {
        const std::string* found = find(keyword);
        return found ? std::optional<std::string_view>(*found) : std::nullopt;
    }
    // Replaces the value of a keyword already present, else appends it.
    void set(std::string_view keyword, std::string value);
    void erase(std::string_view keyword);
    // Adds every attribute of other whose keyword is not present yet.
    void addMissing(const AttributeList& other);

    bool empty() const { return size() == 0; }
    std::size_t size() const { return body_ ? body_->items.size() : 0; }
    const Attribute* begin() const { return body_ ? body_->items.data() : nullptr; }
    const Attribute* end() const { return begin() + size(); }
    // Equal for lists that share one body: the same list however many items carry it.
    bool sharesWith(const AttributeList& other) const { return body_.sharesWith(other.body_); }

    bool operator==(const AttributeList& other) const;

  private:
    static constexpr std::size_t kIndexedFrom = 16;

    struct Body {
        std::vector<Attribute> items;
        HeapOptional<KeywordIndex> index; // from kIndexedFrom attributes on
    };

    std::optional<std::size_t> position(std::string_view keyword) const;
    void append(Attribute attribute);
    void reindex();

    // One pointer: every item of a board and of each flatten result holds a list.
    SharedValue<Body> body_; // empty while the list is
};

bool sameKeyword(std::string_view a, std::string_view b);

} // namespace lumora::engine
