// Compiling and calling a model's display list with consecutive same-texture triangles grouped
// into one bind and one begin/end (drawModel) against one bind and one begin/end per triangle.
#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include "assets/model.h"
#include "gl_context.h"

namespace {

constexpr int kTriangles = 4096;
constexpr int kTextures = 8;

// A grid of small triangles; the texture changes every runLength triangles.
Model makeModel(int runLength) {
    static std::vector<std::uint32_t> textures;
    if (textures.empty()) {
        textures.resize(kTextures);
        glGenTextures(kTextures, textures.data());
        for (int i = 0; i < kTextures; ++i) {
            const std::uint8_t texel[3] = {static_cast<std::uint8_t>(30 * i), 128, 200};
            glBindTexture(GL_TEXTURE_2D, textures[i]);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
            glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texel);
        }
    }
    Model model;
    model.textures = textures;
    model.textureCount = kTextures;
    model.triangleCount = kTriangles;
    model.triangles.resize(kTriangles);
    for (int i = 0; i < kTriangles; ++i) {
        const float x = static_cast<float>(i % 64) * 9;
        const float y = static_cast<float>(i / 64) * 8;
        ModelTriangle& t = model.triangles[i];
        t.textureIndex = static_cast<std::uint16_t>((i / runLength) % kTextures);
        t.vertices = {ModelVertex{x, y, 0, 0, 0}, ModelVertex{x + 8, y, 0, 1, 0},
                      ModelVertex{x, y + 7, 0, 0, 1}};
    }
    return model;
}

// One bind and one begin/end per triangle.
void drawPerTriangle(const Model& model) {
    for (const ModelTriangle& t : model.triangles) {
        glBindTexture(GL_TEXTURE_2D, model.textures[t.textureIndex]);
        glBegin(GL_TRIANGLES);
        for (const ModelVertex& v : t.vertices) {
            glTexCoord2f(v.u, v.v);
            glVertex3f(v.x, v.y, v.z);
        }
        glEnd();
    }
}

bool setUp(benchmark::State& state) {
    if (!GlTestContext::makeCurrent()) {
        state.SkipWithError("no GL context (run under xvfb-run)");
        return false;
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, GlTestContext::kWidth, 0, GlTestContext::kHeight, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    return true;
}

template <void (*Draw)(const Model&)> void compileList(benchmark::State& state) {
    if (!setUp(state))
        return;
    const Model model = makeModel(static_cast<int>(state.range(0)));
    const GLuint list = glGenLists(1);
    for (auto _ : state) {
        glNewList(list, GL_COMPILE);
        Draw(model);
        glEndList();
    }
    glFinish();
    glDeleteLists(list, 1);
    state.SetItemsProcessed(state.iterations() * kTriangles);
}

template <void (*Draw)(const Model&)> void callList(benchmark::State& state) {
    if (!setUp(state))
        return;
    const Model model = makeModel(static_cast<int>(state.range(0)));
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    Draw(model);
    glEndList();
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT);
        glCallList(list);
        glFinish();
    }
    glDeleteLists(list, 1);
    state.SetItemsProcessed(state.iterations() * kTriangles);
}

} // namespace

// The argument is the number of consecutive triangles that share a texture.
BENCHMARK(compileList<drawModel>)->Name("compile/grouped")->Arg(1)->Arg(8)->Arg(64);
BENCHMARK(compileList<drawPerTriangle>)->Name("compile/per_triangle")->Arg(1)->Arg(8)->Arg(64);
BENCHMARK(callList<drawModel>)->Name("call/grouped")->Arg(1)->Arg(8)->Arg(64);
BENCHMARK(callList<drawPerTriangle>)->Name("call/per_triangle")->Arg(1)->Arg(8)->Arg(64);

BENCHMARK_MAIN();
