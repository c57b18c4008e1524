// Editing operations on a full track: one block in every cell of the 32 x 32 x 32 grid.
#include <benchmark/benchmark.h>

#include "edit/area_blocks.h"
#include "edit/area_cells.h"
#include "edit/block_edits.h"
#include "edit/block_list_index.h"
#include "edit/block_placing.h"
#include "edit/edit_step.h"
#include "edit/editor_context.h"
#include "edit/selection_ops.h"
#include "seams/panels.h"

namespace {

// Panels that only count, so that the figures are the logic's own.
class CountingPanels : public Panels {
  public:
    long calls = 0;
    void markBlockLine(int, bool) override { ++calls; }
    void unmarkAllBlockLines() override { ++calls; }
    void refillBlockList() override { ++calls; }
    void refreshProperties(const BlockRecord*) override { ++calls; }
    void refreshCursorPosition() override { ++calls; }
    void refreshAreaCounts() override { ++calls; }
    void setFrameRateText(const std::string&) override { ++calls; }
    void showStatusMessage(const std::string&) override { ++calls; }
};

struct FullTrack {
    EditorContext ctx;
    CountingPanels panels;

    FullTrack() {
        ctx.panels = &panels;
        ctx.catalog.currentEnvironment = 0;
        auto& entries = ctx.catalog.catalogs[0].entries;
        entries.resize(2);
        entries[0].name = "One";
        entries[1].name = "Three";
        entries[0].units = {{0, 0, 0}};
        entries[1].units = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}};
        entries[1].halfSizeX = 1.0f;
        fill();
    }

    void fill() {
        clearTrack(&ctx.currentTrack);
        ctx.selection.members.clear();
        for (int x = 0; x < kGridSize; ++x)
            for (int y = 0; y < kGridSize; ++y)
                for (int z = 0; z < kGridSize; ++z) {
                    // Every fourth block is a three-unit kind, so that footprints vary.
                    std::uint32_t kind = (x + y + z) % 4 == 0 ? 2 : 1;
                    ctx.currentTrack.blocks.push_back(
                        *makeRecord(kind, static_cast<std::uint8_t>(z % 4), x, y, z, {}, 2));
                }
        invalidateBlockListIndex(ctx);
    }

    void areaIsWholeGrid() {
        clearArea(ctx);
        toggleAreaCell(ctx, 0, 0, 0);
        toggleAreaBox(ctx, kGridSize - 1, kGridSize - 1, kGridSize - 1);
        updateAreaOutline(ctx);
    }

    void selectEvery(int step) {
        clearSelection(ctx);
        int i = 0;
        for (BlockRecord& record : ctx.currentTrack.blocks)
            if (i++ % step == 0)
                selectBlock(ctx, &record, false);
    }
};

void BM_InvertSelection(benchmark::State& state) {
    FullTrack t;
    t.selectEvery(2);
    for (auto _ : state)
        invertSelection(t.ctx);
    benchmark::DoNotOptimize(t.ctx.selection.count());
}
BENCHMARK(BM_InvertSelection)->Unit(benchmark::kMillisecond);

void BM_SelectBlocksInWholeGridArea(benchmark::State& state) {
    FullTrack t;
    t.areaIsWholeGrid();
    for (auto _ : state)
        selectBlocksInArea(t.ctx);
    if (t.ctx.selection.count() != kGridSize * kGridSize * kGridSize)
        state.SkipWithError("not every block was selected");
}
BENCHMARK(BM_SelectBlocksInWholeGridArea)->Unit(benchmark::kMillisecond);

void BM_CountBlocksInWholeGridArea(benchmark::State& state) {
    FullTrack t;
    t.areaIsWholeGrid();
    int count = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(count = countBlocksInArea(t.ctx));
    if (count != kGridSize * kGridSize * kGridSize)
        state.SkipWithError("wrong count");
}
BENCHMARK(BM_CountBlocksInWholeGridArea)->Unit(benchmark::kMillisecond);

void BM_CountBlocksInOneCellArea(benchmark::State& state) {
    FullTrack t;
    toggleAreaCell(t.ctx, 16, 16, 16);
    for (auto _ : state)
        benchmark::DoNotOptimize(countBlocksInArea(t.ctx));
}
BENCHMARK(BM_CountBlocksInOneCellArea)->Unit(benchmark::kMillisecond);

void BM_DeleteHalfTheBlocks(benchmark::State& state) {
    FullTrack t;
    for (auto _ : state) {
        state.PauseTiming();
        t.fill();
        t.selectEvery(2);
        state.ResumeTiming();
        deleteSelection(t.ctx);
    }
    if (t.ctx.currentTrack.blocks.size() != kGridSize * kGridSize * kGridSize / 2)
        state.SkipWithError("wrong number of blocks left");
}
BENCHMARK(BM_DeleteHalfTheBlocks)->Unit(benchmark::kMillisecond);

void BM_HideSelectionOfAllBlocks(benchmark::State& state) {
    FullTrack t;
    t.selectEvery(1);
    for (auto _ : state)
        hideSelection(t.ctx);
}
BENCHMARK(BM_HideSelectionOfAllBlocks)->Unit(benchmark::kMillisecond);

