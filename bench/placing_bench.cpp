// A pointer move in placing mode over the data pack's large sample (10,366 blocks) through the
// model store, from the default camera: the picking render at the pointer that finds the block
// under it, the ghost's new place and cells, and the display frame (the kept frame put back with
// the ghost drawn over it), finished. Needs a display: run under xvfb-run.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include "assets/model_store.h"
#include "bench_base.h"
#include "drawing_bench_main.h"
#include "gl_context.h"
#include "renderer_scene.h"
#include "view/frame_renderer.h"
#include "view/placing_mode.h"

namespace {

struct Scene : RendererScene {
    PlacingMode placing{ctx.document, ctx.catalog, ctx.areaEditor, view, renderer, renderer};

    explicit Scene(BenchBase& base) : RendererScene(base, kLargeSample) {
        if (!ok)
            return;
        // A block of the track's first kind, as the picker would give it.
        BlockClipboard group;
        group.entries.push_back(
            {BlockRecord{}, ctx.catalog.catalogs[kStadium]
                                .entries[ctx.document.blocks().front().catalogIndex - 1]
                                .name});
        ok = placing.start(group, "a block");
    }
};

void BM_PlacingPointerMove(benchmark::State& state) {
    static BenchBase base;
    static Scene* scene = base.ok() ? new Scene(base) : nullptr;
    if (!scene || !scene->ok) {
        state.SkipWithError("no GL context, data pack or converter (run under xvfb-run)");
        return;
    }
    GlTestContext::makeCurrent();
    scene->renderer.setFastPaths(state.range(0) != 0);
    const int frames = scene->renderer.framesReused();
    // To and fro between two pixels of the grid a few cells apart, as a pointer sweeps.
    int step = 0;
    for (auto _ : state) {
        const float x = step++ % 2 ? 250.0f : 330.0f;
        scene->placing.pointAt(x, 330.0f, GlTestContext::kWidth, GlTestContext::kHeight);
        scene->view.lastPointer = {x, 330.0f};
        scene->renderer.renderFrame(true);
    }
    state.counters["blocks"] = static_cast<double>(scene->ctx.document.blocks().size());
    state.counters["reused"] = scene->renderer.framesReused() - frames;
    state.counters["ghost"] = static_cast<double>(scene->placing.ghost().size());
}

} // namespace

BENCHMARK(BM_PlacingPointerMove)->ArgName("fast")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return drawingBenchMain(argc, argv);
}
