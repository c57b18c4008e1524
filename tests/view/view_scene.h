#pragma once

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include <GL/gl.h>
#include <GL/glu.h>

#include <gtest/gtest.h>

#include "assets/display_lists.h"
#include "edit/editor_context.h"
#include "gl_context.h"
#include "document_blocks.h"
#include "view/block_placement.h"
#include "view/frame_renderer.h"
#include "view_projection.h"

// Gives each block the model the test chose for it, the box unless told otherwise.
class ChosenModels : public ModelResolver {
  public:
    std::map<const BlockRecord*, std::int32_t> models;
    std::int32_t fallback = 2;
    std::int32_t resolveBlockModel(const BlockRecord& record) override {
        auto found = models.find(&record);
        return found == models.end() ? fallback : found->second;
    }
};

// A pixel of the view, y counted down from the top as the pointer gives it.
// A fresh editor state and a renderer on the test's GL context, with two white-textured models:
// a box 30 x 30 x 8 units centred on the anchor (offset 2) and an arm 16 x 12 x 8 reaching from
// 2 to 18 units along +X (offset 3), which shows which way a block is turned.
class ViewScene : public ::testing::Test {
  protected:
    static constexpr std::int32_t kBox = 2;
    static constexpr std::int32_t kArm = 3;
    static constexpr int kWidth = GlTestContext::kWidth;
    static constexpr int kHeight = GlTestContext::kHeight;

    EditorContext ctx;
    ViewState view;
    DisplayLists lists;
    ChosenModels models;
    FrameRenderer renderer{ctx.document, ctx.catalog, ctx.areaEditor, view, models, lists};
    std::vector<std::string> frameRateTexts;

    void SetUp() override {
        ASSERT_TRUE(GlTestContext::makeCurrent());
        ASSERT_TRUE(lists.reserve());
        compileBox(kBox, {-15, -15, -4}, {15, 15, 4});
        compileBox(kArm, {2, -6, -4}, {18, 6, 4});
        renderer.setContextReady(true);
        renderer.setFrameRateText(
            [this](const std::string& text) { frameRateTexts.push_back(text); });
        ctx.catalog.currentEnvironment = 0;
        ctx.catalog.catalogs[0].entries.resize(1); // one flat one-cell kind, index 1
        // The blocks alone over the sky, without the environment's ground.
        view.switches.showGround = false;
    }

    void TearDown() override {
        glDeleteLists(lists.base(), DisplayLists::kBlockSize);
        glDeleteTextures(1, &texture_);
    }

    // Looks straight down at a point from height above it, grid y pointing up the screen.
    void lookDownAt(const Vec3& target, double height = 200) {
        view.camera = Camera(target + Vec3(0, 0, height), Vec3(0, 0, -1), Vec3(0, 1, 0));
    }

    // Added as an opened track holds it (with a new history, nothing selected), with its model.
    const BlockRecord& addBlock(int x, int y, int z, std::int32_t model = kBox, int rotation = 0,
                                std::uint32_t flags = 0) {
        const BlockRecord& added =
            addToDocument(ctx.document, recordAt(x, y, z, 1, rotation, flags));
        models.models[&added] = model;
        return added;
    }

    void select(const BlockRecord& r) { ctx.document.select(&r, false); }

    Vec3 anchorOf(const BlockRecord& r) const { return blockAnchor(r, ctx.catalog); }
    // The middle of the top face of a box model.
    Vec3 topOf(const BlockRecord& r) const { return anchorOf(r) + Vec3(0, 0, 4); }

    // Where a world point appears under the current camera.
    Pixel pixelOf(const Vec3& p) { return viewPixelOf(p, view.camera, view.aspect); }

    Rgb colourAt(const Vec3& p) {
        Pixel px = pixelOf(p);
        return renderer.readPickColour(px.x, px.y);
    }

    // Whether the colour shows within radius pixels of where the point appears: thin lines and
    // points may land a pixel beside the projected position.
    bool colourNear(const Vec3& p, Rgb colour, int radius = 2) {
        Pixel px = pixelOf(p);
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (renderer.readPickColour(px.x + dx, px.y + dy) == colour)
                    return true;
        return false;
    }

    // A picking render as the click decision runs it.
    void pickingRender() { renderer.renderFrame(false); }

    const BlockRecord* pickedAt(const Vec3& p) { return renderer.blockOfColour(colourAt(p)); }

  private:
    GLuint texture_ = 0;

    struct Point {
        float x, y, z;
    };

    void compileBox(std::int32_t offset, Point lo, Point hi) {
        if (texture_ == 0) {
            const GLubyte white[2 * 2 * 4] = {255, 255, 255, 255, 255, 255, 255, 255,
                                              255, 255, 255, 255, 255, 255, 255, 255};
            glGenTextures(1, &texture_);
            glBindTexture(GL_TEXTURE_2D, texture_);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
        }
        const float v[8][3] = {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z},
                               {lo.x, hi.y, lo.z}, {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z},
                               {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}};
        const int faces[6][4] = {{4, 5, 6, 7}, {0, 3, 2, 1}, {0, 1, 5, 4},
                                 {2, 3, 7, 6}, {1, 2, 6, 5}, {3, 0, 4, 7}};
        glNewList(lists.name(offset), GL_COMPILE);
        glBindTexture(GL_TEXTURE_2D, texture_);
        glBegin(GL_QUADS);
        for (const auto& f : faces) {
            const float st[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
            for (int i = 0; i < 4; ++i) {
                glTexCoord2f(st[i][0], st[i][1]);
                glVertex3fv(v[f[i]]);
            }
        }
        glEnd();
        glEndList();
    }
};

inline void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}