void BM_WholeGridBoxAndOutline(benchmark::State& state) {
    FullTrack t;
    for (auto _ : state) {
        t.areaIsWholeGrid();
        benchmark::DoNotOptimize(t.ctx.area.count());
    }
}
BENCHMARK(BM_WholeGridBoxAndOutline)->Unit(benchmark::kMillisecond);

void BM_FillWholeGridArea(benchmark::State& state) {
    FullTrack t;
    t.areaIsWholeGrid();
    for (auto _ : state) {
        state.PauseTiming();
        t.fill();
        state.ResumeTiming();
        fillArea(t.ctx, 1);
    }
}
BENCHMARK(BM_FillWholeGridArea)->Unit(benchmark::kMillisecond);

void BM_BlockListIndexRebuildAndLookup(benchmark::State& state) {
    FullTrack t;
    const BlockRecord* last = &t.ctx.currentTrack.blocks.back();
    for (auto _ : state) {
        invalidateBlockListIndex(t.ctx);
        benchmark::DoNotOptimize(blockListIndex(t.ctx, last));
    }
}
BENCHMARK(BM_BlockListIndexRebuildAndLookup)->Unit(benchmark::kMillisecond);

// Each kind of step on the full grid, and its undo and redo, timed apart: phase 0 times the
// step, 1 its undo, 2 its redo. The history starts empty each time.
enum StepKind {
    MoveAll,
    TurnAll,
    TurnGroupAll,
    Variant,
    HideAll,
    UnhideAll,
    DeleteHalf,
    DeleteInArea,
    FillArea,
    Place,
    PasteAll,
    DuplicateAll
};

void prepareStep(FullTrack& t, StepKind kind) {
    t.fill();
    startNewHistory(t.ctx);
    clearArea(t.ctx);
    switch (kind) {
    case DeleteHalf:
        t.selectEvery(2);
        break;
    case DeleteInArea:
    case FillArea:
        t.areaIsWholeGrid();
        break;
    case UnhideAll:
        t.selectEvery(1);
        hideSelection(t.ctx);
        startNewHistory(t.ctx);
        break;
    case Variant:
    case Place:
        t.selectEvery(kGridSize * kGridSize * kGridSize);
        break;
    case PasteAll:
        t.selectEvery(1);
        copySelection(t.ctx);
        break;
    default:
        t.selectEvery(1);
        break;
    }
}

void runStep(FullTrack& t, StepKind kind) {
    EditorContext& ctx = t.ctx;
    switch (kind) {
    case MoveAll:
        moveSelection(ctx, 1, 0, 0);
        break;
    case TurnAll:
        rotateSelection(ctx, 1);
        break;
    case TurnGroupAll:
        rotateSelectionGroup(ctx, 1);
        break;
    case Variant:
        setVariantByte(ctx, *ctx.selection.first(), 0, 7);
        break;
    case HideAll:
        hideSelection(ctx);
        break;
    case UnhideAll:
        unhideAll(ctx);
        break;
    case DeleteHalf:
        deleteSelection(ctx);
        break;
    case DeleteInArea:
        deleteBlocksInArea(ctx);
        break;
    case FillArea:
        fillArea(ctx, 1);
        break;
    case Place:
        placeBlock(ctx, 1);
        break;
    case PasteAll:
        pasteClipboard(ctx);
        break;
    case DuplicateAll:
        duplicateSelection(ctx);
        break;
    }
}

void BM_StepUndoRedo(benchmark::State& state) {
    FullTrack t;
    const auto kind = static_cast<StepKind>(state.range(0));
    const int phase = static_cast<int>(state.range(1));
    auto timedIf = [&state](bool timed, auto&& work) {
        if (timed)
            state.ResumeTiming();
        work();
        if (timed)
            state.PauseTiming();
    };
    for (auto _ : state) {
        state.PauseTiming();
        prepareStep(t, kind);
        timedIf(phase == 0, [&] { runStep(t, kind); });
        if (phase >= 1)
            timedIf(phase == 1, [&] { undoStep(t.ctx); });
        if (phase == 2)
            timedIf(true, [&] { redoStep(t.ctx); });
        state.ResumeTiming();
    }
    if (t.ctx.history.stepCount() != 1)
        state.SkipWithError("the step was not recorded");
}
BENCHMARK(BM_StepUndoRedo)
    ->ArgsProduct({benchmark::CreateDenseRange(MoveAll, DuplicateAll, 1), {0, 1, 2}})
    ->ArgNames({"step", "phase"})
    ->Iterations(10) // each iteration first refills the grid, untimed
    ->Unit(benchmark::kMillisecond);

// What the history holds after 100 moves of every block of the full grid.
void BM_HistoryOfHundredWholeGridMoves(benchmark::State& state) {
    FullTrack t;
    t.ctx.history.setMemoryCap(std::size_t{1} << 40);
    for (auto _ : state) {
        state.PauseTiming();
        t.fill();
        startNewHistory(t.ctx);
        t.selectEvery(1);
        state.ResumeTiming();
        for (int i = 0; i < 100; ++i)
            moveSelection(t.ctx, i % 2 ? 1 : -1, 0, 0);
    }
    state.counters["history_MB"] = static_cast<double>(t.ctx.history.memoryUsed()) / (1 << 20);
    state.counters["steps"] = static_cast<double>(t.ctx.history.stepCount());
}
BENCHMARK(BM_HistoryOfHundredWholeGridMoves)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
