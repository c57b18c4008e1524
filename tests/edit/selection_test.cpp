#include "edit/block_edits.h"
#include "edit/pick.h"
#include "edit_fixture.h"

namespace {

using Selecting = EditTest;

TEST_F(Selecting, NoneChangesNothing) {
    addBlock(0, 0);
    list.heardChanges.clear();
    doc.select(nullptr, true);
    doc.select(nullptr, false);
    doc.deselect(nullptr);
    EXPECT_EQ(doc.selection().count(), 0);
    EXPECT_TRUE(list.heardChanges.empty());
}

TEST_F(Selecting, ToggleTwiceLeavesBlockUnselectedAndUnmarked) {
    addBlock(0, 0);
    const BlockRecord& b = addBlock(1, 0);
    doc.select(&b, true);
    EXPECT_EQ(list.markedLines(), std::vector<int>{1});
    EXPECT_TRUE(Selection::contains(b));
    doc.select(&b, true);
    EXPECT_EQ(doc.selection().count(), 0);
    EXPECT_FALSE(Selection::contains(b));
    EXPECT_TRUE(list.markedLines().empty());
}

TEST_F(Selecting, OtherFlagBitsAreKept) {
    constexpr std::uint32_t kOtherBit = 0x100; // a bit the editor has no use for
    const BlockRecord& b = addBlock(0, 0, 1, 1, 0, BLOCK_HIDDEN | kOtherBit);
    doc.select(&b, true);
    EXPECT_EQ(b.flags, BLOCK_HIDDEN | kOtherBit | BLOCK_SELECTED);
    doc.deselect(&b);
    EXPECT_EQ(b.flags, BLOCK_HIDDEN | kOtherBit);
}

TEST_F(Selecting, WithoutToggleASelectedBlockIsNotAddedTwice) {
    const BlockRecord& b = addBlock(0, 0);
    list.heardChanges.clear();
    doc.select(&b, false);
    doc.select(&b, false);
    EXPECT_EQ(doc.selection().count(), 1);
    EXPECT_EQ(list.heardChanges.size(), 1u);
    expectSelectionInStep();
}

TEST_F(Selecting, RecordOutsideTheTrackIsIgnored) {
    addBlock(0, 0);
    BlockRecord stranger;
    doc.select(&stranger, true);
    EXPECT_EQ(doc.selection().count(), 0);
    EXPECT_EQ(stranger.flags, 0u);
    doc.setSelection({&stranger});
    EXPECT_EQ(doc.selection().count(), 0);
    EXPECT_EQ(stranger.flags, 0u);
}

TEST_F(Selecting, PanelShowsTheBlockOnlyWhileItIsTheOnlyOne) {
    const BlockRecord& a = addBlock(0, 0);
    const BlockRecord& b = addBlock(1, 0);
    doc.select(&a, true);
    EXPECT_EQ(list.shown, &a);
    doc.select(&b, true);
    EXPECT_EQ(list.shown, nullptr);
    doc.deselect(&a);
    EXPECT_EQ(list.shown, &b);
    doc.select(&a, true);
    doc.deselect(&b);
    EXPECT_EQ(list.shown, &a);
}

TEST_F(Selecting, ClearEmptiesEverythingAndBlanksThePanel) {
    const BlockRecord& a = addBlock(0, 0);
    const BlockRecord& b = addBlock(1, 0);
    doc.select(&a, true);
    doc.select(&b, true);
    doc.select(&a, true);
    doc.clearSelection();
    EXPECT_EQ(doc.selection().count(), 0);
    EXPECT_EQ(doc.selection().first(), nullptr);
    EXPECT_EQ(list.shown, nullptr);
    expectSelectionInStep();
}

TEST_F(Selecting, InvertKeepsTrackOrderOfTheNewMembers) {
    for (int i = 0; i < 5; ++i)
        addBlock(i, 0, 1, 1, 0, i == 2 ? BLOCK_HIDDEN : 0); // hidden blocks take part
    doc.select(&block(3), true);
    doc.select(&block(1), true);
    list.heardChanges.clear();
    const int refills = list.refills;
    doc.invertSelection();
    // One change for the whole list, heard without a refill.
    ASSERT_EQ(list.heardChanges.size(), 1u);
    EXPECT_EQ(list.heardChanges[0].entered.size(), 3u);
    EXPECT_EQ(list.heardChanges[0].left.size(), 2u);
    EXPECT_EQ(list.refills, refills);
    EXPECT_EQ(members(), (std::vector<const BlockRecord*>{&block(0), &block(2), &block(4)}));
    EXPECT_EQ(list.markedLines(), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(list.shown, nullptr);
    expectSelectionInStep();
    doc.invertSelection();
    EXPECT_EQ(members(), (std::vector<const BlockRecord*>{&block(1), &block(3)}));
    expectSelectionInStep();
}

TEST_F(Selecting, InvertToASingleBlockShowsIt) {
    addBlock(0, 0);
    addBlock(1, 0);
    doc.select(&block(0), true);
    doc.invertSelection();
    EXPECT_EQ(list.shown, &block(1));
}

using BlockListIndexing = EditTest;

TEST_F(BlockListIndexing, FollowsAppendsRemovalsAndUndo) {
    const BlockRecord& a = addBlock(0, 0);
    const BlockRecord& b = addBlock(1, 0);
    const BlockRecord& c = addBlock(2, 0);
    EXPECT_EQ(doc.lineOf(&c), 2);
    const BlockRecord* d = appendBlock(doc, BlockRecord{});
    EXPECT_EQ(doc.lineOf(d), 3);
    removeBlock(doc, &b);
    EXPECT_EQ(doc.lineOf(&a), 0);
    EXPECT_EQ(doc.lineOf(&b), -1);
    EXPECT_EQ(doc.lineOf(&c), 1);
    EXPECT_EQ(doc.lineOf(d), 2);
    doc.undo();
    EXPECT_EQ(doc.lineOf(&b), 1);
    EXPECT_EQ(doc.lineOf(d), 3);
    doc.undo();
    EXPECT_EQ(doc.lineOf(d), -1);
    EXPECT_EQ(doc.lineOf(&c), 2);
    BlockRecord stranger;
    EXPECT_EQ(doc.lineOf(&stranger), -1);
    EXPECT_EQ(doc.lineOf(nullptr), -1);
}

using ListRefill = EditTest;

TEST_F(ListRefill, MarksTheSelectedLinesAgain) {
    for (int i = 0; i < 4; ++i)
        addBlock(i, 0);
    doc.select(&block(3), true);
    doc.select(&block(1), true);
    const int refills = list.refills;
    hideSelection(doc);
    unhideAll(doc);
    EXPECT_EQ(list.refills, refills); // the same lines, read differently
    EXPECT_EQ(list.markedLines(), (std::vector<int>{1, 3}));
    appendBlock(doc, BlockRecord{});
    EXPECT_EQ(list.refills, refills + 1);
    EXPECT_EQ(list.markedLines(), (std::vector<int>{1, 3}));
    removeBlock(doc, &block(0));
    EXPECT_EQ(list.markedLines(), (std::vector<int>{0, 2}));
    expectSelectionInStep();
}

using TrackReplace = EditTest;

TEST_F(TrackReplace, ANewTrackComesUnselectedWithANewHistory) {
    addBlock(0, 0);
    addBlock(1, 0);
    doc.select(&block(1), true);
    moveSelection(doc, 1, 0, 0);
    list.heardChanges.clear();

    Track track;
    BlockRecord record;
    record.flags = BLOCK_SELECTED; // copied from a selected block
    track.blocks.push_back(record);
    doc.replaceTrack(std::move(track), TrackEnvelope{}, "new.Gbx");
    const BlockRecord& fresh = block(0);
    ASSERT_EQ(list.heardChanges.size(), 1u);
    EXPECT_EQ(list.heardChanges[0].cause, DocumentChange::Cause::Replaced);
    EXPECT_EQ(doc.selection().count(), 0);
    EXPECT_FALSE(Selection::contains(fresh));
    EXPECT_EQ(list.marks, std::vector<bool>{false});
    EXPECT_EQ(list.shown, nullptr);
    EXPECT_EQ(doc.lineOf(&fresh), 0);
    EXPECT_FALSE(doc.history().canUndo());
    EXPECT_FALSE(doc.modified());
    EXPECT_EQ(doc.path(), "new.Gbx");

    // Recovered changes do not match the file.
    doc.replaceTrack(Track{}, TrackEnvelope{}, "new.Gbx", false);
    EXPECT_TRUE(doc.modified());
}

} // namespace
