#include "converted_track_builder.h"
#include "edit/block_edits.h"
#include "edit_fixture.h"
#include "track/track_reader.h"
#include "track/track_writer.h"

namespace {

using Moving = EditTest;

TEST_F(Moving, WrapsRoundInEightBits) {
    const BlockRecord& a = addBlock(127, 0, -128);
    const BlockRecord& b = addBlock(0, 5, 3);
    doc.select(&a, true);
    moveSelection(doc, 1, 0, -1);
    EXPECT_EQ(a.x, -128);
    EXPECT_EQ(a.z, 127);
    doc.deselect(&a);
    doc.select(&b, true);
    moveSelection(doc, -1, 0, 0);
    EXPECT_EQ(b.x, -1);
    EXPECT_EQ(b.y, 5);
}

TEST_F(Moving, HiddenSelectedBlocksMoveToo) {
    const BlockRecord& a = addBlock(1, 1);
    const BlockRecord& other = addBlock(3, 3);
    doc.select(&a, true);
    hideSelection(doc);
    EXPECT_TRUE(a.flags & BLOCK_HIDDEN);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&a});
    moveSelection(doc, 0, 2, 0);
    EXPECT_EQ(a.y, 3);
    EXPECT_EQ(other.y, 3);
    EXPECT_EQ(other.x, 3);
}

TEST_F(Moving, EmptySelectionIsANoOp) {
    const BlockRecord& a = addBlock(1, 1);
    list.heardChanges.clear();
    moveSelection(doc, 1, 1, 1);
    rotateSelection(doc, 1);
    rotateSelectionGroup(doc, 1);
    EXPECT_EQ(a.x, 1);
    EXPECT_EQ(a.rotation, 0);
    EXPECT_TRUE(list.heardChanges.empty());
    EXPECT_FALSE(doc.history().canUndo());
}

using Rotating = EditTest;

TEST_F(Rotating, StaysWithinFourQuarterTurns) {
    const BlockRecord& a = addBlock(0, 0, 1, 1, 0);
    doc.select(&a, true);
    rotateSelection(doc, -1);
    EXPECT_EQ(a.rotation, 3);
    rotateSelection(doc, 1);
    EXPECT_EQ(a.rotation, 0);
    rotateSelection(doc, 2);
    rotateSelection(doc, 5);
    EXPECT_EQ(a.rotation, 3);
    rotateSelection(doc, -258);
    EXPECT_EQ(a.rotation, 1);
}

TEST_F(Rotating, GroupTurnsAboutItsCentre) {
    const BlockRecord& a = addBlock(2, 2, 1, 1, 0);
    const BlockRecord& b = addBlock(4, 2, 7, 1, 3);
    doc.select(&a, true);
    doc.select(&b, true);
    rotateSelectionGroup(doc, 1);
    EXPECT_EQ(std::pair(int(a.x), int(a.y)), std::pair(3, 1));
    EXPECT_EQ(std::pair(int(b.x), int(b.y)), std::pair(3, 3));
    EXPECT_EQ(a.rotation, 1);
    EXPECT_EQ(b.rotation, 0);
    EXPECT_EQ(b.z, 7);

    doc.undo();
    rotateSelectionGroup(doc, -1);
    EXPECT_EQ(std::pair(int(a.x), int(a.y)), std::pair(3, 3));
    EXPECT_EQ(std::pair(int(b.x), int(b.y)), std::pair(3, 1));
    EXPECT_EQ(a.rotation, 3);
    EXPECT_EQ(b.rotation, 2);
}

TEST_F(Rotating, HalfCentresTruncateTowardZero) {
    const BlockRecord& a = addBlock(0, 0);
    const BlockRecord& b = addBlock(1, 0);
    doc.select(&a, true);
    doc.select(&b, true);
    rotateSelectionGroup(doc, 1);
    EXPECT_EQ(std::pair(int(a.x), int(a.y)), std::pair(0, 0));
    EXPECT_EQ(std::pair(int(b.x), int(b.y)), std::pair(0, 0));
}

TEST_F(Rotating, SeedsShiftABlockOutsideTheGrid) {
    const BlockRecord& a = addBlock(40, 5);
    const BlockRecord& inside = addBlock(7, 9);
    doc.select(&a, true);
    rotateSelectionGroup(doc, 1);
    EXPECT_EQ(std::pair(int(a.x), int(a.y)), std::pair(36, 9));
    doc.deselect(&a);
    doc.select(&inside, true);
    rotateSelectionGroup(doc, -1);
    EXPECT_EQ(std::pair(int(inside.x), int(inside.y)), std::pair(7, 9));
    EXPECT_EQ(inside.rotation, 3);
}

TEST_F(Rotating, NegativeCoordinatesTruncateTowardZero) {
    const BlockRecord& a = addBlock(-3, 0);
    const BlockRecord& b = addBlock(0, 0);
    doc.select(&a, true);
    doc.select(&b, true);
    // Centre (-1.5, 0): (-3, 0) goes to trunc(-1.5), trunc(-1.5) = (-1, -1).
    rotateSelectionGroup(doc, 1);
    EXPECT_EQ(std::pair(int(a.x), int(a.y)), std::pair(-1, -1));
    EXPECT_EQ(std::pair(int(b.x), int(b.y)), std::pair(-1, 1));
}

using Variants = EditTest;

