#include "engine/model/ShortText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ostream>

namespace lumora::engine {

ShortText::ShortText() noexcept : bytes_{} {}

ShortText::ShortText(std::string_view text) : bytes_{} {
    if (text.size() <= kInline) {
        std::ranges::copy(text, bytes_); // not memcpy: an empty view's data may be null
        bytes_[kInline] = static_cast<unsigned char>(text.size());
        return;
    }
    char* data = new char[text.size()];
    std::memcpy(data, text.data(), text.size());
    const auto size = static_cast<uint32_t>(text.size());
    std::memcpy(bytes_, &data, sizeof data);
    std::memcpy(bytes_ + sizeof data, &size, sizeof size);
    bytes_[kInline] = kOnHeap;
}

ShortText::ShortText(ShortText&& other) noexcept : bytes_{} {
    std::memcpy(bytes_, other.bytes_, kBytes);
    std::memset(other.bytes_, 0, kBytes);
}

ShortText& ShortText::operator=(const ShortText& other) {
    if (this != &other) {
        *this = ShortText(other);
    }
    return *this;
}

ShortText& ShortText::operator=(ShortText&& other) noexcept {
    if (this != &other) {
        release();
        std::memcpy(bytes_, other.bytes_, kBytes);
        std::memset(other.bytes_, 0, kBytes);
    }
    return *this;
}

ShortText::~ShortText() {
    release();
}

std::string_view ShortText::view() const noexcept {
    if (onHeap()) {
        return {heapData(), heapSize()};
    }
    return {reinterpret_cast<const char*>(bytes_), bytes_[kInline]};
}

const char* ShortText::heapData() const noexcept {
    const char* data = nullptr;
    std::memcpy(&data, bytes_, sizeof data);
    return data;
}

std::size_t ShortText::heapSize() const noexcept {
    uint32_t size = 0;
    std::memcpy(&size, bytes_ + sizeof(char*), sizeof size);
    return size;
}

void ShortText::release() noexcept {
    if (onHeap()) {
        delete[] heapData();
        std::memset(bytes_, 0, kBytes);
    }
}

std::ostream& operator<<(std::ostream& out, const ShortText& text) {
    return out << text.view();
}

} // namespace lumora::engine
