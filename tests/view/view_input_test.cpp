#include <cmath>

#include "edit/area_cells.h"
#include "edit/view_input.h"
#include "edit_fixture.h"

namespace {

using ViewInput = EditTest;

TEST_F(ViewInput, PressAndReleaseOnOnePixelPicks) {
    BlockRecord& a = addBlock(1, 1);
    view.pointAt = &a;
    onLeftButtonDown(ctx, 100, 50);
    EXPECT_TRUE(ctx.leftButtonDown);
    EXPECT_TRUE(view.renders.empty());
    onLeftButtonUp(ctx, 100, 50);
    EXPECT_FALSE(ctx.leftButtonDown);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&a});
    EXPECT_EQ(view.renders, (std::vector<bool>{false, true}));
    EXPECT_EQ(view.readX, 100);
    EXPECT_EQ(view.readY, 50);
}

TEST_F(ViewInput, OnePixelDragTurnsAndPicksNothing) {
    BlockRecord& a = addBlock(1, 1);
    view.pointAt = &a;
    Camera expected = ctx.viewCamera;
    expected.turn(static_cast<double>(-1.0f * 0.005f));
    expected.pitch(0.0);
    ctx.viewChanged = false;
    onLeftButtonDown(ctx, 100, 50);
    onMouseMove(ctx, 101, 50);
    onLeftButtonUp(ctx, 101, 50);
    EXPECT_EQ(ctx.selection.count(), 0);
    EXPECT_TRUE(ctx.viewChanged);
    EXPECT_EQ(view.renders, std::vector<bool>{true});
    EXPECT_DOUBLE_EQ(ctx.viewCamera.direction.x, expected.direction.x);
    EXPECT_DOUBLE_EQ(ctx.viewCamera.direction.y, expected.direction.y);
    // Turned right: the view direction swung clockwise seen from above.
    Camera start;
    double before = std::atan2(start.direction.y, start.direction.x);
    double after = std::atan2(ctx.viewCamera.direction.y, ctx.viewCamera.direction.x);
    EXPECT_NEAR(after - before, -0.005, 1e-9);
}

TEST_F(ViewInput, VerticalDragPitches) {
    Camera expected = ctx.viewCamera;
    expected.turn(0.0);
    expected.pitch(static_cast<double>(3.0f * 0.002f));
    onLeftButtonDown(ctx, 10, 10);
    onMouseMove(ctx, 10, 7);
    EXPECT_DOUBLE_EQ(ctx.viewCamera.direction.z, expected.direction.z);
    EXPECT_EQ(ctx.lastPointer.y, 7);
}

TEST_F(ViewInput, ReturningToThePressPixelStillClicks) {
    BlockRecord& a = addBlock(1, 1);
    view.pointAt = &a;
    onLeftButtonDown(ctx, 5, 5);
    onMouseMove(ctx, 9, 5);
    onMouseMove(ctx, 5, 5);
    onLeftButtonUp(ctx, 5, 5);
    EXPECT_EQ(ctx.selection.count(), 1);
}

TEST_F(ViewInput, ReleaseWithoutPressIsNoClick) {
    BlockRecord& a = addBlock(1, 1);
    view.pointAt = &a;
    onLeftButtonUp(ctx, 0, 0); // the press positions start at (0, 0)
    EXPECT_EQ(ctx.selection.count(), 0);
    EXPECT_TRUE(view.renders.empty());
}

TEST_F(ViewInput, ClickInAreaModeTogglesTheCursorCell) {
    addBlock(1, 1);
    ctx.areaEditState = 1;
    ctx.areaCursor = {7, 8};
    onLeftButtonDown(ctx, 5, 5);
    onLeftButtonUp(ctx, 5, 5);
    EXPECT_TRUE(areaContains(ctx, 7, 8, 1));
    EXPECT_EQ(ctx.selection.count(), 0);
    EXPECT_EQ(view.renders, std::vector<bool>{true});
}

TEST_F(ViewInput, WheelMovesTheLevelOnlyInAreaModeWithinTheGrid) {
    onWheel(ctx, 120);
    EXPECT_EQ(ctx.cursorLevel, 1);
    EXPECT_EQ(view.renders, std::vector<bool>{true});
    ctx.areaEditState = 1;
    onWheel(ctx, 120);
    EXPECT_EQ(ctx.cursorLevel, 2);
    onWheel(ctx, -120);
    onWheel(ctx, -120);
    onWheel(ctx, -120);
    EXPECT_EQ(ctx.cursorLevel, 0);
    ctx.cursorLevel = 31;
    onWheel(ctx, 240);
    EXPECT_EQ(ctx.cursorLevel, 31);
    onWheel(ctx, 0);
    EXPECT_EQ(ctx.cursorLevel, 31);
    EXPECT_EQ(view.renders.size(), 7u);
}

TEST_F(ViewInput, CameraKeysAreHeldUntilReleased) {
    const std::pair<int, bool CameraKeys::*> keys[] = {
        {kKeyW, &CameraKeys::forward},  {kKeyS, &CameraKeys::backward},
        {kKeyA, &CameraKeys::left},     {kKeyD, &CameraKeys::right},
        {kKeyQ, &CameraKeys::rollLeft}, {kKeyE, &CameraKeys::rollRight}};
    for (auto [key, flag] : keys) {
        ctx.viewChanged = false;
        onKeyDown(ctx, key);
        EXPECT_TRUE(ctx.cameraKeys.*flag) << key;
        EXPECT_TRUE(ctx.viewChanged) << key;
        onKeyUp(ctx, key);
        EXPECT_FALSE(ctx.cameraKeys.*flag) << key;
    }
    EXPECT_EQ(view.renders.size(), 12u);
}

TEST_F(ViewInput, FIsAModifierOnly) {
    Camera start = ctx.viewCamera;
    ctx.viewChanged = false;
    onKeyDown(ctx, kKeyF);
    EXPECT_TRUE(ctx.fKeyDown);
    EXPECT_FALSE(ctx.viewChanged);
    EXPECT_EQ(ctx.viewCamera.position.z, start.position.z);
    onKeyUp(ctx, kKeyF);
    EXPECT_FALSE(ctx.fKeyDown);
}

TEST_F(ViewInput, ZAndXToggleOnEveryPressGOnRelease) {
    onKeyDown(ctx, kKeyZ);
    EXPECT_FALSE(ctx.solidFill);
    onKeyDown(ctx, kKeyZ); // auto-repeat
    EXPECT_TRUE(ctx.solidFill);
    onKeyDown(ctx, kKeyZ);
    onKeyUp(ctx, kKeyZ);
    EXPECT_FALSE(ctx.solidFill);

    onKeyDown(ctx, kKeyX);
    onKeyUp(ctx, kKeyX);
    EXPECT_TRUE(ctx.showStadium);

    onKeyDown(ctx, kKeyG);
    onKeyDown(ctx, kKeyG);
    EXPECT_FALSE(ctx.showGrid);
    onKeyUp(ctx, kKeyG);
    EXPECT_TRUE(ctx.showGrid);
    EXPECT_EQ(view.renders.size(), 9u);
}

TEST_F(ViewInput, FocusLossLetsGoOfHeldKeys) {
    onKeyDown(ctx, kKeyW);
    onKeyDown(ctx, kKeyQ);
    onKeyDown(ctx, kKeyF);
    onFocusLost(ctx);
    EXPECT_FALSE(ctx.cameraKeys.forward);
    EXPECT_FALSE(ctx.cameraKeys.rollLeft);
    EXPECT_FALSE(ctx.fKeyDown);
}

} // namespace
