#include "view_scene.h"

#include <chrono>
#include <cstdio>

#include "edit/block_edits.h"
#include "edit/pick.h"
#include "view/cell_picking.h"
#include "view/handle_colours.h"

namespace {

const Rgb kWhite{255, 255, 255};
const Rgb kSelectedTint{255, 170, 170};
const Rgb kBackground{178, 178, 255};

class BlockPicking : public ViewScene {
  protected:
    bool inView(const BlockRecord& r) const {
        const BlockTable::Entry* entry = renderer.blockTable().entryOf(&r);
        return entry && entry->inView;
    }
};

TEST_F(BlockPicking, EachBlockUnderAPixelIsFoundAndTheBackgroundIsNot) {
    const BlockRecord& a = addBlock(10, 10, 2);
    const BlockRecord& b = addBlock(11, 10, 2);
    const BlockRecord& c = addBlock(10, 12, 3);
    lookDownAt(anchorOf(a) + Vec3(0, 41.7, 0), 250);
    pickingRender();
    EXPECT_EQ(renderer.pickTable().count(), 3);
    EXPECT_EQ(pickedAt(topOf(a)), &a);
    EXPECT_EQ(pickedAt(topOf(b)), &b);
    EXPECT_EQ(pickedAt(topOf(c)), &c);
    // Between the boxes lies the background, whose blue of 255 is in no entry.
    Vec3 between = topOf(a) + Vec3(0, 41.7, 0);
    EXPECT_EQ(colourAt(between), kBackground);
    EXPECT_EQ(pickedAt(between), nullptr);
}

TEST_F(BlockPicking, HiddenBlockIsDrawnInNeitherRender) {
    const BlockRecord& a = addBlock(5, 5, 1, kBox, 0, BLOCK_HIDDEN);
    lookDownAt(anchorOf(a));
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(a)), kBackground);
    pickingRender();
    EXPECT_EQ(renderer.pickTable().count(), 0);
    EXPECT_EQ(pickedAt(topOf(a)), nullptr);
    // Hidden blocks are still tested against the view.
    EXPECT_TRUE(inView(a));
}

TEST_F(BlockPicking, BlocksAboveTheLevelLimitAreDrawnInNeitherRender) {
    const BlockRecord& low = addBlock(5, 5, 2);
    const BlockRecord& high = addBlock(6, 5, 3);
    lookDownAt(anchorOf(low) + Vec3(20, 0, 0), 250);
    view.levelLimit = 2;
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(high)), kBackground);
    EXPECT_EQ(colourAt(topOf(low)), kWhite);
    pickingRender();
    EXPECT_EQ(pickedAt(topOf(high)), nullptr);
    EXPECT_EQ(pickedAt(topOf(low)), &low);
    // Lifting the limit is a new scene: the kept frame is not put back.
    view.levelLimit.reset();
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(high)), kWhite);
}

TEST_F(BlockPicking, InViewFollowsTheEditsAndTheCamera) {
    const BlockRecord& a = addBlock(5, 5, 1);
    lookDownAt(anchorOf(a));
    const Vec3 seenAt = topOf(a);
    pickingRender();
    EXPECT_EQ(pickedAt(seenAt), &a);

    // Moved far outside the pyramid under the same camera.
    select(a);
    moveSelection(ctx.document, 15, 0, 0);
    pickingRender();
    EXPECT_FALSE(inView(a));
    EXPECT_EQ(pickedAt(seenAt), nullptr);

    // Moved back by the undo, it is drawn again.
    ASSERT_TRUE(ctx.document.undo());
    pickingRender();
    EXPECT_EQ(pickedAt(seenAt), &a);

    // Moved by a cell, it is drawn where it now is.
    moveSelection(ctx.document, 0, 1, 0);
    pickingRender();
    EXPECT_EQ(pickedAt(seenAt + Vec3(0, 41.7, 0)), &a);
    EXPECT_EQ(pickedAt(seenAt), nullptr);

    // The camera looks elsewhere.
    lookDownAt(seenAt + Vec3(-20 * 41.7, 0, 0));
    pickingRender();
    EXPECT_FALSE(inView(a));
}

