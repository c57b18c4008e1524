#include "edit/block_edits.h"
#include "edit/block_list_index.h"
#include "edit/pick.h"
#include "edit/selection_ops.h"
#include "edit_fixture.h"

namespace {

using Selecting = EditTest;

TEST_F(Selecting, NoneChangesNothing) {
    addBlock(0, 0);
    selectBlock(ctx, nullptr, true);
    selectBlock(ctx, nullptr, false);
    EXPECT_EQ(ctx.selection.count(), 0);
    EXPECT_EQ(panels.markCalls, 0);
    EXPECT_EQ(panels.propertiesCalls, 0);
}

TEST_F(Selecting, ToggleTwiceLeavesBlockUnselectedAndUnmarked) {
    addBlock(0, 0);
    BlockRecord& b = addBlock(1, 0);
    selectBlock(ctx, &b, true);
    EXPECT_EQ(panels.markedLines(), std::vector<int>{1});
    EXPECT_TRUE(b.flags & BLOCK_SELECTED);
    selectBlock(ctx, &b, true);
    EXPECT_EQ(ctx.selection.count(), 0);
    EXPECT_FALSE(b.flags & BLOCK_SELECTED);
    EXPECT_TRUE(panels.markedLines().empty());
}

TEST_F(Selecting, OtherFlagBitsAreKept) {
    BlockRecord& b = addBlock(0, 0);
    b.flags = BLOCK_HIDDEN | BLOCK_IN_VIEW;
    selectBlock(ctx, &b, true);
    EXPECT_EQ(b.flags, BLOCK_HIDDEN | BLOCK_IN_VIEW | BLOCK_SELECTED);
    deselectBlock(ctx, &b);
    EXPECT_EQ(b.flags, BLOCK_HIDDEN | BLOCK_IN_VIEW);
}

TEST_F(Selecting, WithoutToggleASelectedBlockIsNotAddedTwice) {
    BlockRecord& b = addBlock(0, 0);
    selectBlock(ctx, &b, false);
    selectBlock(ctx, &b, false);
    EXPECT_EQ(ctx.selection.count(), 1);
    expectSelectionInStep();
}

TEST_F(Selecting, RecordOutsideTheTrackIsIgnored) {
    addBlock(0, 0);
    BlockRecord stranger;
    selectBlock(ctx, &stranger, true);
    EXPECT_EQ(ctx.selection.count(), 0);
    EXPECT_EQ(stranger.flags, 0u);
}

TEST_F(Selecting, PanelShowsTheBlockOnlyWhileItIsTheOnlyOne) {
    BlockRecord& a = addBlock(0, 0);
    BlockRecord& b = addBlock(1, 0);
    selectBlock(ctx, &a, true);
    EXPECT_EQ(panels.shown, &a);
    selectBlock(ctx, &b, true);
    EXPECT_EQ(panels.shown, nullptr);
    deselectBlock(ctx, &a);
    EXPECT_EQ(panels.shown, &b);
    selectBlock(ctx, &a, true);
    deselectBlock(ctx, &b);
    EXPECT_EQ(panels.shown, &a);
}

TEST_F(Selecting, DeselectingANonMemberClearsItsBitAndUnmarksOnlyItsLine) {
    BlockRecord& a = addBlock(0, 0);
    BlockRecord& b = addBlock(1, 0);
    selectBlock(ctx, &a, true);
    b.flags |= BLOCK_SELECTED; // out of step on purpose
    panels.marks[1] = true;
    deselectBlock(ctx, &b);
    EXPECT_FALSE(b.flags & BLOCK_SELECTED);
    EXPECT_EQ(panels.markedLines(), std::vector<int>{0});
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&a});
}

TEST_F(Selecting, ClearEmptiesEverythingAndBlanksThePanel) {
    BlockRecord& a = addBlock(0, 0);
    BlockRecord& b = addBlock(1, 0);
    selectBlock(ctx, &a, true);
    selectBlock(ctx, &b, true);
    selectBlock(ctx, &a, true);
    clearSelection(ctx);
    EXPECT_EQ(ctx.selection.count(), 0);
    EXPECT_EQ(ctx.selection.first(), nullptr);
    EXPECT_EQ(panels.shown, nullptr);
    expectSelectionInStep();
}

