#include "converted_track_builder.h"
#include "edit/block_edits.h"
#include "edit/block_list_index.h"
#include "edit/selection_ops.h"
#include "edit_fixture.h"
#include "track/track_reader.h"
#include "track/track_writer.h"

namespace {

using Moving = EditTest;

TEST_F(Moving, WrapsRoundInEightBits) {
    BlockRecord& a = addBlock(127, 0, -128);
    BlockRecord& b = addBlock(0, 5, 3);
    selectBlock(ctx, &a, true);
    moveSelection(ctx, 1, 0, -1);
    EXPECT_EQ(a.x, -128);
    EXPECT_EQ(a.z, 127);
    deselectBlock(ctx, &a);
    selectBlock(ctx, &b, true);
    moveSelection(ctx, -1, 0, 0);
    EXPECT_EQ(b.x, -1);
    EXPECT_EQ(b.y, 5);
}

TEST_F(Moving, HiddenSelectedBlocksMoveToo) {
    BlockRecord& a = addBlock(1, 1);
    BlockRecord& other = addBlock(3, 3);
    selectBlock(ctx, &a, true);
    hideSelection(ctx);
    EXPECT_TRUE(a.flags & BLOCK_HIDDEN);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&a});
    moveSelection(ctx, 0, 2, 0);
    EXPECT_EQ(a.y, 3);
    EXPECT_EQ(other.y, 3);
    EXPECT_EQ(other.x, 3);
}

TEST_F(Moving, EmptySelectionIsANoOp) {
    BlockRecord& a = addBlock(1, 1);
    moveSelection(ctx, 1, 1, 1);
    rotateSelection(ctx, 1);
    rotateSelectionGroup(ctx, 1);
    EXPECT_EQ(a.x, 1);
    EXPECT_EQ(a.rotation, 0);
}

using Rotating = EditTest;

TEST_F(Rotating, StaysWithinFourQuarterTurns) {
    BlockRecord& a = addBlock(0, 0, 1, 1, 0);
    selectBlock(ctx, &a, true);
    rotateSelection(ctx, -1);
    EXPECT_EQ(a.rotation, 3);
    rotateSelection(ctx, 1);
    EXPECT_EQ(a.rotation, 0);
    a.rotation = 2;
    rotateSelection(ctx, 5);
    EXPECT_EQ(a.rotation, 3);
    a.rotation = 3;
    rotateSelection(ctx, -258);
    EXPECT_EQ(a.rotation, 1);
}

TEST_F(Rotating, GroupTurnsAboutItsCentre) {
    BlockRecord& a = addBlock(2, 2, 1, 1, 0);
    BlockRecord& b = addBlock(4, 2, 7, 1, 3);
    selectBlock(ctx, &a, true);
    selectBlock(ctx, &b, true);
    rotateSelectionGroup(ctx, 1);
    EXPECT_EQ(std::pair(int(a.x), int(a.y)), std::pair(3, 1));
    EXPECT_EQ(std::pair(int(b.x), int(b.y)), std::pair(3, 3));
    EXPECT_EQ(a.rotation, 1);
    EXPECT_EQ(b.rotation, 0);
    EXPECT_EQ(b.z, 7);

    a.x = 2, a.y = 2, b.x = 4, b.y = 2;
    rotateSelectionGroup(ctx, -1);
    EXPECT_EQ(std::pair(int(a.x), int(a.y)), std::pair(3, 3));
    EXPECT_EQ(std::pair(int(b.x), int(b.y)), std::pair(3, 1));
    EXPECT_EQ(a.rotation, 0);
    EXPECT_EQ(b.rotation, 3);
}

TEST_F(Rotating, HalfCentresTruncateTowardZero) {
    BlockRecord& a = addBlock(0, 0);
    BlockRecord& b = addBlock(1, 0);
    selectBlock(ctx, &a, true);
    selectBlock(ctx, &b, true);
    rotateSelectionGroup(ctx, 1);
    EXPECT_EQ(std::pair(int(a.x), int(a.y)), std::pair(0, 0));
    EXPECT_EQ(std::pair(int(b.x), int(b.y)), std::pair(0, 0));
}

TEST_F(Rotating, SeedsShiftABlockOutsideTheGrid) {
    BlockRecord& a = addBlock(40, 5);
    BlockRecord& inside = addBlock(7, 9);
    selectBlock(ctx, &a, true);
    rotateSelectionGroup(ctx, 1);
    EXPECT_EQ(std::pair(int(a.x), int(a.y)), std::pair(36, 9));
    deselectBlock(ctx, &a);
    selectBlock(ctx, &inside, true);
    rotateSelectionGroup(ctx, -1);
    EXPECT_EQ(std::pair(int(inside.x), int(inside.y)), std::pair(7, 9));
    EXPECT_EQ(inside.rotation, 3);
}

TEST_F(Rotating, NegativeCoordinatesTruncateTowardZero) {
    BlockRecord& a = addBlock(-3, 0);
    BlockRecord& b = addBlock(0, 0);
    selectBlock(ctx, &a, true);
    selectBlock(ctx, &b, true);
    // Centre (-1.5, 0): (-3, 0) goes to trunc(-1.5), trunc(-1.5) = (-1, -1).
    rotateSelectionGroup(ctx, 1);
    EXPECT_EQ(std::pair(int(a.x), int(a.y)), std::pair(-1, -1));
    EXPECT_EQ(std::pair(int(b.x), int(b.y)), std::pair(-1, 1));
}

