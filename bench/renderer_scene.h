#pragma once

#include <GL/gl.h>

#include "assets/model_store.h"
#include "bench_base.h"
#include "edit/editor_context.h"
#include "gl_context.h"
#include "view/frame_renderer.h"
#include "view/view_state.h"

// A track of the bench's data opened into an editor state with a renderer on the test GL
// context, its models resolved and its first frames drawn; `ok` unless something was missing.
struct RendererScene {
    EditorContext ctx;
    ViewState view;
    ModelStore store{ctx.folders, [this]() -> Prompts& { return ctx.prompts(); }};
    FrameRenderer renderer{ctx.document, ctx.catalog, ctx.areaEditor, view, store, store.lists()};
    bool ok = false;

    RendererScene(BenchBase& base, const char* track) {
        ctx.setPrompts(&base.prompts);
        ctx.folders.base = base.path();
        if (!GlTestContext::makeCurrent() || !store.reserveLists() || !store.loadFixedModels() ||
            !base.open(track, ctx))
            return;
        renderer.resolveModels();
        renderer.setContextReady(true);
        renderer.setPresent([] { glFinish(); });
        // The first frames compile the renderer's shaders; they are not what a user waits for.
        renderer.renderFrame(false);
        renderer.renderFrame(true);
        ok = true;
    }
};
