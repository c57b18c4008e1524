#include "view_scene.h"

#include "view/cell_picking.h"

namespace {

// The middle of a cell's bottom face on a level: where the cell-picking plane lies.
Vec3 cellFloor(int x, int y, int level) {
    return Vec3(-(x * 41.7 + 20.85), y * 41.7 + 20.85, level * 10.1 - 5.05 - 1.257 - 5.05);
}

class CellPicking : public ViewScene {
  protected:
    void pointAt(Pixel px) {
        view.lastPointer = {static_cast<float>(px.x), static_cast<float>(px.y)};
    }
    // One visible frame in area editing, with the pointer over a pixel.
    void areaFrame(Pixel px) {
        ctx.areaEditor.setEditing(true);
        pointAt(px);
        renderer.renderFrame(true);
    }
};

TEST_F(CellPicking, CursorFollowsTheCellUnderThePointer) {
    areaFrame(pixelOf(cellFloor(3, 7, 1)));
    EXPECT_EQ(ctx.areaEditor.cursor().x, 3);
    EXPECT_EQ(ctx.areaEditor.cursor().y, 7);

    // The far corner cell, on a higher level, seen from above.
    ctx.areaEditor.setLevel(4);
    lookDownAt(cellFloor(31, 31, 4), 300);
    areaFrame(pixelOf(cellFloor(31, 31, 4)));
    EXPECT_EQ(ctx.areaEditor.cursor().x, 31);
    EXPECT_EQ(ctx.areaEditor.cursor().y, 31);
    areaFrame(pixelOf(cellFloor(30, 31, 4)));
    EXPECT_EQ(ctx.areaEditor.cursor().x, 30);
}

TEST_F(CellPicking, NoCellBeyondTheGridsEdge) {
    lookDownAt(cellFloor(31, 31, 1), 300);
    areaFrame(pixelOf(cellFloor(32, 31, 1)));
    EXPECT_EQ(ctx.areaEditor.cursor().x, -1);
    EXPECT_EQ(ctx.areaEditor.cursor().y, -1);
    areaFrame(pixelOf(cellFloor(31, 32, 1)));
    EXPECT_EQ(ctx.areaEditor.cursor().x, -1);
    EXPECT_EQ(ctx.areaEditor.cursor().y, -1);
    // Back over the grid the cursor returns.
    areaFrame(pixelOf(cellFloor(31, 31, 1)));
    EXPECT_EQ(ctx.areaEditor.cursor().x, 31);
}

TEST_F(CellPicking, AnAxisLineHidesNoCell) {
    // Seen from beside the grid, the green axis (along +Y at height 0) lies over cell (0, 4) of
    // the plane of level 0.
    ctx.areaEditor.setLevel(0);
    const Vec3 eye(300, 300, 200);
    const Vec3 target(0, 200, 0);
    Vec3 direction = (target - eye).normalized();
    Vec3 up = (Vec3(0, 0, 1) - direction * direction.z).normalized();
    view.camera = Camera(eye, direction, up);
    renderer.renderFrame(true);
    Pixel around = pixelOf(target);
    Pixel onAxis;
    for (int dx = -3; dx <= 3 && onAxis.x < 0; ++dx)
        if (renderer.readPickColour(around.x + dx, around.y) == Rgb{0, 255, 0})
            onAxis = {around.x + dx, around.y};
    ASSERT_GE(onAxis.x, 0);

    areaFrame(onAxis);
    EXPECT_EQ(ctx.areaEditor.cursor().x, 0);
    EXPECT_EQ(ctx.areaEditor.cursor().y, 4);
}

TEST_F(CellPicking, PointerRowsCountDownFromTheTop) {
    glDisable(GL_DEPTH_TEST);
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, kHeight - 1, kWidth, 1);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(0, 0, kWidth, 1);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);

    EXPECT_EQ(readPickColour(7, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(readPickColour(7, 1), (Rgb{0, 255, 0}));
    EXPECT_EQ(readPickColour(7, kHeight - 1), (Rgb{0, 0, 255}));
    // Outside the view the pointer finds the background, never a stale colour.
    EXPECT_EQ(readPickColour(-1, 5), kPickBackground);
    EXPECT_EQ(readPickColour(5, kHeight), kPickBackground);
    EXPECT_EQ(readPickColour(kWidth, 5), kPickBackground);
}

} // namespace
