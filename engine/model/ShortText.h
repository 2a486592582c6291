#pragma once

#include <compare>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace lumora::engine {

// A text in 16 bytes: up to 15 characters inline, longer ones on the heap. For the names of
// flattened items and of the items markers are about: millions of copies, nearly all of them short,
// where a string took 32 bytes each.
class ShortText {
  public:
    ShortText() noexcept;
    ShortText(std::string_view text);
    ShortText(const std::string& text) : ShortText(std::string_view(text)) {}
    ShortText(const char* text) : ShortText(std::string_view(text)) {}
    ShortText(const ShortText& other) : ShortText(other.view()) {}
    ShortText(ShortText&& other) noexcept;
    ShortText& operator=(const ShortText& other);
    ShortText& operator=(ShortText&& other) noexcept;
    ~ShortText();

    std::string_view view() const noexcept;
    operator std::string_view() const noexcept { return view(); }
    std::string str() const { return std::string(view()); }
    bool empty() const noexcept { return view().empty(); }

    friend bool operator==(const ShortText& a, const ShortText& b) { return a.view() == b.view(); }
    friend bool operator==(const ShortText& a, std::string_view b) { return a.view() == b; }
    // Exact matches, as a string or a literal converts both to ShortText and to a view.
    friend bool operator==(const ShortText& a, const std::string& b) { return a.view() == b; }
    friend bool operator==(const ShortText& a, const char* b) { return a.view() == b; }
    friend std::strong_ordering operator<=>(const ShortText& a, const ShortText& b) {
        return a.view() <=> b.view();
    }
    friend std::ostream& operator<<(std::ostream& out, const ShortText& text);

  private:
    static constexpr std::size_t kBytes = 16;
    static constexpr std::size_t kInline = kBytes - 1; // the last byte tells inline from heap
    static constexpr unsigned char kOnHeap = 0xFF;

    bool onHeap() const noexcept { return bytes_[kInline] == kOnHeap; }
    const char* heapData() const noexcept;
    std::size_t heapSize() const noexcept;
    void release() noexcept;

    // Inline: the characters, then their count in the last byte. On the heap: the pointer, the
    // count, and kOnHeap in the last byte.
    alignas(8) unsigned char bytes_[kBytes];
};

static_assert(sizeof(ShortText) == 16);

} // namespace lumora::engine
