#include "view_scene.h"

#include <chrono>
#include <cstdio>

#include "edit/pick.h"
#include "view/cell_picking.h"

namespace {

const Rgb kWhite{255, 255, 255};
const Rgb kBackground{178, 178, 255};

using BlockPicking = ViewScene;

TEST_F(BlockPicking, EachBlockUnderAPixelIsFoundAndTheBackgroundIsNot) {
    BlockRecord& a = addBlock(10, 10, 2);
    BlockRecord& b = addBlock(11, 10, 2);
    BlockRecord& c = addBlock(10, 12, 3);
    lookDownAt(anchorOf(a) + Vec3(0, 41.7, 0), 250);
    pickingRender();
    EXPECT_EQ(ctx.pickTable.count(), 3);
    EXPECT_EQ(pickedAt(topOf(a)), &a);
    EXPECT_EQ(pickedAt(topOf(b)), &b);
    EXPECT_EQ(pickedAt(topOf(c)), &c);
    // Between the boxes lies the background, whose blue of 255 is in no entry.
    Vec3 between = topOf(a) + Vec3(0, 41.7, 0);
    EXPECT_EQ(colourAt(between), kBackground);
    EXPECT_EQ(pickedAt(between), nullptr);
}

TEST_F(BlockPicking, HiddenBlockIsDrawnInNeitherRender) {
    BlockRecord& a = addBlock(5, 5, 1);
    a.flags |= BLOCK_HIDDEN;
    lookDownAt(anchorOf(a));
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(a)), kBackground);
    pickingRender();
    EXPECT_EQ(ctx.pickTable.count(), 0);
    EXPECT_EQ(pickedAt(topOf(a)), nullptr);
    // Hidden blocks still get their in-view flag.
    EXPECT_TRUE(a.flags & BLOCK_IN_VIEW);
}

TEST_F(BlockPicking, InViewIsRecomputedOnlyWhenTheViewChanged) {
    BlockRecord& a = addBlock(5, 5, 1);
    lookDownAt(anchorOf(a));
    Vec3 seenAt = topOf(a);
    a.x = 20; // far outside the pyramid
    pickingRender();
    EXPECT_FALSE(ctx.viewChanged);
    EXPECT_FALSE(a.flags & BLOCK_IN_VIEW);

    // Moved back under the camera it stays undrawn until the view changes.
    a.x = 5;
    pickingRender();
    EXPECT_EQ(pickedAt(seenAt), nullptr);
    ctx.viewChanged = true;
    pickingRender();
    EXPECT_EQ(pickedAt(seenAt), &a);

    // Moved away, it stays drawn where it now is.
    a.y = 6;
    pickingRender();
    EXPECT_EQ(pickedAt(seenAt + Vec3(0, 41.7, 0)), &a);
}

TEST_F(BlockPicking, ALargeBlockStaysInViewWhileAnyPartOfItIs) {
    // Nine cells square: its anchor lies well outside a close view of its corner cell.
    ctx.catalog.catalogs[0].entries[0].halfSizeX = 4;
    ctx.catalog.catalogs[0].entries[0].halfSizeY = 4;
    BlockRecord& large = addBlock(10, 10, 1);
    BlockRecord& beyond = addBlock(20, 10, 1);
    lookDownAt(anchorOf(large) + Vec3(3.5 * 41.7, -3.5 * 41.7, 0), 60);
    renderer.renderFrame(true);
    EXPECT_TRUE(large.flags & BLOCK_IN_VIEW);
    EXPECT_FALSE(beyond.flags & BLOCK_IN_VIEW);
}

using BlockColours = ViewScene;

