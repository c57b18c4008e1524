// The click decision with the real renderer: what a press and release on a pixel does.
#include <optional>

#include "../view/view_scene.h"

#include "view/handle_colours.h"
#include "view/view_input.h"

namespace {

class ClickInView : public ViewScene {
  protected:
    // The first pixel of a picking frame that shows the colour, found by reading the frame back.
    std::optional<Pixel> findInPickingFrame(Rgb colour) {
        pickingRender();
        std::vector<GLubyte> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        for (int row = 0; row < kHeight; ++row)
            for (int x = 0; x < kWidth; ++x) {
                const GLubyte* p = &rgb[(static_cast<std::size_t>(row) * kWidth + x) * 3];
                if (p[0] == colour.r && p[1] == colour.g && p[2] == colour.b)
                    return Pixel{x, kHeight - 1 - row};
            }
        return std::nullopt;
    }

    void click(Pixel at) {
        onLeftButtonDown(view, static_cast<float>(at.x), static_cast<float>(at.y));
        onLeftButtonUp(view, ctx.document, ctx.areaEditor, renderer, static_cast<float>(at.x),
                       static_cast<float>(at.y));
    }
};

TEST_F(ClickInView, MoveHandlesMoveTheSelectedBlock) {
    const BlockRecord& a = addBlock(10, 10, 2);
    select(a);
    view.switches.showMoveGizmo = true;
    lookDownAt(anchorOf(a), 250);
    std::optional<Pixel> plusX = findInPickingFrame(kMovePlusX);
    ASSERT_TRUE(plusX);
    click(*plusX);
    EXPECT_EQ(a.x, 11);
    EXPECT_EQ(a.y, 10);
    ASSERT_EQ(ctx.document.selection().count(), 1);
    EXPECT_EQ(ctx.document.selection().first(), &a);

    lookDownAt(anchorOf(a), 250);
    std::optional<Pixel> minusY = findInPickingFrame(kMoveMinusY);
    ASSERT_TRUE(minusY);
    click(*minusY);
    EXPECT_EQ(a.x, 11);
    EXPECT_EQ(a.y, 9);
    EXPECT_EQ(ctx.document.selection().count(), 1);
}

TEST_F(ClickInView, RotateHandlesTurnTheSelection) {
    const BlockRecord& a = addBlock(10, 10, 2);
    select(a);
    view.switches.showRotateGizmo = true;
    lookDownAt(anchorOf(a), 250);
    std::optional<Pixel> plus = findInPickingFrame(kRotateOtherWay); // (254, 0, 254)
    std::optional<Pixel> minus = findInPickingFrame(kRotateOneWay);  // (255, 0, 255)
    ASSERT_TRUE(plus);
    ASSERT_TRUE(minus);
    click(*plus);
    EXPECT_EQ(a.rotation, 1);
    click(*minus);
    click(*minus);
    EXPECT_EQ(a.rotation, 3);
    EXPECT_EQ(a.x, 10); // a single block turns in place
    EXPECT_EQ(a.y, 10);
}

TEST_F(ClickInView, BlocksAndBackground) {
    const BlockRecord& a = addBlock(10, 10, 2);
    const BlockRecord& b = addBlock(12, 10, 2);
    lookDownAt(anchorOf(a), 300);
    click(pixelOf(topOf(a)));
    ASSERT_EQ(ctx.document.selection().count(), 1);
    EXPECT_EQ(ctx.document.selection().first(), &a);

    view.fKeyDown = true;
    click(pixelOf(topOf(b)));
    EXPECT_EQ(ctx.document.selection().count(), 2);
    click(pixelOf(anchorOf(a) + Vec3(0, 80, 0))); // background with F held
    EXPECT_EQ(ctx.document.selection().count(), 2);

    view.fKeyDown = false;
    click(pixelOf(anchorOf(a) + Vec3(0, 80, 0)));
    EXPECT_EQ(ctx.document.selection().count(), 0);
    EXPECT_FALSE(Selection::contains(a));
    EXPECT_FALSE(Selection::contains(b));
}

} // namespace
