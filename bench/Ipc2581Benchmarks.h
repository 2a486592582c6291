#pragma once

namespace lumora::bench {

// Reading IPC-2581 files into designs: the rate against the file's size and the heap the design
// needs; the files are named by LUMORA_BENCH_IPC2581 (several separated by ";").
void registerIpc2581Benchmarks();

} // namespace lumora::bench