TEST_F(Selecting, InvertKeepsTrackOrderOfTheNewMembers) {
    for (int i = 0; i < 5; ++i)
        addBlock(i, 0);
    selectBlock(ctx, &block(3), true);
    selectBlock(ctx, &block(1), true);
    block(2).flags |= BLOCK_HIDDEN; // hidden blocks take part
    int propertiesBefore = panels.propertiesCalls;
    panels.markCalls = 0;
    invertSelection(ctx);
    // One pass over the list, not a refresh per block.
    EXPECT_EQ(panels.propertiesCalls, propertiesBefore + 1);
    EXPECT_EQ(panels.markCalls, 3);
    EXPECT_EQ(panels.refills, 0);
    EXPECT_EQ(members(), (std::vector<const BlockRecord*>{&block(0), &block(2), &block(4)}));
    EXPECT_EQ(panels.markedLines(), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(panels.shown, nullptr);
    expectSelectionInStep();
    invertSelection(ctx);
    EXPECT_EQ(members(), (std::vector<const BlockRecord*>{&block(1), &block(3)}));
    expectSelectionInStep();
}

TEST_F(Selecting, InvertToASingleBlockShowsIt) {
    addBlock(0, 0);
    addBlock(1, 0);
    selectBlock(ctx, &block(0), true);
    invertSelection(ctx);
    EXPECT_EQ(panels.shown, &block(1));
    EXPECT_EQ(panels.refills, 0);
}

using BlockListIndexing = EditTest;

TEST_F(BlockListIndexing, FollowsAppendsRemovalsAndOutsideChanges) {
    BlockRecord& a = addBlock(0, 0);
    BlockRecord& b = addBlock(1, 0);
    BlockRecord& c = addBlock(2, 0);
    EXPECT_EQ(blockListIndex(ctx, &c), 2);
    BlockRecord* d = appendBlock(ctx, BlockRecord{});
    EXPECT_EQ(blockListIndex(ctx, d), 3);
    removeBlock(ctx, &b);
    EXPECT_EQ(blockListIndex(ctx, &a), 0);
    EXPECT_EQ(blockListIndex(ctx, &c), 1);
    EXPECT_EQ(blockListIndex(ctx, d), 2);
    // Changes made straight on the list, as a reader does, are seen too.
    ctx.currentTrack.blocks.push_front(BlockRecord{});
    EXPECT_EQ(blockListIndex(ctx, &c), 2);
    ctx.currentTrack.blocks.pop_back();
    EXPECT_EQ(blockListIndex(ctx, &c), 2);
    BlockRecord stranger;
    EXPECT_EQ(blockListIndex(ctx, &stranger), -1);
    EXPECT_EQ(blockListIndex(ctx, nullptr), -1);
}

using ListRefill = EditTest;

TEST_F(ListRefill, MarksTheSelectedLinesAgain) {
    for (int i = 0; i < 4; ++i)
        addBlock(i, 0);
    selectBlock(ctx, &block(3), true);
    selectBlock(ctx, &block(1), true);
    hideSelection(ctx);
    EXPECT_EQ(panels.refills, 1);
    EXPECT_EQ(panels.markedLines(), (std::vector<int>{1, 3}));
    unhideAll(ctx);
    EXPECT_EQ(panels.markedLines(), (std::vector<int>{1, 3}));
    appendBlock(ctx, BlockRecord{});
    EXPECT_EQ(panels.markedLines(), (std::vector<int>{1, 3}));
    removeBlock(ctx, &block(0));
    EXPECT_EQ(panels.markedLines(), (std::vector<int>{0, 2}));
    expectSelectionInStep();
}

using TrackReplace = EditTest;

TEST_F(TrackReplace, LetsGoOfTheOldRecordsBeforeTheyAreReleased) {
    addBlock(0, 0);
    addBlock(1, 0);
    selectBlock(ctx, &block(1), true);
    view.pointAt = &block(1);
    pickAt(ctx, 5, 5); // fills the picking table with the old records
    prepareTrackReplace(ctx);
    EXPECT_EQ(ctx.selection.count(), 0);
    EXPECT_FALSE(block(1).flags & BLOCK_SELECTED);
    EXPECT_TRUE(panels.markedLines().empty());
    EXPECT_EQ(panels.shown, nullptr);
    EXPECT_EQ(ctx.pickTable.count(), 0);

    clearTrack(&ctx.currentTrack);
    BlockRecord& fresh = addBlock(7, 7);
    finishTrackReplace(ctx);
    EXPECT_EQ(panels.marks.size(), 1u);
    EXPECT_EQ(blockListIndex(ctx, &fresh), 0);
    EXPECT_GT(panels.areaCountCalls, 0);
}

} // namespace
