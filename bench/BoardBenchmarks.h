#pragma once

#include <cstddef>

namespace lumora::bench {

// One repaint of the board view on a synthetic board of `components` components: the whole board,
// an eighth of its width and a sixty-fourth (where pads are drawn), and building the view's index.
void registerBoardBenchmarks(std::size_t components);

} // namespace lumora::bench
