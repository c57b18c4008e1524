#include "edit/pick.h"
#include "edit/selection_ops.h"
#include "edit_fixture.h"

namespace {

TEST(HandleColours, TableInItsOrder) {
    auto move = [](Rgb c) {
        HandleAction a = classifyHandleColour(c);
        EXPECT_EQ(a.kind, HandleAction::Move);
        return std::vector<int>{a.dx, a.dy, a.dz};
    };
    EXPECT_EQ(move({255, 0, 0}), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(move({254, 0, 0}), (std::vector<int>{-1, 0, 0}));
    EXPECT_EQ(move({0, 255, 0}), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(move({0, 254, 0}), (std::vector<int>{0, -1, 0}));
    EXPECT_EQ(move({0, 0, 255}), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(move({0, 0, 254}), (std::vector<int>{0, 0, -1}));

    HandleAction plus = classifyHandleColour({254, 0, 254});
    EXPECT_EQ(plus.kind, HandleAction::Rotate);
    EXPECT_EQ(plus.sense, 1);
    HandleAction minus = classifyHandleColour({255, 0, 255});
    EXPECT_EQ(minus.kind, HandleAction::Rotate);
    EXPECT_EQ(minus.sense, -1);

    for (Rgb other : {Rgb{254, 0, 255}, Rgb{255, 1, 0}, Rgb{253, 0, 0}, Rgb{0, 0, 0},
                      Rgb{255, 255, 0}, Rgb{178, 178, 255}, Rgb{254, 1, 254}})
        EXPECT_EQ(classifyHandleColour(other).kind, HandleAction::None)
            << int(other.r) << "," << int(other.g) << "," << int(other.b);
}

using Picking = EditTest;

TEST_F(Picking, ClickOnABlockMakesItTheOnlyOne) {
    BlockRecord& a = addBlock(0, 0);
    BlockRecord& b = addBlock(1, 0);
    selectBlock(ctx, &a, true);
    view.pointAt = &b;
    EXPECT_EQ(pickAt(ctx, 10.7f, 20.2f), &b);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&b});
    EXPECT_EQ(panels.shown, &b);
    EXPECT_EQ(view.renders, (std::vector<bool>{false, true}));
    EXPECT_EQ(view.readX, 10);
    EXPECT_EQ(view.readY, 20);
    expectSelectionInStep();
}

TEST_F(Picking, FAddsAndRemoves) {
    BlockRecord& a = addBlock(0, 0);
    BlockRecord& b = addBlock(1, 0);
    ctx.fKeyDown = true;
    view.pointAt = &a;
    pickAt(ctx, 1, 1);
    view.pointAt = &b;
    pickAt(ctx, 1, 1);
    EXPECT_EQ(members(), (std::vector<const BlockRecord*>{&a, &b}));
    EXPECT_EQ(panels.shown, nullptr);
    view.pointAt = &a;
    EXPECT_EQ(pickAt(ctx, 1, 1), &a);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&b});
    EXPECT_EQ(panels.shown, &b);
    expectSelectionInStep();
}

TEST_F(Picking, BackgroundEmptiesTheSelectionUnlessFIsHeld) {
    BlockRecord& a = addBlock(0, 0);
    selectBlock(ctx, &a, true);
    ctx.fKeyDown = true;
    EXPECT_EQ(pickAt(ctx, 1, 1), nullptr);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&a});
    ctx.fKeyDown = false;
    EXPECT_EQ(pickAt(ctx, 1, 1), nullptr);
    EXPECT_EQ(ctx.selection.count(), 0);
    EXPECT_EQ(view.renders, (std::vector<bool>{false, true, false, true}));
    expectSelectionInStep();
}

TEST_F(Picking, HiddenBlocksCannotBePicked) {
    BlockRecord& a = addBlock(0, 0);
    a.flags |= BLOCK_HIDDEN;
    view.pointAt = &a;
    EXPECT_EQ(pickAt(ctx, 1, 1), nullptr);
    EXPECT_EQ(ctx.selection.count(), 0);
}

// A picking frame that registers a grid cell instead of a block, and shows its colour.
class CellCodeView : public FakeViewPort {
  public:
    using FakeViewPort::FakeViewPort;
    void renderFrame(bool display) override {
        renders.push_back(display);
        if (!display)
            pixel = ctx_.pickTable.assignPickColour(cellCode(3, 7));
    }
};

TEST_F(Picking, AColourWhosePayloadIsNoBlockOfTheTrackIsBackground) {
    BlockRecord& a = addBlock(0, 0);
    selectBlock(ctx, &a, true);
    CellCodeView cellView(ctx);
    ctx.viewPort = &cellView;
    EXPECT_EQ(pickAt(ctx, 1, 1), nullptr);
    EXPECT_EQ(ctx.selection.count(), 0);
}

TEST_F(Picking, MoveHandlesMoveTheSelection) {
    BlockRecord& a = addBlock(5, 5, 5);
    BlockRecord& b = addBlock(9, 9, 9);
    selectBlock(ctx, &a, true);
    selectBlock(ctx, &b, true);
    int propertiesBefore = panels.propertiesCalls;
    view.pixel = {254, 0, 0};
    EXPECT_EQ(pickAt(ctx, 1, 1), nullptr);
    EXPECT_EQ(a.x, 4);
    EXPECT_EQ(b.x, 8);
    view.pixel = {0, 255, 0};
    pickAt(ctx, 1, 1);
    view.pixel = {0, 0, 254};
    pickAt(ctx, 1, 1);
    EXPECT_EQ(a.y, 6);
    EXPECT_EQ(a.z, 4);
    EXPECT_EQ(members(), (std::vector<const BlockRecord*>{&a, &b}));
    // With several blocks selected the panel stays blank.
    EXPECT_EQ(panels.propertiesCalls, propertiesBefore);
    EXPECT_EQ(view.renders.back(), true);
}

TEST_F(Picking, RotateHandlesTurnTheOtherWayRound) {
    BlockRecord& a = addBlock(5, 5, 1, 1, 0);
    selectBlock(ctx, &a, true);
    view.pixel = {254, 0, 254};
    pickAt(ctx, 1, 1);
    EXPECT_EQ(a.rotation, 1);
    view.pixel = {255, 0, 255};
    pickAt(ctx, 1, 1);
    pickAt(ctx, 1, 1);
    EXPECT_EQ(a.rotation, 3);
    EXPECT_EQ(panels.shown, &a);
    EXPECT_EQ(ctx.selection.count(), 1);
}

TEST_F(Picking, HandleWithEmptySelectionChangesNothingAndRedraws) {
    BlockRecord& a = addBlock(5, 5, 5);
    view.pixel = {255, 0, 0};
    EXPECT_EQ(pickAt(ctx, 1, 1), nullptr);
    EXPECT_EQ(a.x, 5);
    view.pixel = {255, 0, 255};
    pickAt(ctx, 1, 1);
    EXPECT_EQ(a.rotation, 0);
    EXPECT_EQ(view.renders, (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(panels.propertiesCalls, 0);
}

} // namespace
