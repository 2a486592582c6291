#include "engine/model/InsertPath.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace lumora::engine {

InsertPath::InsertPath(std::span<const int32_t> positions) : size_(static_cast<uint32_t>(positions.size())) {
    int32_t* target = words_;
    if (onHeap()) {
        target = new int32_t[positions.size()];
        std::memcpy(words_, &target, sizeof target);
    }
    std::ranges::copy(positions, target);
}

InsertPath::InsertPath(InsertPath&& other) noexcept : size_(std::exchange(other.size_, 0)) {
    std::memcpy(words_, other.words_, sizeof words_);
}

InsertPath& InsertPath::operator=(InsertPath other) noexcept {
    std::swap(words_, other.words_);
    std::swap(size_, other.size_);
    return *this;
}

InsertPath::~InsertPath() {
    if (onHeap()) {
        delete[] heap();
    }
}

bool operator==(const InsertPath& a, const InsertPath& b) {
    return std::ranges::equal(a, b);
}

} // namespace lumora::engine
