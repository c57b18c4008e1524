// The checks of a whole track: the full 32 x 32 x 32 grid after an edit, as the Checks panel
// refreshes, and each real track shared beside the repository.
#include <benchmark/benchmark.h>

#include "bench_base.h"
#include "check/track_checker.h"
#include "check/track_statistics.h"
#include "edit/block_edits.h"

namespace {

BenchBase& base() {
    static BenchBase b;
    return b;
}

// One block moved back and forth, each move followed by the checker's whole check.
void BM_CheckFullGridAfterAnEdit(benchmark::State& state) {
    EditorContext ctx;
    if (!base().ok() || !base().open(kFullGridTrack, ctx)) {
        state.SkipWithError("no full grid");
        return;
    }
    const TrackChecker checker(ctx.document, ctx.catalog);
    ctx.document.setSelection({&ctx.document.blocks().front()});
    int sense = 1;
    for (auto _ : state) {
        moveSelection(ctx.document, 0, 0, sense);
        sense = -sense;
        benchmark::DoNotOptimize(checker.findings().size());
    }
    state.counters["findings"] = static_cast<double>(checker.findings().size());
}
BENCHMARK(BM_CheckFullGridAfterAnEdit)->Unit(benchmark::kMillisecond);

void BM_StatisticsFullGrid(benchmark::State& state) {
    EditorContext ctx;
    if (!base().ok() || !base().open(kFullGridTrack, ctx)) {
        state.SkipWithError("no full grid");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(trackStatistics(ctx.document.track(), ctx.catalog).blocks);
}
BENCHMARK(BM_StatisticsFullGrid)->Unit(benchmark::kMillisecond);

void BM_CheckRealTrack(benchmark::State& state) {
    const std::vector<std::filesystem::path> files = realTrackFiles();
    const auto index = static_cast<std::size_t>(state.range(0));
    EditorContext ctx;
    std::error_code ec;
    if (!base().ok() || index >= files.size()) {
        state.SkipWithError("no real track");
        return;
    }
    std::filesystem::copy_file(files[index], base().tracks() / files[index].filename(),
                               std::filesystem::copy_options::overwrite_existing, ec);
    if (ec || !base().open(files[index].filename().string(), ctx)) {
        state.SkipWithError("cannot open the real track");
        return;
    }
    state.SetLabel(files[index].stem().stem().string());
    for (auto _ : state)
        benchmark::DoNotOptimize(checkTrack(ctx.document.track(), ctx.catalog, std::nullopt));
}
BENCHMARK(BM_CheckRealTrack)->DenseRange(0, 11)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
