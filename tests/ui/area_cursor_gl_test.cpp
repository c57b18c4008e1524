#include <GL/gl.h>

#include "assets/display_lists.h"
#include "gl_context.h"
#include "math/vec3.h"
#include "ui_fixture.h"
#include "view/frame_renderer.h"
#include "view/view_input.h"
#include "view_projection.h"

namespace {

using namespace control_id;

// The fallback model for every block.
class FallbackModels : public ModelResolver {
  public:
    std::int32_t resolveBlockModel(const BlockRecord&) override { return 1; }
};

// The middle of a cell's bottom face on a level, where the cursor's picking plane lies.
Vec3 cellFloor(int x, int y, int level) {
    return Vec3(-(x * 41.7 + 20.85), y * 41.7 + 20.85, level * 10.1 - 5.05 - 1.257 - 5.05);
}

// Both pages with the real renderer on the test's GL context: the Area page sees what the
// renderer's cursor pass and the view's area clicks tell it. As in the editor, each command of
// a page and each input of the view is followed by one frame.
class AreaCursorTest : public PagesTest {
  protected:
    DisplayLists lists;
    FallbackModels models;
    FrameRenderer renderer{ctx.document, ctx.catalog, ctx.areaEditor, viewState, models, lists};

    void SetUp() override {
        ASSERT_TRUE(GlTestContext::makeCurrent());
        ASSERT_TRUE(lists.reserve());
        renderer.setContextReady(true);
        const auto done = [this](bool) {
            ++frames;
            frame();
        };
        blocks->setCommandDone(done);
        area->setCommandDone(done);
        viewState.camera =
            Camera(cellFloor(3, 7, 1) + Vec3(0, 0, 200), Vec3(0, 0, -1), Vec3(0, 1, 0));
    }
    void TearDown() override { glDeleteLists(lists.base(), DisplayLists::kBlockSize); }

    // Where a world point appears in the view, y counted down from the top.
    QPointF pixelOf(const Vec3& p) {
        GlTestContext::makeCurrent();
        Pixel px = viewPixelOf(p, viewState.camera, viewState.aspect);
        return QPointF(px.x, px.y);
    }
    void frame() {
        GlTestContext::makeCurrent();
        renderer.renderFrame(true);
    }
    void movePointer(QPointF at) {
        onMouseMove(viewState, static_cast<float>(at.x()), static_cast<float>(at.y()));
        frame();
    }
    // The pointer moves over the pixel (a frame finds the cell there), then clicks.
    void clickView(QPointF at) {
        movePointer(at);
        const auto x = static_cast<float>(at.x()), y = static_cast<float>(at.y());
        onLeftButtonDown(viewState, x, y);
        onLeftButtonUp(viewState, doc, ctx.areaEditor, renderer, x, y);
        frame();
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

    click(area, kEditCurrentArea);
    EXPECT_EQ(cursorTexts(), (QStringList{"3", "7", "1"}));

    movePointer(pixelOf(cellFloor(4, 6, 1)));
    EXPECT_EQ(cursorTexts(), (QStringList{"4", "6", "1"}));
    movePointer(beyondGrid);
    EXPECT_EQ(cursorTexts(), (QStringList{"-1", "-1", "1"}));

    onWheel(ctx.areaEditor, 120);
    frame();
    EXPECT_EQ(text(area, kCursorLevel), "2");

    // Switched off, frames no longer touch the cursor texts.
    click(area, kEditCurrentArea);
    movePointer(overCell);
    EXPECT_EQ(cursorTexts(), (QStringList{"-1", "-1", "2"}));
}

TEST_F(AreaCursorTest, AreaClicksInTheViewUpdateBothCounts) {
    addBlock(1, 3, 7, 1);
    addBlock(1, 9, 9, 1);
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
