// Frames of real tracks at the view's size, drawn with the data pack's models and textures
// through the model store, from the default camera: the large sample, a track with a block in
// every cell of the grid, and the largest of the game's real tracks shared beside the repository.
// Needs a display: run under xvfb-run.
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include "assets/model.h"
#include "assets/model_store.h"
#include "bench_base.h"
#include "drawing_bench_main.h"
#include "edit/block_edits.h"
#include "gl_context.h"
#include "renderer_scene.h"
#include "view/cell_picking.h"
#include "view/frame_renderer.h"

namespace {

struct Scene : RendererScene {
    using RendererScene::RendererScene;

    // Triangles of the blocks in view, from the model files of their lists.
    double trianglesInView() const {
        std::map<std::int32_t, std::uint32_t> perList;
        for (const ModelCache::Entry& entry : store.cache().entries()) {
            std::ifstream in(entry.path, std::ios::binary);
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                                  std::istreambuf_iterator<char>());
            Model model;
            if (entry.list > kFallbackList && parseModel(bytes.data(), bytes.size(), model))
                perList[entry.list] = model.triangleCount;
        }
        double n = 0;
        for (const BlockTable::Entry& e : renderer.blockTable().entries())
            if (e.inView && !(e.record->flags & BLOCK_HIDDEN))
                n += perList[e.model];
        return n;
    }

    int inView() const {
        int n = 0;
        for (const BlockTable::Entry& e : renderer.blockTable().entries())
            n += e.inView;
        return n;
    }
};

// 0 the large sample, 1 the full grid, 2 the largest real track.
Scene* scene(benchmark::State& state) {
    static BenchBase base;
    // Scenes hold GL objects and are left to the end of the process, like the GL context.
    static Scene* scenes[3] = {};
    static const char* const tracks[3] = {kLargeSample, kFullGridTrack, kRealTrack};
    const int which = static_cast<int>(state.range(0));
    if (!scenes[which] && base.ok())
        scenes[which] = new Scene(base, tracks[which]);
    if (!scenes[which] || !scenes[which]->ok) {
        state.SkipWithError("no GL context, data pack or converter (run under xvfb-run)");
        return nullptr;
    }
    GlTestContext::makeCurrent();
    return scenes[which];
}

void report(benchmark::State& state, const Scene& s) {
    state.counters["blocks"] = static_cast<double>(s.ctx.document.blocks().size());
    state.counters["drawn"] = s.inView();
    state.counters["models"] = s.store.lastList() - 1;
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["triangles"] = s.trianglesInView();
    const ChunkTable& chunks = s.renderer.chunkTable();
    if (chunks.chunkCount() > 0) {
        state.counters["chunks"] = static_cast<double>(chunks.chunkCount());
        state.counters["runs"] = static_cast<double>(chunks.runCount());
        state.counters["batched"] = static_cast<double>(chunks.triangleCount());
        state.counters["slicesDrawn"] = static_cast<double>(chunks.slicesDrawn());
        state.counters["slicesTested"] = static_cast<double>(chunks.slicesTested());
        state.counters["trianglesDrawn"] = static_cast<double>(chunks.trianglesDrawn());
    }
}

// The benchmark's "fast" argument: 0 the straightforward renderer, for comparison; 1 the fast
// paths drawing block by block by lists, nearest first, as before the chunks (and as when GL has no
// memory for them); 2 the fast paths with the chunks, as the editor draws.
void useFastPaths(benchmark::State& state, Scene& s, int argument) {
    s.renderer.setFastPaths(state.range(argument) != 0);
    s.renderer.setBatchedDrawing(state.range(argument) == 2);
}

// A visible frame of a moving camera (turned a little to and fro at each frame, as in a drag),
// finished before it is shown: the visibility pass runs and the scene is drawn afresh.
void BM_DisplayRender(benchmark::State& state) {
    Scene* s = scene(state);
    if (!s)
        return;
    useFastPaths(state, *s, 1);
    double turn = 1e-4;
    for (auto _ : state) {
        s->view.camera.turn(turn);
        turn = -turn;
        s->renderer.renderFrame(true);
    }
    report(state, *s);
}

// A visible frame of a scene that did not change (the pointer moved, nothing else).
void BM_UnchangedFrame(benchmark::State& state) {
    Scene* s = scene(state);
    if (!s)
        return;
    useFastPaths(state, *s, 1);
    for (auto _ : state)
        s->renderer.renderFrame(true);
    report(state, *s);
    state.counters["reused"] = s->renderer.framesReused();
}

