#pragma once

#include <cstddef>

namespace lumora::bench {

// The bytes held through operator new by the whole process, counted by the replacement operators
// of HeapPeak.cpp: the heap a benchmark needs, which the process's peak resident size cannot tell
// once an earlier, larger case has run.
struct HeapPeak {
    static std::size_t liveBytes();
    // The most held since the last restart.
    static std::size_t peakBytes();
    // Starts a new peak from what is held now.
    static void restart();
};

} // namespace lumora::bench