TEST_F(Variants, OneByteOfABlockOfTheTrack) {
    const BlockRecord& a = addBlock(0, 0);
    setVariantByte(doc, a, 2, 9);
    EXPECT_EQ(a.variant, (std::array<std::uint8_t, 4>{0, 0, 9, 0}));
    setVariantByte(doc, a, 4, 1);
    setVariantByte(doc, a, -1, 1);
    BlockRecord stranger;
    setVariantByte(doc, stranger, 0, 1);
    EXPECT_EQ(a.variant, (std::array<std::uint8_t, 4>{0, 0, 9, 0}));
    EXPECT_EQ(stranger.variant[0], 0);
    EXPECT_EQ(doc.history().stepCount(), 1u);
}

using Hiding = EditTest;

TEST_F(Hiding, UnhideAllKeepsTheSelection) {
    const BlockRecord& a = addBlock(0, 0, 1, 1, 0, BLOCK_HIDDEN);
    const BlockRecord& b = addBlock(1, 0, 1, 1, 0, BLOCK_HIDDEN);
    doc.select(&b, true);
    unhideAll(doc);
    EXPECT_FALSE(a.flags & BLOCK_HIDDEN);
    EXPECT_FALSE(b.flags & BLOCK_HIDDEN);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&b});
    EXPECT_EQ(list.markedLines(), std::vector<int>{1});
}

using AppendRemove = EditTest;

TEST_F(AppendRemove, AppendToAnEmptyTrack) {
    const BlockRecord* a = appendBlock(doc, makeRecord(4, 0, 1, 2, 3, {}, 10));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(&doc.blocks().front(), a);
    EXPECT_EQ(countedBlocks(doc.track()), 1u);
    EXPECT_EQ(list.refills, 1);
    EXPECT_EQ(appendBlock(doc, std::nullopt), nullptr);
    EXPECT_EQ(appendBlock(doc, makeRecord(0, 0, 1, 2, 3, {}, 10)), nullptr);
    EXPECT_EQ(countedBlocks(doc.track()), 1u);
    EXPECT_EQ(list.refills, 1);
}

TEST_F(AppendRemove, RemoveHandsTheRecordBack) {
    addBlock(0, 0);
    const BlockRecord& b = addBlock(6, 0);
    doc.select(&b, true);
    std::optional<BlockRecord> removed = removeBlock(doc, &b);
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->x, 6);
    EXPECT_FALSE(removed->flags & BLOCK_SELECTED);
    EXPECT_EQ(doc.blocks().size(), 1u);
    EXPECT_EQ(countedBlocks(doc.track()), 1u);
    EXPECT_EQ(doc.selection().count(), 0);
}

TEST_F(AppendRemove, RemovingAStrangerChangesNothing) {
    addBlock(0, 0);
    list.heardChanges.clear();
    BlockRecord stranger;
    stranger.flags = BLOCK_HIDDEN;
    EXPECT_FALSE(removeBlock(doc, &stranger));
    EXPECT_FALSE(removeBlock(doc, nullptr));
    EXPECT_EQ(stranger.flags, BLOCK_HIDDEN);
    EXPECT_EQ(countedBlocks(doc.track()), 1u);
    EXPECT_TRUE(list.heardChanges.empty());
    EXPECT_FALSE(doc.history().canUndo());
}

using Deleting = EditTest;

TEST_F(Deleting, RemovesTheSelectedBlocksOnce) {
    for (int i = 0; i < 6; ++i)
        addBlock(i, 0, 1, 1, 0, i == 2 ? BLOCK_HIDDEN : 0);
    const BlockRecord* keep1 = &block(1);
    const BlockRecord* keep4 = &block(4);
    doc.select(&block(5), true);
    doc.select(&block(0), true);
    doc.select(&block(2), true);
    doc.select(&block(3), true);
    const int refills = list.refills;
    deleteSelection(doc);
    EXPECT_EQ(countedBlocks(doc.track()), 2u);
    EXPECT_EQ(doc.blocks().size(), 2u);
    EXPECT_EQ(&block(0), keep1);
    EXPECT_EQ(&block(1), keep4);
    EXPECT_EQ(doc.selection().count(), 0);
    EXPECT_EQ(doc.selection().first(), nullptr);
    EXPECT_EQ(list.refills, refills + 1);
    EXPECT_EQ(list.marks.size(), 2u);
    EXPECT_TRUE(list.markedLines().empty());
    EXPECT_EQ(list.shown, nullptr);
    EXPECT_EQ(doc.lineOf(keep4), 1);
}

// Deleting blocks that the file's count leaves out keeps the count of those it counts, so the
// track still saves.
TEST_F(Deleting, UncountedBlocksLeaveTheCountAlone) {
    ConvertedTrackBuilder b;
    b.envir = "Alpine";
    b.block("Single", 0, 1, 1, 1, 0xFFFFFFFF);
    b.block("Single", 0, 2, 1, 1);
    b.block("Single", 0, 3, 1, 1, 0xFFFFFFFF);
    Track track;
    TrackEnvelope envelope;
    ASSERT_TRUE(parseConvertedTrack(b.build(), ctx.catalog, track, envelope));
    doc.replaceTrack(std::move(track), std::move(envelope), "track.Gbx");
    doc.select(&block(0), true);
    doc.select(&block(2), true);
    deleteSelection(doc);
    std::optional<std::vector<std::uint8_t>> saved =
        serialiseTrack(doc.track(), doc.envelope(), ctx.catalog);
    ASSERT_TRUE(saved);
    EXPECT_EQ((*saved)[doc.envelope().headBytes.size()], 1);
}

TEST_F(Deleting, EmptySelectionRemovesNothing) {
    addBlock(0, 0);
    list.heardChanges.clear();
    deleteSelection(doc);
    EXPECT_EQ(countedBlocks(doc.track()), 1u);
    EXPECT_TRUE(list.heardChanges.empty());
}

} // namespace
