#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace lumora::engine {

// Keywords compare without regard to case in ASCII alone: the same in every locale the program runs
// in, and cheap enough for the millions of lookups of a run.
constexpr char keywordUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Positions of keywords by their text without regard to case, as KORVEN's keyword table compares
// them, so that a lookup costs one hash instead of a scan. Derived data: it never makes two
// values that hold it differ.
class KeywordIndex {
  public:
    std::optional<std::size_t> find(std::string_view keyword) const;
    // Keeps the first position of a keyword added twice.
    void add(std::string_view keyword, std::size_t position);
    void clear();
    // Calls of add since the last clear.
    std::size_t added() const { return added_; }

    bool operator==(const KeywordIndex&) const { return true; }

  private:
    std::unordered_map<std::string, std::size_t> positions_;
    std::size_t added_ = 0;
};

} // namespace lumora::engine
