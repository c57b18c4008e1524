// The Blocks page over a track with a block in every cell of the grid (32,768 lines): a hide of
// every block, from the step through its notification to the list's lines written in place,
// against a step that makes the list fill itself again (adding one block), which is what every
// hide cost while the list was refilled after it. Needs a display: run under xvfb-run.
#include <memory>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>

#include "edit/area.h"
#include "edit/block_edits.h"
#include "edit/editor_context.h"
#include "ui/blocks_page.h"
#include "ui/control_ids.h"

namespace {

constexpr int kBlocks = kGridSize * kGridSize * kGridSize;

struct Page {
    std::unique_ptr<QApplication> app;
    EditorContext ctx;
    ViewState view;
    std::unique_ptr<BlocksPage> page;

    Page() {
        static int argc = 1;
        static char name[] = "blockyard";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        ctx.catalog.currentEnvironment = 0;
        auto& entries = ctx.catalog.catalogs[0].entries;
        entries.resize(1);
        entries[0].name = "StadiumRoadMain";
        entries[0].units = {{0, 0, 0}};
        Track track;
        for (int i = 0; i < kBlocks; ++i)
            track.blocks.push_back(*makeRecord(1, 0, static_cast<std::int8_t>(i % 32),
                                               static_cast<std::int8_t>(i / 32 % 32),
                                               static_cast<std::int8_t>(i / 1024), {}, 1));
        ctx.document.replaceTrack(std::move(track), {}, {});
        page = std::make_unique<BlocksPage>(ctx, view);
        page->show();
        QApplication::processEvents();
        ctx.document.invertSelection();
    }

    int lines() const {
        return qobject_cast<QListWidget*>(page->control(control_id::kBlockList))->count();
    }
};

Page& page() {
    static Page* p = new Page;
    return *p;
}

void BM_HideAllInPlace(benchmark::State& state) {
    Page& p = page();
    for (auto _ : state) {
        hideSelection(p.ctx.document);
        QApplication::processEvents();
        state.PauseTiming();
        unhideAll(p.ctx.document);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["lines"] = p.lines();
}
BENCHMARK(BM_HideAllInPlace)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_StepThatRefillsTheList(benchmark::State& state) {
    Page& p = page();
    for (auto _ : state) {
        appendBlock(p.ctx.document, makeRecord(1, 0, 0, 0, 31, {}, 1));
        QApplication::processEvents();
        state.PauseTiming();
        p.ctx.document.undo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["lines"] = p.lines();
}
BENCHMARK(BM_StepThatRefillsTheList)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace

BENCHMARK_MAIN();
