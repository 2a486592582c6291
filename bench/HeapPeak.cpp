#include "bench/HeapPeak.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace lumora::bench {

namespace {

std::atomic<std::size_t> live{0};
std::atomic<std::size_t> peak{0};

void held(std::size_t bytes) {
    const std::size_t now = live.fetch_add(bytes, std::memory_order_relaxed) + bytes;
    std::size_t seen = peak.load(std::memory_order_relaxed);
    while (now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
    }
}

} // namespace

std::size_t HeapPeak::liveBytes() {
    return live.load(std::memory_order_relaxed);
}

std::size_t HeapPeak::peakBytes() {
    return peak.load(std::memory_order_relaxed);
}

void HeapPeak::restart() {
    peak.store(live.load(std::memory_order_relaxed), std::memory_order_relaxed);
}

} // namespace lumora::bench

// The library's other forms of new and delete (arrays, nothrow, sized) forward to these two; the
// over-aligned forms are left uncounted, as nothing measured here uses them much.
void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    lumora::bench::held(malloc_usable_size(block));
    return block;
}

void operator delete(void* block) noexcept {
    if (block != nullptr) {
        lumora::bench::live.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
        std::free(block);
    }
}

void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}