using Hiding = EditTest;

TEST_F(Hiding, UnhideAllKeepsTheSelection) {
    BlockRecord& a = addBlock(0, 0);
    BlockRecord& b = addBlock(1, 0);
    a.flags |= BLOCK_HIDDEN;
    b.flags |= BLOCK_HIDDEN;
    selectBlock(ctx, &b, true);
    unhideAll(ctx);
    EXPECT_FALSE(a.flags & BLOCK_HIDDEN);
    EXPECT_FALSE(b.flags & BLOCK_HIDDEN);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&b});
    EXPECT_EQ(panels.markedLines(), std::vector<int>{1});
}

using AppendRemove = EditTest;

TEST_F(AppendRemove, AppendToAnEmptyTrack) {
    BlockRecord* a = appendBlock(ctx, makeRecord(4, 0, 1, 2, 3, {}, 10));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(&ctx.currentTrack.blocks.front(), a);
    EXPECT_EQ(countedBlocks(ctx.currentTrack), 1u);
    EXPECT_EQ(panels.refills, 1);
    EXPECT_EQ(appendBlock(ctx, std::nullopt), nullptr);
    EXPECT_EQ(appendBlock(ctx, makeRecord(0, 0, 1, 2, 3, {}, 10)), nullptr);
    EXPECT_EQ(countedBlocks(ctx.currentTrack), 1u);
    EXPECT_EQ(panels.refills, 1);
}

TEST_F(AppendRemove, RemoveHandsTheRecordBack) {
    addBlock(0, 0);
    BlockRecord& b = addBlock(6, 0);
    selectBlock(ctx, &b, true);
    std::optional<BlockRecord> removed = removeBlock(ctx, &b);
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->x, 6);
    EXPECT_FALSE(removed->flags & BLOCK_SELECTED);
    EXPECT_EQ(ctx.currentTrack.blocks.size(), 1u);
    EXPECT_EQ(countedBlocks(ctx.currentTrack), 1u);
}

TEST_F(AppendRemove, RemovingAStrangerOnlyClearsItsBitAndRefills) {
    addBlock(0, 0);
    BlockRecord stranger;
    stranger.flags = BLOCK_SELECTED | BLOCK_HIDDEN;
    EXPECT_FALSE(removeBlock(ctx, &stranger));
    EXPECT_EQ(stranger.flags, BLOCK_HIDDEN);
    EXPECT_EQ(countedBlocks(ctx.currentTrack), 1u);
    EXPECT_EQ(panels.refills, 1);
}

using Deleting = EditTest;

TEST_F(Deleting, RemovesTheSelectedBlocksOnce) {
    for (int i = 0; i < 6; ++i)
        addBlock(i, 0);
    BlockRecord* keep1 = &block(1);
    BlockRecord* keep4 = &block(4);
    selectBlock(ctx, &block(5), true);
    selectBlock(ctx, &block(0), true);
    selectBlock(ctx, &block(2), true);
    selectBlock(ctx, &block(3), true);
    block(2).flags |= BLOCK_HIDDEN;
    deleteSelection(ctx);
    EXPECT_EQ(countedBlocks(ctx.currentTrack), 2u);
    EXPECT_EQ(ctx.currentTrack.blocks.size(), 2u);
    EXPECT_EQ(&block(0), keep1);
    EXPECT_EQ(&block(1), keep4);
    EXPECT_EQ(ctx.selection.count(), 0);
    EXPECT_EQ(ctx.selection.first(), nullptr);
    EXPECT_EQ(panels.refills, 1);
    EXPECT_EQ(panels.marks.size(), 2u);
    EXPECT_TRUE(panels.markedLines().empty());
    EXPECT_EQ(panels.shown, nullptr);
    EXPECT_EQ(blockListIndex(ctx, keep4), 1);
}

// Deleting blocks that the file's count leaves out keeps the count of those it counts, so the
// track still saves.
TEST_F(Deleting, UncountedBlocksLeaveTheCountAlone) {
    ConvertedTrackBuilder b;
    b.envir = "Alpine";
    b.block("Single", 0, 1, 1, 1, 0xFFFFFFFF);
    b.block("Single", 0, 2, 1, 1);
    b.block("Single", 0, 3, 1, 1, 0xFFFFFFFF);
    ASSERT_TRUE(parseConvertedTrack(b.build(), ctx.catalog, ctx.currentTrack, ctx.envelope));
    panels.marks.assign(3, false);
    selectBlock(ctx, &block(0), true);
    selectBlock(ctx, &block(2), true);
    deleteSelection(ctx);
    std::optional<std::vector<std::uint8_t>> saved =
        serialiseTrack(ctx.currentTrack, ctx.envelope, ctx.catalog);
    ASSERT_TRUE(saved);
    EXPECT_EQ((*saved)[ctx.envelope.headBytes.size()], 1);
}

TEST_F(Deleting, EmptySelectionRemovesNothing) {
    addBlock(0, 0);
    deleteSelection(ctx);
    EXPECT_EQ(countedBlocks(ctx.currentTrack), 1u);
    EXPECT_EQ(panels.refills, 0);
}

} // namespace
