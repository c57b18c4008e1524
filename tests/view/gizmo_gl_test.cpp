#include <cmath>

#include "view_scene.h"

#include "edit/block_edits.h"
#include "view/gizmos.h"

namespace {

using MoveGizmo = ViewScene;

TEST_F(MoveGizmo, HandlesPickAsTheirColoursAlongTheWorldAxesAtAnyRotation) {
    const BlockRecord& a = addBlock(10, 10, 2);
    select(a);
    view.switches.showMoveGizmo = true;
    const Vec3 anchor = anchorOf(a);
    for (int rotation : {0, 1, 3}) {
        rotateSelection(ctx.document, rotation - a.rotation);
        ASSERT_EQ(a.rotation, rotation);
        // From above for the handles along x and y.
        lookDownAt(anchor, 250);
        pickingRender();
        EXPECT_EQ(colourAt(anchor + Vec3(-41.7, 0, 0)), kMovePlusX) << rotation;
        EXPECT_EQ(colourAt(anchor + Vec3(41.7, 0, 0)), kMoveMinusX) << rotation;
        EXPECT_EQ(colourAt(anchor + Vec3(0, 41.7, 0)), kMovePlusY) << rotation;
        EXPECT_EQ(colourAt(anchor + Vec3(0, -41.7, 0)), kMoveMinusY) << rotation;
        // The box itself between the handles is the block.
        EXPECT_EQ(pickedAt(anchor + Vec3(8, 8, 4)), &a);

        // From the side for the handles along z.
        view.camera = Camera(anchor + Vec3(0, -200, 0), Vec3(0, 1, 0), Vec3(0, 0, 1));
        pickingRender();
        EXPECT_EQ(colourAt(anchor + Vec3(0, 0, 10.1)), kMovePlusZ) << rotation;
        EXPECT_EQ(colourAt(anchor + Vec3(0, 0, -10.1)), kMoveMinusZ) << rotation;
    }
}

TEST_F(MoveGizmo, DrawnOnlyForSelectedBlocksWhileShown) {
    const BlockRecord& a = addBlock(10, 10, 2);
    const Vec3 plusX = anchorOf(a) + Vec3(-41.7, 0, 0);
    lookDownAt(anchorOf(a), 250);
    view.switches.showMoveGizmo = true;
    pickingRender();
    EXPECT_NE(colourAt(plusX), kMovePlusX);
    select(a);
    view.switches.showMoveGizmo = false;
    pickingRender();
    EXPECT_NE(colourAt(plusX), kMovePlusX);
    // Shown in display renders too.
    view.switches.showMoveGizmo = true;
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(plusX), kMovePlusX);
}

using RotateGizmo = ViewScene;

// The tip of an arc at angle t around a selection's extent, as the gizmo places it.
Vec3 arcTip(double t, int minX, int maxX, int minY, int maxY, double meanZ) {
    const double cx = (maxX + minX + 1) * 41.7 / 2, cy = (maxY + minY + 1) * 41.7 / 2;
    const double rx = (maxX - minX + 1) * 41.7 / 2, ry = (maxY - minY + 1) * 41.7 / 2;
    return Vec3(-cx - std::sin(t) * rx, cy + std::cos(t) * ry, meanZ * 10.1 - 5.05 - 1.257);
}

TEST_F(RotateGizmo, TipsOfASingleBlockPickAsTheRotateColours) {
    const BlockRecord& a = addBlock(10, 10, 2);
    select(a);
    view.switches.showRotateGizmo = true;
    lookDownAt(anchorOf(a), 250);
    pickingRender();
    const double tip = 110 * M_PI / 180;
    // Centred on the block's cell with both radii half a cell.
    EXPECT_EQ(colourAt(arcTip(tip, 10, 10, 10, 10, 2)), kRotateOneWay);
    EXPECT_EQ(colourAt(arcTip(-tip, 10, 10, 10, 10, 2)), kRotateOtherWay);
    EXPECT_NEAR(arcTip(tip, 10, 10, 10, 10, 2).x - anchorOf(a).x, -std::sin(tip) * 20.85, 1e-3);
    // The arcs pass through 30 degrees.
    EXPECT_TRUE(colourNear(arcTip(30 * M_PI / 180, 10, 10, 10, 10, 2), kRotateOneWay));
    EXPECT_TRUE(colourNear(arcTip(-30 * M_PI / 180, 10, 10, 10, 10, 2), kRotateOtherWay));
}

TEST_F(RotateGizmo, GroupArcsSpanTheSelectionAtItsMeanHeight) {
    const BlockRecord& a = addBlock(10, 10, 2);
    const BlockRecord& b = addBlock(12, 11, 4);
    addBlock(11, 10, 2); // not selected: no part of the extent
    select(a);
    select(b);
    view.switches.showRotateGizmo = true;
    view.switches.showMoveGizmo = false;
    lookDownAt(arcTip(0, 10, 12, 10, 11, 3), 300);
    renderer.renderFrame(true);
    const double tip = 110 * M_PI / 180;
    EXPECT_EQ(colourAt(arcTip(tip, 10, 12, 10, 11, 3)), kRotateOneWay);
    EXPECT_EQ(colourAt(arcTip(-tip, 10, 12, 10, 11, 3)), kRotateOtherWay);
}

TEST_F(RotateGizmo, NothingIsDrawnForAnEmptySelection) {
    addBlock(10, 10, 2);
    view.switches.showRotateGizmo = true;
    lookDownAt(Vec3(-400, 400, 0), 300);
    pickingRender();
    std::vector<GLubyte> pixels(kWidth * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    int magenta = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 3)
        if (pixels[i + 1] == 0 && pixels[i] == pixels[i + 2] && pixels[i] >= 254)
            ++magenta;
    EXPECT_EQ(magenta, 0);
    EXPECT_EQ(renderer.pickTable().count(), 1);
}

} // namespace
