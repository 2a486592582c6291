#pragma once

#include "engine/model/Items.h"

#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>

namespace lumora::engine {

// A fixed number of items, each made in its place by whichever thread has it: a vector takes its
// items one after another, and moving a flatten call's million items in on one thread kept the
// other core idle. Every place is made once before the array is read or destroyed.
class ItemArray {
  public:
    explicit ItemArray(std::size_t size) : items_(std::allocator<DataItem>().allocate(size)), size_(size) {}
    ~ItemArray() {
        std::destroy_n(items_, size_);
        std::allocator<DataItem>().deallocate(items_, size_);
    }
    ItemArray(const ItemArray&) = delete;
    ItemArray& operator=(const ItemArray&) = delete;

    // Cannot fail, so that no place is left unmade.
    void make(std::size_t position, DataItem&& item) noexcept {
        static_assert(std::is_nothrow_move_constructible_v<DataItem>);
        std::construct_at(items_ + position, std::move(item));
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const DataItem* data() const { return items_; }
    const DataItem* begin() const { return items_; }
    const DataItem* end() const { return items_ + size_; }

  private:
    DataItem* items_;
    std::size_t size_;
};

// Items no one changes any more, shared by the flatten geometries one selection filled.
using SharedItems = std::shared_ptr<const ItemArray>;

} // namespace lumora::engine
