// The differences of the full-grid track (32,768 blocks) and of the largest real track with
// another version of themselves: what "Compare with..." works out again after every edit.
#include <benchmark/benchmark.h>

#include "bench_base.h"
#include "check/track_diff.h"

namespace {

struct Opened {
    BenchBase base;
    Track grid, real;
    CatalogState gridCatalog, realCatalog;
    bool gridOk = false, realOk = false;
    Opened() {
        TrackEnvelope envelope;
        gridOk = base.ok() && base.open(kFullGridTrack, grid, envelope, gridCatalog);
        realOk = base.ok() && base.open(kRealTrack, real, envelope, realCatalog);
    }
};

Opened& opened() {
    static Opened tracks;
    return tracks;
}

// The other version: the same blocks (0), or with the first block deleted and the second moved
// into its cell (1), so that both phases of the matching run.
Track otherVersion(const Track& track, bool edited) {
    Track other = track;
    if (edited && other.blocks.size() > 1) {
        const BlockRecord first = other.blocks.front();
        other.blocks.pop_front();
        BlockRecord& second = other.blocks.front();
        second.x = first.x;
        second.y = first.y;
        second.z = first.z;
    }
    return other;
}

void diffBench(benchmark::State& state, bool ok, const Track& track, const CatalogState& catalog) {
    if (!ok) {
        state.SkipWithError("track not there");
        return;
    }
    const Track other = otherVersion(track, state.range(0) == 1);
    std::size_t differences = 0;
    for (auto _ : state)
        differences = diffTracks(other, catalog, track, catalog).differences.size();
    state.counters["blocks"] = static_cast<double>(track.blocks.size());
    state.counters["differences"] = static_cast<double>(differences);
}

void BM_DiffFullGrid(benchmark::State& state) {
    diffBench(state, opened().gridOk, opened().grid, opened().gridCatalog);
}

void BM_DiffRealTrack(benchmark::State& state) {
    diffBench(state, opened().realOk, opened().real, opened().realCatalog);
}

} // namespace

BENCHMARK(BM_DiffFullGrid)->ArgName("edited")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiffRealTrack)->ArgName("edited")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
