#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <utility>

namespace lumora::engine {

// An optional value that copies share until one of them changes its own: one pointer wide, for a
// value many items hold alike (the items a flatten call takes from one insert share its origin, a
// board's items their few attribute lists). Owners are counted atomically, as the pool's threads
// copy shared items. Equal when both are empty or both hold equal values.
template <class T> class SharedValue {
  public:
    SharedValue() noexcept = default;
    SharedValue(T value) : node_(new Node{std::move(value)}) {}
    SharedValue(const SharedValue& other) noexcept : node_(other.node_) { retain(); }
    SharedValue(SharedValue&& other) noexcept : node_(std::exchange(other.node_, nullptr)) {}
    SharedValue& operator=(SharedValue other) noexcept {
        std::swap(node_, other.node_);
        return *this;
    }
    ~SharedValue() { release(); }

    explicit operator bool() const noexcept { return node_ != nullptr; }
    const T& operator*() const noexcept { return node_->value; }
    const T* operator->() const noexcept { return &node_->value; }
    const T& value() const {
        if (!node_) {
            throw std::bad_optional_access();
        }
        return node_->value;
    }
    // The value to change, this holder's own: one shared with other holders is copied first; an
    // empty holder gets a value made by default.
    T& changing() {
        if (!node_) {
            node_ = new Node{T{}};
        } else if (node_->owners.load(std::memory_order_acquire) > 1) {
            SharedValue(node_->value).swap(*this);
        }
        return node_->value;
    }
    bool sharesWith(const SharedValue& other) const noexcept { return node_ == other.node_; }
    void reset() noexcept { SharedValue().swap(*this); }
    void swap(SharedValue& other) noexcept { std::swap(node_, other.node_); }

    bool operator==(const SharedValue& other) const {
        if (node_ == other.node_) {
            return true;
        }
        return node_ && other.node_ && node_->value == other.node_->value;
    }

  private:
    struct Node {
        T value;
        std::atomic<uint32_t> owners{1};
    };

    void retain() const noexcept {
        if (node_) {
            node_->owners.fetch_add(1, std::memory_order_relaxed);
        }
    }
    void release() noexcept {
        if (node_ && node_->owners.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            delete node_;
        }
    }

    Node* node_ = nullptr;
};

} // namespace lumora::engine
