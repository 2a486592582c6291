#pragma once

#include "engine/model/DrcMarker.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

namespace lumora::engine {

// A document's DRC markers, read as a list of markers. Each is held once, shared with whoever keeps
// it beyond the document (a run's record, which outlives "Clear DRC" and a closed design): a large
// board has hundreds of thousands, and a copy for the record was a tenth of a run's peak memory.
class DrcMarkers {
    using Held = std::vector<std::shared_ptr<const DrcMarker>>;

  public:
    using value_type = DrcMarker;
    using size_type = std::size_t;
    using reference = const DrcMarker&;
    using const_reference = const DrcMarker&;

    class const_iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = DrcMarker;
        using difference_type = std::ptrdiff_t;
        using pointer = const DrcMarker*;
        using reference = const DrcMarker&;

        const_iterator() = default;
        explicit const_iterator(Held::const_iterator at) : at_(at) {}
        reference operator*() const { return **at_; }
        pointer operator->() const { return at_->get(); }
        const_iterator& operator++() {
            ++at_;
            return *this;
        }
        const_iterator operator++(int) { return const_iterator(at_++); }
        bool operator==(const const_iterator&) const = default;

      private:
        Held::const_iterator at_{};
    };

    std::size_t size() const { return held_.size(); }
    bool empty() const { return held_.empty(); }
    const DrcMarker& operator[](std::size_t i) const { return *held_[i]; }
    const DrcMarker& at(std::size_t i) const { return *held_.at(i); }
    const_iterator begin() const { return const_iterator(held_.begin()); }
    const_iterator end() const { return const_iterator(held_.end()); }

    // The marker at i, for a holder that keeps it after the document lets it go.
    std::shared_ptr<const DrcMarker> shared(std::size_t i) const { return held_.at(i); }

    void push_back(DrcMarker marker) {
        held_.push_back(std::make_shared<const DrcMarker>(std::move(marker)));
    }
    void clear() { held_.clear(); }

    // Equal markers in the same order, whoever else holds them.
    bool operator==(const DrcMarkers& other) const { return std::ranges::equal(*this, other); }

  private:
    Held held_;
};

} // namespace lumora::engine