TEST_F(BlockColours, StadiumTintsOutOfBoundsBlueAndSelectedRed) {
    ctx.catalog.currentEnvironment = kStadium;
    ctx.catalog.catalogs[kStadium].entries.resize(1);
    BlockRecord& inside = addBlock(10, 10, 1);
    BlockRecord& below = addBlock(11, 10, 0);
    BlockRecord& selected = addBlock(10, 11, 1);
    BlockRecord& selectedBelow = addBlock(11, 11, 0);
    select(selected);
    select(selectedBelow);
    lookDownAt(anchorOf(inside) + Vec3(-20, 20, 0), 250);
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(inside)), kWhite);
    EXPECT_EQ(colourAt(topOf(below)), (Rgb{170, 170, 255}));
    EXPECT_EQ(colourAt(topOf(selected)), (Rgb{255, 170, 170}));
    EXPECT_EQ(colourAt(topOf(selectedBelow)), (Rgb{255, 170, 255}));
}

TEST_F(BlockColours, NoBlueTintOutsideTheStadium) {
    BlockRecord& below = addBlock(11, 10, 0);
    BlockRecord& selectedBelow = addBlock(11, 11, 0);
    select(selectedBelow);
    lookDownAt(anchorOf(below) + Vec3(0, 20, 0), 250);
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(below)), kWhite);
    EXPECT_EQ(colourAt(topOf(selectedBelow)), (Rgb{255, 170, 170}));
}

TEST_F(BlockColours, WireframeOnlyInDisplayRendersOutsideAreaEditing) {
    BlockRecord& a = addBlock(8, 8, 1);
    lookDownAt(anchorOf(a));
    ctx.solidFill = false;
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(a)), kBackground);
    // The outline itself is drawn: the box's edge in line mode.
    EXPECT_TRUE(colourNear(anchorOf(a) + Vec3(-15, 0, 4), kWhite));

    pickingRender();
    EXPECT_EQ(pickedAt(topOf(a)), &a);

    ctx.areaEditState = 1;
    ctx.lastPointer = {-1, -1}; // over no cell: no cursor box
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(a)), kWhite);
}

TEST_F(BlockColours, RotationTurnsTheModelClockwiseByQuarters) {
    BlockRecord& a = addBlock(8, 8, 1, kArm, 0);
    lookDownAt(anchorOf(a));
    // Where the arm points, looked up by the rotation's low two bits.
    const Vec3 arm[4] = {Vec3(10, 0, 4), Vec3(0, -10, 4), Vec3(-10, 0, 4), Vec3(0, 10, 4)};
    for (int rotation : {0, 1, 2, 3, 5, 255}) {
        a.rotation = static_cast<std::uint8_t>(rotation);
        renderer.renderFrame(true);
        for (int q = 0; q < 4; ++q)
            EXPECT_EQ(colourAt(anchorOf(a) + arm[q]), q == (rotation & 3) ? kWhite : kBackground)
                << "rotation " << rotation << ", arm " << q;
    }
}

TEST_F(BlockColours, AxesAreShownButNeverPicked) {
    BlockRecord& a = addBlock(10, 10, 2);
    select(a);
    ctx.showMoveGizmo = true;
    ctx.viewPort = &renderer;
    lookDownAt(Vec3(-100, 100, 0), 300);
    renderer.renderFrame(true);
    Pixel around = pixelOf(Vec3(0, 120, 0));
    Pixel onAxis;
    for (int dx = -2; dx <= 2 && onAxis.x < 0; ++dx)
        if (renderer.readPickColour(around.x + dx, around.y) == Rgb{0, 255, 0})
            onAxis = {around.x + dx, around.y};
    ASSERT_GE(onAxis.x, 0);
    EXPECT_TRUE(colourNear(Vec3(-120, 0, 0), Rgb{255, 0, 0}));

    pickingRender();
    EXPECT_FALSE(colourNear(Vec3(0, 120, 0), Rgb{0, 255, 0}));
    EXPECT_FALSE(colourNear(Vec3(-120, 0, 0), Rgb{255, 0, 0}));
    // A click on the green axis is a click on the background, not on a plus-Y handle.
    pickAt(ctx, static_cast<float>(onAxis.x), static_cast<float>(onAxis.y));
    EXPECT_EQ(a.y, 10);
    EXPECT_EQ(ctx.selection.count(), 0);
}

