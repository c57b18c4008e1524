// Editing operations on a full track: one block in every cell of the 32 x 32 x 32 grid.
#include <benchmark/benchmark.h>

#include "edit/area_blocks.h"
#include "edit/area_cells.h"
#include "edit/block_edits.h"
#include "edit/block_placing.h"
#include "edit/editor_context.h"
#include "edit/reshape.h"

namespace {

// The document with no listener, so that the figures are the logic's own.
struct FullTrack {
    EditorContext ctx;
    TrackDocument& doc = ctx.document;
    Area area;

    FullTrack() {
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

    // A new track with a new history.
    void fill() {
        Track track;
        for (int x = 0; x < kGridSize; ++x)
            for (int y = 0; y < kGridSize; ++y)
                for (int z = 0; z < kGridSize; ++z) {
                    // Every fourth block is a three-unit kind, so that footprints vary.
                    std::uint32_t kind = (x + y + z) % 4 == 0 ? 2 : 1;
                    track.blocks.push_back(
                        *makeRecord(kind, static_cast<std::uint8_t>(z % 4), x, y, z, {}, 2));
                }
        doc.replaceTrack(std::move(track), {}, {});
    }

    void areaIsWholeGrid() {
        clearArea(area);
        toggleAreaCell(area, 0, 0, 0);
        toggleAreaBox(area, kGridSize - 1, kGridSize - 1, kGridSize - 1);
        updateAreaOutline(area);
    }

    void selectEvery(int step) {
        std::vector<const BlockRecord*> members;
        int i = 0;
        for (const BlockRecord& record : doc.blocks())
            if (i++ % step == 0)
                members.push_back(&record);
        doc.setSelection(members);
    }
};

void BM_InvertSelection(benchmark::State& state) {
    FullTrack t;
    t.selectEvery(2);
    for (auto _ : state)
        t.doc.invertSelection();
    benchmark::DoNotOptimize(t.doc.selection().count());
}
BENCHMARK(BM_InvertSelection)->Unit(benchmark::kMillisecond);

void BM_SelectBlocksInWholeGridArea(benchmark::State& state) {
    FullTrack t;
    t.areaIsWholeGrid();
    for (auto _ : state)
        selectBlocksInArea(t.doc, t.ctx.catalog, t.area);
    if (t.doc.selection().count() != kGridSize * kGridSize * kGridSize)
        state.SkipWithError("not every block was selected");
}
BENCHMARK(BM_SelectBlocksInWholeGridArea)->Unit(benchmark::kMillisecond);

void BM_CountBlocksInWholeGridArea(benchmark::State& state) {
    FullTrack t;
    t.areaIsWholeGrid();
    int count = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(count = countBlocksInArea(t.doc, t.ctx.catalog, t.area));
    if (count != kGridSize * kGridSize * kGridSize)
        state.SkipWithError("wrong count");
}
BENCHMARK(BM_CountBlocksInWholeGridArea)->Unit(benchmark::kMillisecond);

void BM_CountBlocksInOneCellArea(benchmark::State& state) {
    FullTrack t;
    toggleAreaCell(t.area, 16, 16, 16);
    for (auto _ : state)
        benchmark::DoNotOptimize(countBlocksInArea(t.doc, t.ctx.catalog, t.area));
}
BENCHMARK(BM_CountBlocksInOneCellArea)->Unit(benchmark::kMillisecond);

void BM_DeleteHalfTheBlocks(benchmark::State& state) {
    FullTrack t;
    for (auto _ : state) {
        state.PauseTiming();
        t.fill();
        t.selectEvery(2);
        state.ResumeTiming();
        deleteSelection(t.doc);
    }
    if (t.doc.blocks().size() != kGridSize * kGridSize * kGridSize / 2)
        state.SkipWithError("wrong number of blocks left");
}
BENCHMARK(BM_DeleteHalfTheBlocks)->Unit(benchmark::kMillisecond);

void BM_HideSelectionOfAllBlocks(benchmark::State& state) {
    FullTrack t;
    t.selectEvery(1);
    for (auto _ : state)
        hideSelection(t.doc);
}
BENCHMARK(BM_HideSelectionOfAllBlocks)->Unit(benchmark::kMillisecond);

void BM_WholeGridBoxAndOutline(benchmark::State& state) {
    FullTrack t;
    for (auto _ : state) {
        t.areaIsWholeGrid();
        benchmark::DoNotOptimize(t.area.count());
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
        fillArea(t.doc, t.ctx.catalog, t.area, 1);
    }
}
BENCHMARK(BM_FillWholeGridArea)->Unit(benchmark::kMillisecond);

// A step that removes blocks drops the list index; the next lookup builds it again.
void BM_BlockListIndexRebuildAndLookup(benchmark::State& state) {
    FullTrack t;
    for (auto _ : state) {
        state.PauseTiming();
        t.fill();
        const BlockRecord* last = &t.doc.blocks().back();
        state.ResumeTiming();
        benchmark::DoNotOptimize(t.doc.lineOf(last));
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
    clearArea(t.area);
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
        hideSelection(t.doc);
        {
            // The hidden blocks as an opened track holds them, with a new history.
            Track hidden = t.doc.releaseTrack();
            t.doc.replaceTrack(std::move(hidden), {}, {});
        }
        t.selectEvery(1);
        break;
    case Variant:
    case Place:
        t.selectEvery(kGridSize * kGridSize * kGridSize);
        break;
    case PasteAll:
        t.selectEvery(1);
        t.ctx.clipboard = copySelection(t.doc, t.ctx.catalog);
        break;
    default:
        t.selectEvery(1);
        break;
    }
}

void runStep(FullTrack& t, StepKind kind) {
    TrackDocument& doc = t.doc;
    const CatalogState& catalog = t.ctx.catalog;
    switch (kind) {
    case MoveAll:
        moveSelection(doc, 1, 0, 0);
        break;
    case TurnAll:
        rotateSelection(doc, 1);
        break;
    case TurnGroupAll:
        rotateSelectionGroup(doc, 1);
        break;
    case Variant:
        setVariantByte(doc, *doc.selection().first(), 0, 7);
        break;
    case HideAll:
        hideSelection(doc);
        break;
    case UnhideAll:
        unhideAll(doc);
        break;
    case DeleteHalf:
        deleteSelection(doc);
        break;
    case DeleteInArea:
        deleteBlocksInArea(doc, catalog, t.area);
        break;
    case FillArea:
        fillArea(doc, catalog, t.area, 1);
        break;
    case Place:
        placeBlock(doc, catalog, 1, GridCell{0, 0, 1});
        break;
    case PasteAll:
        pasteClipboard(doc, catalog, t.ctx.clipboard);
        break;
    case DuplicateAll:
        duplicateSelection(doc, catalog);
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
            timedIf(phase == 1, [&] { t.doc.undo(); });
        if (phase == 2)
            timedIf(true, [&] { t.doc.redo(); });
        state.ResumeTiming();
    }
    if (t.doc.history().stepCount() != 1)
        state.SkipWithError("the step was not recorded");
}
BENCHMARK(BM_StepUndoRedo)
    ->ArgsProduct({benchmark::CreateDenseRange(MoveAll, DuplicateAll, 1), {0, 1, 2}})
    ->ArgNames({"step", "phase"})
    ->Iterations(10) // each iteration first refills the grid, untimed
    ->Unit(benchmark::kMillisecond);

// The whole-selection reshapes of every block of the full grid, each as one step: phase 0 times
// the operation, 1 its undo. Both kinds are their own mirror images, so that the mirror looks
// for the turn that covers the mirrored cells. The grid's kinds are those of an environment
// other than the Stadium, whose coordinates reach 127: the three-cell blocks of the last rows
// stand past cell 31, and the stack's fourth copy reaches level 127.
enum ReshapeKind { TurnQuarter, MirrorX, ShiftAll, StackFour, ReplaceKinds };

ReshapeResult runReshape(FullTrack& t, ReshapeKind kind) {
    TrackDocument& doc = t.doc;
    const CatalogState& catalog = t.ctx.catalog;
    switch (kind) {
    case TurnQuarter:
        return turnSelection(doc, catalog, 1);
    case MirrorX:
        return mirrorSelection(doc, catalog, MirrorAxis::X);
    case ShiftAll:
        return shiftSelection(doc, catalog, 1, 0, 0);
    case StackFour:
        return stackSelection(doc, catalog, 4, 0, 0, 24);
    case ReplaceKinds:
        return replaceKinds(doc, catalog, {{1, 2}, {2, 1}}, ReplaceScope::Track, Area{});
    }
    return {};
}

void BM_ReshapeAndUndo(benchmark::State& state) {
    FullTrack t;
    auto& entries = t.ctx.catalog.catalogs[0].entries;
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i].mirrorPartner = static_cast<std::uint32_t>(i + 1);
    const auto kind = static_cast<ReshapeKind>(state.range(0));
    const bool undo = state.range(1) == 1;
    ReshapeResult result;
    for (auto _ : state) {
        state.PauseTiming();
        t.fill();
        t.selectEvery(1);
        if (!undo)
            state.ResumeTiming();
        result = runReshape(t, kind);
        if (undo) {
            state.ResumeTiming();
            t.doc.undo();
        }
    }
    if (!result.done || t.doc.history().stepCount() != 1)
        state.SkipWithError(("not done: " + result.message).c_str());
    state.counters["blocks"] = result.blocks;
}
BENCHMARK(BM_ReshapeAndUndo)
    ->ArgsProduct({benchmark::CreateDenseRange(TurnQuarter, ReplaceKinds, 1), {0, 1}})
    ->ArgNames({"reshape", "undo"})
    ->Iterations(10) // each iteration first refills the grid, untimed
    ->Unit(benchmark::kMillisecond);

// What the history holds after 100 moves of every block of the full grid.
void BM_HistoryOfHundredWholeGridMoves(benchmark::State& state) {
    FullTrack t;
    t.doc.setHistoryCap(std::size_t{1} << 40);
    for (auto _ : state) {
        state.PauseTiming();
        t.fill();
        t.selectEvery(1);
        state.ResumeTiming();
        for (int i = 0; i < 100; ++i)
            moveSelection(t.doc, i % 2 ? 1 : -1, 0, 0);
    }
    state.counters["history_MB"] = static_cast<double>(t.doc.history().memoryUsed()) / (1 << 20);
    state.counters["steps"] = static_cast<double>(t.doc.history().stepCount());
}
BENCHMARK(BM_HistoryOfHundredWholeGridMoves)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
