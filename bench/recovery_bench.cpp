// The recovery copy of the full-grid track (32,768 blocks): what the drawing thread pays (the
// snapshot handed to the writer) and what the writer's thread does.
#include <benchmark/benchmark.h>

#include "bench_base.h"
#include "recovery/recovery_store.h"
#include "recovery/recovery_writer.h"

namespace {

struct FullGrid {
    BenchBase base;
    Track track;
    TrackEnvelope envelope;
    CatalogState catalog;
    bool ok = false;
    FullGrid() {
        ok = base.ok() && base.open(kFullGridTrack, track, envelope, catalog) &&
             track.blocks.size() == static_cast<std::size_t>(kFullGridBlocks);
    }
};

// The opened track, or none (and the benchmark marked failed) when it cannot be opened.
FullGrid* fullGridOrSkip(benchmark::State& state) {
    static FullGrid grid;
    if (grid.ok)
        return &grid;
    state.SkipWithError("no full-grid track");
    return nullptr;
}

std::filesystem::path recoveryFile(const FullGrid& g) {
    return g.base.path() / "recovery" / "grid.recovery";
}

// When a copy is due: the snapshot and handing it over. The writer's thread works meanwhile, as
// it does while the user goes on editing.
void BM_RecoveryCopyOnTheDrawingThread(benchmark::State& state) {
    FullGrid* grid = fullGridOrSkip(state);
    if (!grid)
        return;
    const FullGrid& g = *grid;
    RecoveryWriter writer;
    const std::filesystem::path file = recoveryFile(g);
    for (auto _ : state) {
        writer.write(file, takeRecoverySnapshot("grid", g.track, g.envelope, g.catalog));
        state.PauseTiming();
        writer.flush();
        state.ResumeTiming();
    }
}

// The writer's share: serialising the snapshot and writing the file as safely as a save.
void BM_RecoveryWriteOnTheWorker(benchmark::State& state) {
    FullGrid* grid = fullGridOrSkip(state);
    if (!grid)
        return;
    const FullGrid& g = *grid;
    RecoveryWriter writer;
    const std::filesystem::path file = recoveryFile(g);
    for (auto _ : state) {
        state.PauseTiming();
        RecoverySnapshot snapshot = takeRecoverySnapshot("grid", g.track, g.envelope, g.catalog);
        state.ResumeTiming();
        writer.write(file, std::move(snapshot));
        writer.flush();
    }
}

} // namespace

BENCHMARK(BM_RecoveryCopyOnTheDrawingThread)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecoveryWriteOnTheWorker)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