using FrameCycle = ViewScene;

TEST_F(FrameCycle, NothingIsDrawnBeforeTheContextExists) {
    int presented = 0;
    renderer.setPresent([&] { ++presented; });
    renderer.setContextReady(false);
    ctx.cameraKeys.forward = true;
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    renderer.renderFrame(true);
    EXPECT_EQ(presented, 0);
    EXPECT_EQ(ctx.viewCamera.position, Camera().position);
    EXPECT_TRUE(panels.frameRateTexts.empty());
    EXPECT_EQ(::readPickColour(10, 10), (Rgb{0, 0, 0}));
}

TEST_F(FrameCycle, DisplayRendersArePresentedAndPickingRendersAreNot) {
    renderer.frameStats().interval = 0xFFFFFFFFu; // no window closes during the test
    int presented = 0;
    renderer.setPresent([&] { ++presented; });
    ctx.cameraKeys.forward = true;
    renderer.renderFrame(true);
    EXPECT_EQ(presented, 1);
    pickingRender();
    EXPECT_EQ(presented, 1);
    // Both renders step the held key and write the frame rate, still 0.00 in the first window.
    EXPECT_NEAR(ctx.viewCamera.position.z, 320 + 2 * 10 * Camera().direction.z, 1e-9);
    ASSERT_EQ(panels.frameRateTexts.size(), 2u);
    EXPECT_EQ(panels.frameRateTexts[1], "FPS: 0.00");
    EXPECT_EQ(renderer.frameStats().frameCount, 2u);
}

TEST_F(FrameCycle, AreaEditingDrawsTwoRendersPerVisibleFrame) {
    renderer.frameStats().interval = 0xFFFFFFFFu;
    int presented = 0;
    int stateWhenPresented = -1;
    renderer.setPresent([&] {
        ++presented;
        stateWhenPresented = ctx.areaEditState;
    });
    ctx.areaEditState = 1;
    ctx.cameraKeys.forward = true;
    ctx.lastPointer = {-5, -5};
    renderer.renderFrame(true);
    EXPECT_EQ(presented, 1);
    EXPECT_EQ(stateWhenPresented, 1); // presented by the nested render, after the cursor pass
    EXPECT_EQ(ctx.areaEditState, 1);
    EXPECT_EQ(panels.cursorRefreshes, 1);
    EXPECT_EQ(panels.frameRateTexts.size(), 1u); // the cell pass writes none
    EXPECT_EQ(renderer.frameStats().frameCount, 2u);
    EXPECT_NEAR(ctx.viewCamera.position.z, 320 + 2 * 10 * Camera().direction.z, 1e-9);
    EXPECT_EQ(ctx.areaCursor.x, -1);
    EXPECT_EQ(ctx.areaCursor.y, -1);

    ctx.areaEditState = 0;
    renderer.renderFrame(true);
    EXPECT_EQ(presented, 2);
    EXPECT_EQ(ctx.areaEditState, 0);
    EXPECT_EQ(panels.cursorRefreshes, 1);
}

TEST_F(FrameCycle, RateIsShownOnceAWindowHasClosed) {
    // Each frame is finished before the next, as showing it would.
    renderer.setPresent([] { glFinish(); });
    renderer.renderFrame(true);
    EXPECT_EQ(panels.frameRateTexts.back(), "FPS: 0.00");
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(300))
        renderer.renderFrame(true);
    renderer.renderFrame(true);
    EXPECT_GT(renderer.frameStats().framesPerSecond, 0);
    char expected[64];
    std::snprintf(expected, sizeof expected, "FPS: %.2f", renderer.frameStats().framesPerSecond);
    EXPECT_EQ(panels.frameRateTexts.back(), expected);
}

} // namespace