TEST_F(BlockPicking, ALargeBlockStaysInViewWhileAnyPartOfItIs) {
    // Nine cells square: its anchor lies well outside a close view of its corner cell.
    ctx.catalog.catalogs[0].entries[0].halfSizeX = 4;
    ctx.catalog.catalogs[0].entries[0].halfSizeY = 4;
    const BlockRecord& large = addBlock(10, 10, 1);
    const BlockRecord& beyond = addBlock(20, 10, 1);
    lookDownAt(anchorOf(large) + Vec3(3.5 * 41.7, -3.5 * 41.7, 0), 60);
    renderer.renderFrame(true);
    EXPECT_TRUE(inView(large));
    EXPECT_FALSE(inView(beyond));
}

using BlockColours = ViewScene;

TEST_F(BlockColours, StadiumTintsOutOfBoundsBlueAndSelectedRed) {
    ctx.catalog.currentEnvironment = kStadium;
    ctx.catalog.catalogs[kStadium].entries.resize(1);
    const BlockRecord& inside = addBlock(10, 10, 1);
    const BlockRecord& below = addBlock(11, 10, 0);
    const BlockRecord& selected = addBlock(10, 11, 1);
    const BlockRecord& selectedBelow = addBlock(11, 11, 0);
    select(selected);
    select(selectedBelow);
    lookDownAt(anchorOf(inside) + Vec3(-20, 20, 0), 250);
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(inside)), kWhite);
    EXPECT_EQ(colourAt(topOf(below)), (Rgb{170, 170, 255}));
    EXPECT_EQ(colourAt(topOf(selected)), (Rgb{255, 170, 170}));
    EXPECT_EQ(colourAt(topOf(selectedBelow)), (Rgb{255, 170, 255}));
}

TEST_F(BlockColours, TintsColourTheirBlocksUnderTheSelectionsAndOverlaysOnlyDisplays) {
    const BlockRecord& tinted = addBlock(10, 10, 1);
    const BlockRecord& selected = addBlock(11, 10, 1);
    const BlockRecord& plain = addBlock(12, 10, 1);
    select(selected);
    BlockTints tints;
    tints.colours = {{&tinted, Rgb{0, 255, 0}}, {&selected, Rgb{0, 255, 0}}};
    renderer.setBlockTints(&tints);
    lookDownAt(anchorOf(selected), 250);
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(tinted)), (Rgb{0, 255, 0}));
    EXPECT_EQ(colourAt(topOf(selected)), kSelectedTint);
    // New tints under the same serial would be a stale frame; a new serial draws them.
    tints.colours[&tinted] = Rgb{0, 0, 255};
    ++tints.serial;
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(tinted)), (Rgb{0, 0, 255}));

    const int overlay = renderer.addOverlay([&] {
        BlockRecord ghost = plain;
        ghost.z = 2;
        renderer.drawModelAt(ghost, Rgb{255, 0, 0}, 1.0f);
    });
    const Vec3 aboveOfPlain = topOf(plain);
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(aboveOfPlain), (Rgb{255, 0, 0}));
    pickingRender();
    EXPECT_EQ(pickedAt(aboveOfPlain), &plain);
    renderer.removeOverlay(overlay);
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(aboveOfPlain), kWhite);
    renderer.setBlockTints(nullptr);
}

TEST_F(BlockColours, NoBlueTintOutsideTheStadium) {
    const BlockRecord& below = addBlock(11, 10, 0);
    const BlockRecord& selectedBelow = addBlock(11, 11, 0);
    select(selectedBelow);
    lookDownAt(anchorOf(below) + Vec3(0, 20, 0), 250);
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(below)), kWhite);
    EXPECT_EQ(colourAt(topOf(selectedBelow)), (Rgb{255, 170, 170}));
}

TEST_F(BlockColours, WireframeOnlyInDisplayRendersOutsideAreaEditing) {
    const BlockRecord& a = addBlock(8, 8, 1);
    lookDownAt(anchorOf(a));
    view.switches.solidFill = false;
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(a)), kBackground);
    // The outline itself is drawn: the box's edge in line mode.
    EXPECT_TRUE(colourNear(anchorOf(a) + Vec3(-15, 0, 4), kWhite));

    pickingRender();
    EXPECT_EQ(pickedAt(topOf(a)), &a);

    ctx.areaEditor.setEditing(true);
    view.lastPointer = {-1, -1}; // over no cell: no cursor box
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(a)), kWhite);
}

