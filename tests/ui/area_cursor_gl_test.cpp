#include <GL/gl.h>

#include "assets/display_lists.h"
#include "edit/view_input.h"
#include "gl_context.h"
#include "math/vec3.h"
#include "ui_fixture.h"
#include "view/frame_renderer.h"
#include "view_projection.h"

namespace {

using namespace control_id;

// The middle of a cell's bottom face on a level, where the cursor's picking plane lies.
Vec3 cellFloor(int x, int y, int level) {
    return Vec3(-(x * 41.7 + 20.85), y * 41.7 + 20.85, level * 10.1 - 5.05 - 1.257 - 5.05);
}

// Both pages with the real renderer on the test's GL context: the Area page sees what the
// renderer's cursor pass and the view's area clicks tell it.
class AreaCursorTest : public PagesTest {
  protected:
    DisplayLists lists;
    FrameRenderer renderer{ctx, lists};

    void SetUp() override {
        ASSERT_TRUE(GlTestContext::makeCurrent());
        ASSERT_TRUE(lists.reserve());
        renderer.setContextReady(true);
        ctx.viewPort = &renderer;
        ctx.viewCamera =
            Camera(cellFloor(3, 7, 1) + Vec3(0, 0, 200), Vec3(0, 0, -1), Vec3(0, 1, 0));
    }
    void TearDown() override { glDeleteLists(lists.base(), DisplayLists::kBlockSize); }

    // Where a world point appears in the view, y counted down from the top.
    QPointF pixelOf(const Vec3& p) {
        GlTestContext::makeCurrent();
        Pixel px = viewPixelOf(p, ctx.viewCamera, ctx.viewAspect);
        return QPointF(px.x, px.y);
    }
    void movePointer(QPointF at) {
        GlTestContext::makeCurrent();
        onMouseMove(ctx, static_cast<float>(at.x()), static_cast<float>(at.y()));
    }
    // The pointer moves over the pixel (a frame finds the cell there), then clicks.
    void clickView(QPointF at) {
        movePointer(at);
        onLeftButtonDown(ctx, static_cast<float>(at.x()), static_cast<float>(at.y()));
        onLeftButtonUp(ctx, static_cast<float>(at.x()), static_cast<float>(at.y()));
    }
    QStringList cursorTexts() const {
        return {text(area, kCursorX), text(area, kCursorY), text(area, kCursorLevel)};
    }
};

TEST_F(AreaCursorTest, EditCurrentAreaShowsTheCellUnderThePointer) {
    const QPointF overCell = pixelOf(cellFloor(3, 7, 1));
    const QPointF beyondGrid = pixelOf(cellFloor(3, -3, 1));
    movePointer(overCell);
    // Area editing off: the cursor is not looked for.
    EXPECT_EQ(cursorTexts(), (QStringList{"...", "...", "..."}));

    GlTestContext::makeCurrent();
    click(area, kEditCurrentArea);
    EXPECT_EQ(cursorTexts(), (QStringList{"3", "7", "1"}));

    movePointer(pixelOf(cellFloor(4, 6, 1)));
    EXPECT_EQ(cursorTexts(), (QStringList{"4", "6", "1"}));
    movePointer(beyondGrid);
    EXPECT_EQ(cursorTexts(), (QStringList{"-1", "-1", "1"}));

    GlTestContext::makeCurrent();
    onWheel(ctx, 120);
    EXPECT_EQ(text(area, kCursorLevel), "2");

    // Switched off, frames no longer touch the cursor texts.
    GlTestContext::makeCurrent();
    click(area, kEditCurrentArea);
    movePointer(overCell);
    EXPECT_EQ(cursorTexts(), (QStringList{"-1", "-1", "2"}));
}

TEST_F(AreaCursorTest, AreaClicksInTheViewUpdateBothCounts) {
    addBlock(1, 3, 7, 1);
    addBlock(1, 9, 9, 1);
    blocks->fillBlockList();
    GlTestContext::makeCurrent();
    click(area, kEditCurrentArea);

    clickView(pixelOf(cellFloor(3, 7, 1)));
    EXPECT_EQ(text(area, kAreaCellCount), "1");
    EXPECT_EQ(text(area, kAreaBlockCount), "1");
    clickView(pixelOf(cellFloor(4, 7, 1)));
    EXPECT_EQ(text(area, kAreaCellCount), "2");
    EXPECT_EQ(text(area, kAreaBlockCount), "1");
    clickView(pixelOf(cellFloor(3, 7, 1)));
    EXPECT_EQ(text(area, kAreaCellCount), "1");
    EXPECT_EQ(text(area, kAreaBlockCount), "0");
}

} // namespace
