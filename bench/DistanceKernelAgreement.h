#pragma once

namespace lumora::bench {

// BM_DistanceKernelAgreement: the distance kernel against its reference on a million random pairs.
void registerKernelBenchmarks();

} // namespace lumora::bench
