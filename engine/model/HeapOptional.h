#pragma once

#include <memory>
#include <optional>
#include <utility>

namespace lumora::engine {

// An optional value kept on the heap: one pointer wide while empty, for members that most values
// of a type leave unset. Copies copy the value; equal when both are empty or both hold equal values.
template <class T> class HeapOptional {
  public:
    HeapOptional() = default;
    HeapOptional(T value) : value_(std::make_unique<T>(std::move(value))) {}
    HeapOptional(const HeapOptional& other) : value_(copyOf(other)) {}
    HeapOptional(HeapOptional&&) noexcept = default;
    HeapOptional& operator=(const HeapOptional& other) {
        if (this != &other) {
            value_ = copyOf(other);
        }
        return *this;
    }
    HeapOptional& operator=(HeapOptional&&) noexcept = default;
    HeapOptional& operator=(T value) {
        value_ = std::make_unique<T>(std::move(value));
        return *this;
    }
    ~HeapOptional() = default;

    explicit operator bool() const { return value_ != nullptr; }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return value_.get(); }
    const T* operator->() const { return value_.get(); }
    const T& value() const {
        if (!value_) {
            throw std::bad_optional_access();
        }
        return *value_;
    }
    void reset() { value_.reset(); }

    bool operator==(const HeapOptional& other) const {
        return value_ && other.value_ ? *value_ == *other.value_ : value_ == other.value_;
    }

  private:
    static std::unique_ptr<T> copyOf(const HeapOptional& other) {
        return other.value_ ? std::make_unique<T>(*other.value_) : nullptr;
    }

    std::unique_ptr<T> value_;
};

} // namespace lumora::engine
