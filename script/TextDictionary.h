#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace lumora {

// Text keys to text values. Keys are exact and case-sensitive, keep the order in which they were
// first stored, and occur once. Reading an absent key yields the empty text and adds the key,
// because listings of a test's parameters show every key that any routine ever asked for. Such a
// key holds no value until one is stored: it reads as empty but converts to 0, where an empty
// text stored by a script does not convert at all.
class TextDictionary {
  public:
    using Entry = std::pair<std::string, std::string>;

    std::string item(const std::string& key);
    void store(const std::string& key, std::string value);
    bool exists(const std::string& key) const { return index_.contains(key); }
    // True when a value was stored under the key (an empty text included).
    bool holdsValue(const std::string& key) const;
    std::size_t count() const { return entries_.size(); }

    std::vector<Entry>::const_iterator begin() const { return entries_.begin(); }
    std::vector<Entry>::const_iterator end() const { return entries_.end(); }

  private:
    std::vector<Entry> entries_;
    std::vector<bool> stored_; // per entry: a value was stored, not only read
    std::unordered_map<std::string, std::size_t> index_;
};

} // namespace lumora
