#include <string>
#include <vector>

#include <GL/gl.h>

#include "edit/block_edits.h"
#include "view_scene.h"

namespace {

const Rgb kSelectedTint{255, 170, 170};

} // namespace

// Blocks whose models' triangles are known are drawn from chunks; every change shows as the
// straightforward renderer draws it, in the chunk a block left and in the one it entered.
class ChunkDrawing : public ViewScene {
  protected:
    void SetUp() override {
        ViewScene::SetUp();
        // The box model's triangles, beside its display list.
        const float lo[3] = {-15, -15, -4}, hi[3] = {15, 15, 4};
        const int faces[6][4][3] = {{{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}},
                                    {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}},
                                    {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}},
                                    {{1, 1, 0}, {0, 1, 0}, {0, 1, 1}, {1, 1, 1}},
                                    {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}},
                                    {{0, 1, 0}, {0, 0, 0}, {0, 0, 1}, {0, 1, 1}}};
        ModelMesh mesh;
        const int halves[2][3] = {{0, 1, 2}, {0, 2, 3}};
        for (const auto& face : faces)
            for (const auto& half : halves) {
                ModelTriangle& t = mesh.triangles.emplace_back();
                for (int k = 0; k < 3; ++k) {
                    const int* c = face[half[k]];
                    t.vertices[k] = {c[0] ? hi[0] : lo[0], c[1] ? hi[1] : lo[1],
                                     c[2] ? hi[2] : lo[2], float(c[0]), float(c[1])};
                }
            }
        lists.setMesh(kBox, std::move(mesh));
    }

    std::vector<GLubyte> frame(bool fast) {
        renderer.setFastPaths(fast);
        renderer.renderFrame(true);
        std::vector<GLubyte> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    }

    void expectAsStraightforward(const char* after) {
        const std::vector<GLubyte> fast = frame(true);
        const std::vector<GLubyte> plain = frame(false);
        EXPECT_TRUE(fast == plain) << "after " << after;
    }
};

TEST_F(ChunkDrawing, ChangesShowAsTheStraightforwardRendererDrawsThem) {
    // Cells 3 and 4 lie in two chunks of every size up to four cells.
    const BlockRecord& a = addBlock(3, 5, 1);
    addBlock(4, 4, 1);
    addBlock(4, 6, 2);
    lookDownAt(anchorOf(a) + Vec3(-20, 0, 0), 250);
    expectAsStraightforward("the first frame");
    EXPECT_GT(renderer.chunkTable().chunkCount(), 1u);

    select(a);
    expectAsStraightforward("a selection");
    // A frame of its own builds the chunks, which the kept frame did not need.
    view.camera.turn(1e-4);
    expectAsStraightforward("a turn");
    moveSelection(ctx.document, 1, 0, 0);
    expectAsStraightforward("a move into the next chunk");
    hideSelection(ctx.document);
    expectAsStraightforward("a hide");
    ASSERT_TRUE(ctx.document.undo());
    ASSERT_TRUE(ctx.document.undo());
    expectAsStraightforward("two undos");
    view.levelLimit = 1;
    expectAsStraightforward("a level limit");
    EXPECT_EQ(colourAt(topOf(a)), kSelectedTint);
}

TEST_F(ChunkDrawing, BlocksOverTheBuffersBudgetAreDrawnOneByOneWithAMessage) {
    // Each block takes 8,000 triangles more, all of no area: 200 blocks need 154 MB.
    ModelMesh heavy = *lists.mesh(kBox);
    ModelTriangle flat = heavy.triangles.front();
    flat.vertices[1] = flat.vertices[2] = flat.vertices[0];
    heavy.triangles.insert(heavy.triangles.end(), 8000, flat);
    lists.setMesh(kBox, std::move(heavy));
    std::vector<std::string> messages;
    renderer.setStatusMessage([&](const std::string& m) { messages.push_back(m); });
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 10; ++y)
            addBlock(x, y, 1);
    lookDownAt(anchorOf(ctx.document.blocks().front()), 400);

    expectAsStraightforward("the first frame");
    EXPECT_TRUE(renderer.chunkTable().failed());
    EXPECT_EQ(renderer.chunkTable().chunkCount(), 0u);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front(),
              "Not enough memory to draw the blocks in batches: they are drawn one by one");
    EXPECT_EQ(colourAt(topOf(ctx.document.blocks().front())), (Rgb{255, 255, 255}));
}
