#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <span>

namespace lumora::engine {

// Data positions from a file's block down to an insert, in 16 bytes: up to three inline (a panel's
// board, a component, a pin: the depth of the boards we read), deeper paths on the heap. Every
// flattened origin holds one, where a small vector took 32 bytes.
class InsertPath {
  public:
    using value_type = int32_t;
    using const_iterator = const int32_t*;
    using iterator = const_iterator;

    InsertPath() noexcept = default;
    explicit InsertPath(std::span<const int32_t> positions);
    InsertPath(std::initializer_list<int32_t> positions)
        : InsertPath(std::span<const int32_t>(positions.begin(), positions.size())) {}
    InsertPath(const InsertPath& other) : InsertPath(std::span<const int32_t>(other)) {}
    InsertPath(InsertPath&& other) noexcept;
    InsertPath& operator=(InsertPath other) noexcept;
    ~InsertPath();

    const int32_t* data() const noexcept { return onHeap() ? heap() : words_; }
    std::size_t size() const noexcept { return size_; }
    bool empty() const noexcept { return size_ == 0; }
    const int32_t* begin() const noexcept { return data(); }
    const int32_t* end() const noexcept { return data() + size_; }
    operator std::span<const int32_t>() const noexcept { return {data(), size_}; }

    friend bool operator==(const InsertPath& a, const InsertPath& b);

  private:
    static constexpr uint32_t kInline = 3;

    bool onHeap() const noexcept { return size_ > kInline; }
    int32_t* heap() const noexcept {
        int32_t* positions = nullptr;
        std::memcpy(&positions, words_, sizeof positions);
        return positions;
    }

    // Inline: the positions. On the heap: the pointer in the first two words.
    alignas(8) int32_t words_[kInline]{};
    uint32_t size_ = 0;
};

static_assert(sizeof(InsertPath) == 16);

} // namespace lumora::engine