TEST_F(BlockColours, RotationTurnsTheModelClockwiseByQuarters) {
    // Where the arm points, looked up by the rotation's low two bits.
    const Vec3 arm[4] = {Vec3(10, 0, 4), Vec3(0, -10, 4), Vec3(-10, 0, 4), Vec3(0, 10, 4)};
    for (int rotation : {0, 1, 2, 3, 5, 255}) {
        // A track that holds the block with the rotation as its file gave it.
        ctx.document.replaceTrack(Track{}, {}, "");
        const BlockRecord& a = addBlock(8, 8, 1, kArm, rotation);
        lookDownAt(anchorOf(a));
        renderer.renderFrame(true);
        for (int q = 0; q < 4; ++q)
            EXPECT_EQ(colourAt(anchorOf(a) + arm[q]), q == (rotation & 3) ? kWhite : kBackground)
                << "rotation " << rotation << ", arm " << q;
    }
}

TEST_F(BlockColours, AxesAreShownButNeverPicked) {
    const BlockRecord& a = addBlock(10, 10, 2);
    select(a);
    view.switches.showMoveGizmo = true;
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
    EXPECT_EQ(pickAt(ctx.document, renderer, static_cast<float>(onAxis.x),
                     static_cast<float>(onAxis.y), false),
              nullptr);
    EXPECT_EQ(a.y, 10);
    EXPECT_TRUE(ctx.document.selection().empty());
}

using FrameCycle = ViewScene;

TEST_F(FrameCycle, NothingIsDrawnBeforeTheContextExists) {
    int presented = 0;
    renderer.setPresent([&] { ++presented; });
    renderer.setContextReady(false);
    view.keys.forward = true;
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    renderer.renderFrame(true);
    EXPECT_EQ(presented, 0);
    EXPECT_EQ(view.camera.position, Camera().position);
    EXPECT_TRUE(frameRateTexts.empty());
    EXPECT_EQ(::readPickColour(10, 10), (Rgb{0, 0, 0}));
}

TEST_F(FrameCycle, DisplayRendersArePresentedAndPickingRendersAreNot) {
    renderer.frameStats().interval = 0xFFFFFFFFu; // no window closes during the test
    int presented = 0;
    renderer.setPresent([&] { ++presented; });
    view.keys.forward = true;
    renderer.renderFrame(true);
    EXPECT_EQ(presented, 1);
    pickingRender();
    EXPECT_EQ(presented, 1);
    // Both renders step the held key and write the frame rate, still 0.00 in the first window.
    EXPECT_NEAR(view.camera.position.z, 320 + 2 * 10 * Camera().direction.z, 1e-9);
    ASSERT_EQ(frameRateTexts.size(), 2u);
    EXPECT_EQ(frameRateTexts[1], "FPS: 0.00");
    EXPECT_EQ(renderer.frameStats().frameCount, 2u);
}

TEST_F(FrameCycle, AreaEditingDrawsTwoRendersPerVisibleFrame) {
    renderer.frameStats().interval = 0xFFFFFFFFu;
    int presented = 0;
    AreaCursor cursorWhenPresented{5, 5};
    renderer.setPresent([&] {
        ++presented;
        cursorWhenPresented = ctx.areaEditor.cursor();
    });
    int cursorChanges = 0;
    const int listener = ctx.areaEditor.addListener(
        [&](AreaEditor::Change change) { cursorChanges += change == AreaEditor::Change::Cursor; });
    ctx.areaEditor.setEditing(true);
    view.keys.forward = true;
    view.lastPointer = {-5, -5};
    renderer.renderFrame(true);
    EXPECT_EQ(presented, 1);
    // Presented by the nested render, after the cursor pass found no cell under the pointer.
    EXPECT_EQ(cursorWhenPresented.x, -1);
    EXPECT_EQ(cursorWhenPresented.y, -1);
    EXPECT_EQ(cursorChanges, 1);
    EXPECT_EQ(frameRateTexts.size(), 1u); // the cell pass writes none
    EXPECT_EQ(renderer.frameStats().frameCount, 2u);
    EXPECT_NEAR(view.camera.position.z, 320 + 2 * 10 * Camera().direction.z, 1e-9);

    ctx.areaEditor.setEditing(false);
    view.lastPointer = {100, 100};
    renderer.renderFrame(true);
    EXPECT_EQ(presented, 2);
    EXPECT_EQ(renderer.frameStats().frameCount, 3u);
    EXPECT_EQ(cursorChanges, 1);
    ctx.areaEditor.removeListener(listener);
}

