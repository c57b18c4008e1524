#pragma once

#include <cstdlib>

#include <benchmark/benchmark.h>

#include "platform/allocator_tuning.h"

// The main of the benchmarks that draw: they run as the editor does, with its allocator tuning
// (unless BLOCKYARD_BENCH_DEFAULT_ALLOCATOR is set, to compare) and llvmpipe's own thread count
// (LP_NUM_THREADS=0 draws in the calling thread).
inline int drawingBenchMain(int argc, char** argv) {
    if (!std::getenv("BLOCKYARD_BENCH_DEFAULT_ALLOCATOR"))
        tuneAllocator();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
