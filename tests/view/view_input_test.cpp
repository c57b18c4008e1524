#include "../edit/edit_fixture.h"
#include "edit/area_cells.h"
#include "view/view_input.h"

namespace {

// The view's input over a fake view: what a press, a drag, the wheel and the keys do to the
// view state, the selection and the area.
class ViewInput : public EditTest {
  protected:
    ViewState state;

    void release(float x, float y) { onLeftButtonUp(state, doc, ctx.areaEditor, view, x, y); }
};

TEST_F(ViewInput, PressAndReleaseOnOnePixelPicks) {
    const BlockRecord& a = addBlock(1, 1);
    view.pointAt = &a;
    onLeftButtonDown(state, 100, 50);
    EXPECT_TRUE(state.leftButtonDown);
    EXPECT_TRUE(view.renders.empty());
    release(100, 50);
    EXPECT_FALSE(state.leftButtonDown);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&a});
    EXPECT_EQ(view.renders, std::vector<bool>{false});
    EXPECT_EQ(view.readX, 100);
    EXPECT_EQ(view.readY, 50);
}

TEST_F(ViewInput, PressWithFHeldAdds) {
    const BlockRecord& a = addBlock(1, 1);
    const BlockRecord& b = addBlock(2, 1);
    doc.select(&a, false);
    onKeyDown(state, kKeyF);
    view.pointAt = &b;
    onLeftButtonDown(state, 3, 3);
    release(3, 3);
    EXPECT_EQ(members(), (std::vector<const BlockRecord*>{&a, &b}));
}

TEST_F(ViewInput, VerticalDragPitches) {
    Camera expected = state.camera;
    expected.turn(0.0);
    expected.pitch(static_cast<double>(3.0f * 0.002f));
    onLeftButtonDown(state, 10, 10);
    onMouseMove(state, 10, 7);
    EXPECT_DOUBLE_EQ(state.camera.direction.z, expected.direction.z);
    EXPECT_EQ(state.lastPointer.y, 7);
}

TEST_F(ViewInput, ReturningToThePressPixelStillClicks) {
    const BlockRecord& a = addBlock(1, 1);
    view.pointAt = &a;
    onLeftButtonDown(state, 5, 5);
    onMouseMove(state, 9, 5);
    onMouseMove(state, 5, 5);
    release(5, 5);
    EXPECT_EQ(doc.selection().count(), 1);
}

TEST_F(ViewInput, ReleaseWithoutPressIsNoClick) {
    const BlockRecord& a = addBlock(1, 1);
    view.pointAt = &a;
    release(0, 0); // the press positions start at (0, 0)
    onLeftButtonDown(state, 4, 4);
    onLeftButtonLost(state);
    release(4, 4);
    EXPECT_EQ(doc.selection().count(), 0);
    EXPECT_TRUE(view.renders.empty());
}

TEST_F(ViewInput, ClickInAreaModeTogglesTheCursorCell) {
    addBlock(1, 1);
    ctx.areaEditor.setEditing(true);
    ctx.areaEditor.setCursor({7, 8});
    onLeftButtonDown(state, 5, 5);
    release(5, 5);
    EXPECT_TRUE(areaContains(ctx.areaEditor.area(), 7, 8, 1));
    EXPECT_EQ(doc.selection().count(), 0);
    EXPECT_TRUE(view.renders.empty());
}

TEST_F(ViewInput, CameraKeysAreHeldUntilReleased) {
    const std::pair<int, bool CameraKeys::*> keys[] = {
        {kKeyW, &CameraKeys::forward},  {kKeyS, &CameraKeys::backward},
        {kKeyA, &CameraKeys::left},     {kKeyD, &CameraKeys::right},
        {kKeyQ, &CameraKeys::rollLeft}, {kKeyE, &CameraKeys::rollRight}};
    for (auto [key, flag] : keys) {
        onKeyDown(state, key);
        EXPECT_TRUE(state.keys.*flag) << key;
        onKeyUp(state, key);
        EXPECT_FALSE(state.keys.*flag) << key;
    }
}

TEST_F(ViewInput, FIsAModifierOnly) {
    const Camera start = state.camera;
    onKeyDown(state, kKeyF);
    EXPECT_TRUE(state.fKeyDown);
    EXPECT_EQ(state.switches, ViewSwitches{});
    EXPECT_TRUE(state.camera.position == start.position);
    onKeyUp(state, kKeyF);
    EXPECT_FALSE(state.fKeyDown);
}

} // namespace