// A click's picking render: reset the table, draw flat colours, read the pixel under the pointer.
void BM_PickingRender(benchmark::State& state) {
    Scene* s = scene(state);
    if (!s)
        return;
    useFastPaths(state, *s, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(s->renderer.pickColourAt(292, 285));
    report(state, *s);
}

// A click on a block: the picking render, then the display frame that shows the block's new
// selection (toggled at every click).
void BM_Click(benchmark::State& state) {
    Scene* s = scene(state);
    if (!s)
        return;
    useFastPaths(state, *s, 1);
    for (auto _ : state) {
        const Rgb colour = s->renderer.pickColourAt(292, 285);
        s->ctx.document.select(s->renderer.blockOfColour(colour), true);
        s->renderer.renderFrame(true);
    }
    report(state, *s);
    state.counters["retinted"] = s->renderer.framesRetinted();
}

// An edit and its display frame: the selected block in the middle of the view moves a cell along
// x, then the move is undone, each followed by the frame that shows it, as after a key press.
// Times the pair.
void BM_MoveOneBlockAndUndo(benchmark::State& state) {
    Scene* s = scene(state);
    if (!s)
        return;
    useFastPaths(state, *s, 1);
    const Rgb colour = s->renderer.pickColourAt(292, 285);
    const BlockRecord* block = s->renderer.blockOfColour(colour);
    if (!block) {
        state.SkipWithError("no block in the middle of the view");
        return;
    }
    s->ctx.document.select(block, false);
    s->renderer.renderFrame(true);
    for (auto _ : state) {
        moveSelection(s->ctx.document, 1, 0, 0);
        s->renderer.renderFrame(true);
        s->ctx.document.undo();
        s->renderer.renderFrame(true);
    }
    s->ctx.document.clearSelection();
    report(state, *s);
}

// A visible frame in area editing: the cell-picking pass, then the nested display render.
void BM_AreaEditingFrame(benchmark::State& state) {
    Scene* s = scene(state);
    if (!s)
        return;
    useFastPaths(state, *s, 1);
    // The pointer moves between two cells at every frame.
    bool aside = false;
    s->ctx.areaEditor.setEditing(true);
    for (auto _ : state) {
        s->view.lastPointer = aside ? ScreenPoint{292, 285} : ScreenPoint{330, 300};
        aside = !aside;
        s->renderer.renderFrame(true);
    }
    s->ctx.areaEditor.setEditing(false);
    report(state, *s);
}

// The cell-picking pass of area editing on its own: the plane of 1024 colours and one read.
void BM_CellPickingPass(benchmark::State& state) {
    Scene* s = scene(state);
    if (!s)
        return;
    PickTable table;
    AreaCursor cursor;
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawCellPickPlane(table, s->ctx.areaEditor.level());
        cursor = pickCell(table, 292, 285);
    }
    state.counters["cursorX"] = cursor.x;
}

// Milliseconds of wall and process CPU time, over two seconds each.
void timed(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime()->MeasureProcessCPUTime();
}

// The first `tracks` tracks (0 the large sample, 1 the full grid, 2 the largest real track), each
// drawn the straightforward way, by lists and by chunks.
template <int tracks> void bothPaths(benchmark::internal::Benchmark* b) {
    b->ArgNames({"track", "fast"});
    for (int track = 0; track < tracks; ++track)
        for (int fast = 0; fast < 3; ++fast)
            b->Args({track, fast});
    timed(b);
}

} // namespace

BENCHMARK(BM_DisplayRender)->Apply(bothPaths<3>);
BENCHMARK(BM_UnchangedFrame)->Apply(bothPaths<1>);
BENCHMARK(BM_PickingRender)->Apply(bothPaths<2>);
BENCHMARK(BM_Click)->Apply(bothPaths<1>);
BENCHMARK(BM_AreaEditingFrame)->Apply(bothPaths<1>);
BENCHMARK(BM_MoveOneBlockAndUndo)->Apply(bothPaths<1>);
BENCHMARK(BM_CellPickingPass)->ArgName("track")->Arg(0)->Apply(timed);

int main(int argc, char** argv) {
    return drawingBenchMain(argc, argv);
}
