// Frame renders of a 10,000-block track at the view's size, and filling a pick table. The GL
// benchmarks need a display: run under xvfb-run.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include "assets/display_lists.h"
#include "edit/editor_context.h"
#include "gl_context.h"
#include "view/frame_renderer.h"

namespace {

constexpr int kBlocks = 10000;

// A white-textured box a little smaller than a cell, as a model list.
void compileBox(GLuint list, GLuint texture) {
    const float h = 18, t = 4;
    const float v[8][3] = {{-h, -h, -t}, {h, -h, -t}, {h, h, -t}, {-h, h, -t},
                           {-h, -h, t},  {h, -h, t},  {h, h, t},  {-h, h, t}};
    const int faces[6][4] = {{4, 5, 6, 7}, {0, 3, 2, 1}, {0, 1, 5, 4},
                             {2, 3, 7, 6}, {1, 2, 6, 5}, {3, 0, 4, 7}};
    const float st[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    glNewList(list, GL_COMPILE);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    for (const auto& f : faces)
        for (int i = 0; i < 4; ++i) {
            glTexCoord2fv(st[i]);
            glVertex3fv(v[f[i]]);
        }
    glEnd();
    glEndList();
}

// Every block is drawn with the box.
class BoxModels : public ModelResolver {
  public:
    std::int32_t resolveBlockModel(const BlockRecord&) override { return 2; }
};

// Ten levels of the whole grid, cut at 10,000 blocks, seen from the default camera.
struct Scene {
    EditorContext ctx;
    ViewState view;
    DisplayLists lists;
    BoxModels models;
    FrameRenderer renderer{ctx.document, ctx.catalog, ctx.areaEditor, view, models, lists};
    GLuint texture = 0;
    bool ok = false;

    Scene() {
        if (!GlTestContext::makeCurrent() || !lists.reserve())
            return;
        const GLubyte white[4] = {255, 255, 255, 255};
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
        compileBox(lists.name(2), texture);
        ctx.catalog.catalogs[0].entries.resize(1);
        Track track;
        for (int i = 0; i < kBlocks; ++i) {
            BlockRecord r;
            r.catalogIndex = 1;
            r.x = static_cast<std::int8_t>(i % 32);
            r.y = static_cast<std::int8_t>(i / 32 % 32);
            r.z = static_cast<std::int8_t>(1 + i / 1024);
            r.rotation = static_cast<std::uint8_t>(i % 4);
            track.blocks.push_back(r);
        }
        ctx.document.replaceTrack(std::move(track), {}, {});
        renderer.setContextReady(true);
        renderer.setPresent([] { glFinish(); });
        ok = true;
    }

    int inView() const {
        int n = 0;
        for (const BlockTable::Entry& e : renderer.blockTable().entries())
            n += e.inView;
        return n;
    }

    // With a moved camera the visibility of every block is tested again: the camera turns a
    // little to and fro.
    void moveCameraIf(bool moved) {
        if (!moved)
            return;
        view.camera.turn(turn_);
        turn_ = -turn_;
    }

  private:
    double turn_ = 1e-4;
};

Scene& scene() {
    static Scene* s = new Scene;
    return *s;
}

// A click's picking render: reset the table, draw flat colours, read the pixel under the pointer.
void BM_PickingRender(benchmark::State& state) {
    Scene& s = scene();
    if (!s.ok) {
        state.SkipWithError("no GL context");
        return;
    }
    const bool viewChanged = state.range(0) != 0;
    for (auto _ : state) {
        s.moveCameraIf(viewChanged);
        s.renderer.renderFrame(false);
        benchmark::DoNotOptimize(s.renderer.readPickColour(292, 285));
    }
    state.counters["drawn"] = s.renderer.pickTable().count();
}
BENCHMARK(BM_PickingRender)->Arg(0)->Arg(1)->ArgName("viewChanged")->Unit(benchmark::kMillisecond);

// A visible frame, finished before it is shown.
void BM_DisplayRender(benchmark::State& state) {
    Scene& s = scene();
    if (!s.ok) {
        state.SkipWithError("no GL context");
        return;
    }
    const bool viewChanged = state.range(0) != 0;
    for (auto _ : state) {
        s.moveCameraIf(viewChanged);
        s.renderer.renderFrame(true);
    }
    state.counters["drawn"] = s.inView();
}
BENCHMARK(BM_DisplayRender)->Arg(0)->Arg(1)->ArgName("viewChanged")->Unit(benchmark::kMillisecond);

// A visible frame in area editing: the cell pass with 1024 colours, then the nested display render.
void BM_AreaEditingFrame(benchmark::State& state) {
    Scene& s = scene();
    if (!s.ok) {
        state.SkipWithError("no GL context");
        return;
    }
    s.view.lastPointer = {292, 285};
    s.ctx.areaEditor.setEditing(true);
    for (auto _ : state)
        s.renderer.renderFrame(true);
    s.ctx.areaEditor.setEditing(false);
}
BENCHMARK(BM_AreaEditingFrame)->Unit(benchmark::kMillisecond);

void BM_AssignPickColours(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    PickTable table;
    for (auto _ : state) {
        table.resetPickTable(n);
        for (int i = 1; i <= n; ++i)
            benchmark::DoNotOptimize(table.assignPickColour(static_cast<std::uintptr_t>(i)));
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_AssignPickColours)->Arg(1024)->Arg(32768)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