TEST_F(FrameCycle, RateIsShownOnceAWindowHasClosed) {
    // Each frame is finished before the next, as showing it would.
    renderer.setPresent([] { glFinish(); });
    renderer.renderFrame(true);
    EXPECT_EQ(frameRateTexts.back(), "FPS: 0.00");
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(300))
        renderer.renderFrame(true);
    renderer.renderFrame(true);
    EXPECT_GT(renderer.frameStats().framesPerSecond, 0);
    char expected[64];
    std::snprintf(expected, sizeof expected, "FPS: %.2f", renderer.frameStats().framesPerSecond);
    EXPECT_EQ(frameRateTexts.back(), expected);
}

using KeptFrame = ViewScene;

// With the fast paths on, a display render of an unchanged scene puts the kept frame back; a
// selection change heard from the document draws again only the blocks whose tint changed; a
// change of the track draws the whole frame.
TEST_F(KeptFrame, FollowsTheDocumentsChanges) {
    const BlockRecord& a = addBlock(10, 10, 1);
    const BlockRecord& b = addBlock(11, 10, 1);
    lookDownAt(anchorOf(a) + Vec3(-20, 0, 0), 250);
    renderer.renderFrame(true);
    renderer.renderFrame(true);
    EXPECT_EQ(renderer.framesReused(), 1);
    EXPECT_EQ(renderer.framesRetinted(), 0);

    // b comes and goes, a joins; a picking render between draws over the view.
    select(b);
    ctx.document.deselect(&b);
    select(a);
    pickingRender();
    renderer.renderFrame(true);
    EXPECT_EQ(renderer.framesRetinted(), 1);
    EXPECT_EQ(colourAt(topOf(a)), kSelectedTint);
    EXPECT_EQ(colourAt(topOf(b)), kWhite);
    renderer.renderFrame(true);
    EXPECT_EQ(renderer.framesReused(), 2);

    // Edits of the track draw the whole frame: a moved block leaves the background behind.
    const Vec3 before = topOf(a);
    moveSelection(ctx.document, 0, 1, 0);
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(before), kBackground);
    EXPECT_EQ(colourAt(topOf(a)), kSelectedTint);
    hideSelection(ctx.document);
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(a)), kBackground);
    ASSERT_TRUE(ctx.document.undo());
    renderer.renderFrame(true);
    EXPECT_EQ(colourAt(topOf(a)), kSelectedTint);
    EXPECT_EQ(renderer.framesReused(), 2);
    EXPECT_EQ(renderer.framesRetinted(), 1);

    // Selection changes drawn the plain way are not lost for the next kept frame.
    renderer.setFastPaths(false);
    ctx.document.setSelection({&b});
    renderer.renderFrame(true);
    renderer.setFastPaths(true);
    renderer.renderFrame(true);
    EXPECT_EQ(renderer.framesRetinted(), 2);
    EXPECT_EQ(colourAt(topOf(a)), kWhite);
    EXPECT_EQ(colourAt(topOf(b)), kSelectedTint);

    // While the gizmos show, a new selection draws the whole frame, with its gizmo.
    view.switches.showMoveGizmo = true;
    renderer.renderFrame(true);
    const int reused = renderer.framesReused();
    const int retinted = renderer.framesRetinted();
    renderer.renderFrame(true);
    EXPECT_EQ(renderer.framesReused(), reused + 1);
    select(a);
    renderer.renderFrame(true);
    EXPECT_EQ(renderer.framesReused(), reused + 1);
    EXPECT_EQ(renderer.framesRetinted(), retinted);
    // Off the middle of the top, where the vertical handle shows.
    EXPECT_EQ(colourAt(topOf(a) + Vec3(8, 8, 0)), kSelectedTint);
    EXPECT_TRUE(colourNear(anchorOf(a) + Vec3(0, 41.7, 0), kMovePlusY));
}

} // namespace
