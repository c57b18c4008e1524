#include "edit/pick.h"
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
    const BlockRecord& a = addBlock(0, 0);
    const BlockRecord& b = addBlock(1, 0);
    doc.select(&a, true);
    list.heardChanges.clear();
    view.pointAt = &b;
    EXPECT_EQ(pickAt(doc, view, 10.7f, 20.2f, false), &b);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&b});
    EXPECT_EQ(list.shown, &b);
    // One change of the selection, not an emptying and a choice heard apart.
    ASSERT_EQ(list.heardChanges.size(), 1u);
    EXPECT_EQ(list.heardChanges[0].entered, std::vector<const BlockRecord*>{&b});
    EXPECT_EQ(list.heardChanges[0].left, std::vector<const BlockRecord*>{&a});
    EXPECT_EQ(view.renders, std::vector<bool>{false});
    EXPECT_EQ(view.readX, 10);
    EXPECT_EQ(view.readY, 20);
    expectSelectionInStep();
}

TEST_F(Picking, AddingAddsAndRemoves) {
    const BlockRecord& a = addBlock(0, 0);
    const BlockRecord& b = addBlock(1, 0);
    view.pointAt = &a;
    pickAt(doc, view, 1, 1, true);
    view.pointAt = &b;
    pickAt(doc, view, 1, 1, true);
    EXPECT_EQ(members(), (std::vector<const BlockRecord*>{&a, &b}));
    EXPECT_EQ(list.shown, nullptr);
    view.pointAt = &a;
    EXPECT_EQ(pickAt(doc, view, 1, 1, true), &a);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&b});
    EXPECT_EQ(list.shown, &b);
    expectSelectionInStep();
}

TEST_F(Picking, BackgroundEmptiesTheSelectionUnlessAdding) {
    const BlockRecord& a = addBlock(0, 0);
    doc.select(&a, true);
    EXPECT_EQ(pickAt(doc, view, 1, 1, true), nullptr);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&a});
    EXPECT_EQ(pickAt(doc, view, 1, 1, false), nullptr);
    EXPECT_EQ(doc.selection().count(), 0);
    EXPECT_EQ(view.renders, (std::vector<bool>{false, false}));
    expectSelectionInStep();
}

TEST_F(Picking, HiddenBlocksCannotBePicked) {
    const BlockRecord& a = addBlock(0, 0, 1, 1, 0, BLOCK_HIDDEN);
    view.pointAt = &a;
    EXPECT_EQ(pickAt(doc, view, 1, 1, false), nullptr);
    EXPECT_EQ(doc.selection().count(), 0);
}

// A picking frame whose colour stands for a grid cell, not for a block.
class CellCodeView : public FakeViewPort {
  public:
    using FakeViewPort::FakeViewPort;
    const BlockRecord* blockOfColour(Rgb) const override {
        return reinterpret_cast<const BlockRecord*>(cellCode(3, 7));
    }
};

TEST_F(Picking, AColourWhosePayloadIsNoBlockOfTheTrackIsBackground) {
    const BlockRecord& a = addBlock(0, 0);
    doc.select(&a, true);
    CellCodeView cellView(doc);
    cellView.pixel = {10, 20, 30};
    EXPECT_EQ(pickAt(doc, cellView, 1, 1, true), nullptr);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&a});
    EXPECT_EQ(pickAt(doc, cellView, 1, 1, false), nullptr);
    EXPECT_EQ(doc.selection().count(), 0);
}

TEST_F(Picking, MoveHandlesMoveTheSelectionAndEachHandleIsAGesture) {
    const BlockRecord& a = addBlock(5, 5, 5);
    const BlockRecord& b = addBlock(9, 9, 9);
    doc.select(&a, true);
    doc.select(&b, true);
    doc.setHistoryClock([] { return EditHistory::Clock::time_point{}; });
    list.heardChanges.clear();
    view.pixel = {254, 0, 0};
    EXPECT_EQ(pickAt(doc, view, 1, 1, false), nullptr);
    EXPECT_EQ(a.x, 4);
    EXPECT_EQ(b.x, 8);
    pickAt(doc, view, 1, 1, false);
    EXPECT_EQ(a.x, 3);
    EXPECT_EQ(doc.history().stepCount(), 1u); // clicks on one handle in a row
    view.pixel = {0, 255, 0};
    pickAt(doc, view, 1, 1, false);
    view.pixel = {0, 0, 254};
    pickAt(doc, view, 1, 1, false);
    EXPECT_EQ(a.y, 6);
    EXPECT_EQ(a.z, 4);
    EXPECT_EQ(doc.history().stepCount(), 3u);
    EXPECT_EQ(members(), (std::vector<const BlockRecord*>{&a, &b}));
    for (const DocumentChange& change : list.heardChanges)
        EXPECT_FALSE(change.selectionChanged());
    EXPECT_EQ(list.heardChanges.size(), 4u);
}

TEST_F(Picking, RotateHandlesTurnTheOtherWayRound) {
    const BlockRecord& a = addBlock(5, 5, 1, 1, 0);
    doc.select(&a, true);
    view.pixel = {254, 0, 254};
    pickAt(doc, view, 1, 1, false);
    EXPECT_EQ(a.rotation, 1);
    view.pixel = {255, 0, 255};
    pickAt(doc, view, 1, 1, false);
    pickAt(doc, view, 1, 1, false);
    EXPECT_EQ(a.rotation, 3);
    EXPECT_EQ(list.shown, &a);
    EXPECT_EQ(doc.selection().count(), 1);
}

TEST_F(Picking, HandleWithEmptySelectionChangesNothing) {
    const BlockRecord& a = addBlock(5, 5, 5);
    list.heardChanges.clear();
    view.pixel = {255, 0, 0};
    EXPECT_EQ(pickAt(doc, view, 1, 1, false), nullptr);
    EXPECT_EQ(a.x, 5);
    view.pixel = {255, 0, 255};
    pickAt(doc, view, 1, 1, false);
    EXPECT_EQ(a.rotation, 0);
    EXPECT_TRUE(list.heardChanges.empty());
    EXPECT_FALSE(doc.history().canUndo());
}

} // namespace
