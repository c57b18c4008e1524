#pragma once

#include <cstdlib>

#include <benchmark/benchmark.h>

#include "platform/allocator_tuning.h"

// The main of the benchmarks that draw: they run as the editor does, with its allocator tuning
// (unless BLOCKYARD_BENCH_DEFAULT_ALLOCATOR is set, to compare) and llvmpipe drawing in the
// calling thread (unless LP_NUM_THREADS is set).
inline int drawingBenchMain(int argc, char** argv) {
    if (!std::getenv("BLOCKYARD_BENCH_DEFAULT_ALLOCATOR"))
        tuneAllocator();
    setenv("LP_NUM_THREADS", "0", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
