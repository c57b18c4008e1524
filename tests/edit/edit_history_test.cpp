#include <gtest/gtest.h>

#include "edit/area_blocks.h"
#include "edit/area_cells.h"
#include "edit/block_edits.h"
#include "edit/block_placing.h"
#include "edit/edit_step.h"
#include "edit/selection_ops.h"
#include "edit_fixture.h"

namespace {

class History : public EditTest {
  protected:
    std::vector<const BlockRecord*> order() const {
        std::vector<const BlockRecord*> records;
        for (const BlockRecord& record : ctx.currentTrack.blocks)
            records.push_back(&record);
        return records;
    }
    void select(std::initializer_list<int> positions) {
        clearSelection(ctx);
        for (int position : positions)
            selectBlock(ctx, &block(position), true);
    }
};

TEST_F(History, UndoPutsBackRecordsOrderFlagsAndSelectionAtTheSameAddresses) {
    for (int i = 0; i < 6; ++i)
        addBlock(i, 0);
    block(2).flags |= BLOCK_HIDDEN;
    const std::vector<const BlockRecord*> original = order();
    select({4, 1, 2});
    moveSelection(ctx, 1, 2, 3);
    deleteSelection(ctx);
    EXPECT_EQ(ctx.currentTrack.blocks.size(), 3u);
    EXPECT_EQ(countedBlocks(ctx.currentTrack), 3u);
    EXPECT_EQ(ctx.history.undoName(), "Delete 3 blocks");

    ASSERT_TRUE(undoStep(ctx));
    EXPECT_EQ(order(), original);
    EXPECT_EQ(countedBlocks(ctx.currentTrack), 6u);
    EXPECT_EQ(members(), (std::vector<const BlockRecord*>{&block(4), &block(1), &block(2)}));
    EXPECT_TRUE(block(2).flags & BLOCK_HIDDEN);
    EXPECT_EQ(block(4).x, 5);
    expectSelectionInStep();
    EXPECT_EQ(ctx.history.undoName(), "Move 3 blocks");
    EXPECT_EQ(ctx.history.redoName(), "Delete 3 blocks");

    ASSERT_TRUE(undoStep(ctx));
    EXPECT_EQ(block(4).x, 4);
    EXPECT_EQ(block(4).z, 1);
    EXPECT_FALSE(undoStep(ctx));

    ASSERT_TRUE(redoStep(ctx));
    ASSERT_TRUE(redoStep(ctx));
    EXPECT_FALSE(redoStep(ctx));
    EXPECT_EQ(order(), (std::vector<const BlockRecord*>{original[0], original[3], original[5]}));
    EXPECT_EQ(ctx.selection.count(), 0);
    EXPECT_EQ(panels.shown, nullptr);
    expectSelectionInStep();
}

TEST_F(History, EditsThatChangeNothingAreNoSteps) {
    addBlock(0, 0);
    moveSelection(ctx, 1, 0, 0); // nothing selected
    select({0});
    hideSelection(ctx);
    hideSelection(ctx); // already hidden
    rotateSelection(ctx, 4);
    EXPECT_EQ(ctx.history.stepCount(), 1u);
    EXPECT_EQ(ctx.history.undoName(), "Hide 1 block");
}

TEST_F(History, ModifiedFollowsTheSavedState) {
    addBlock(0, 0);
    select({0});
    EXPECT_FALSE(ctx.history.modified());
    moveSelection(ctx, 1, 0, 0);
    const std::uint64_t serial = ctx.history.changeSerial();
    EXPECT_TRUE(ctx.history.modified());
    undoStep(ctx);
    EXPECT_FALSE(ctx.history.modified());
    redoStep(ctx);
    noteTrackSaved(ctx);
    EXPECT_FALSE(ctx.history.modified());
    undoStep(ctx);
    EXPECT_TRUE(ctx.history.modified());
    EXPECT_EQ(ctx.history.changeSerial(), serial + 3);
    // A new step where the saved one was undone: the saved state is out of reach.
    moveSelection(ctx, 1, 0, 0);
    EXPECT_TRUE(ctx.history.modified());
    startNewHistory(ctx);
    EXPECT_FALSE(ctx.history.modified());
    EXPECT_FALSE(ctx.history.canUndo());
}

TEST_F(History, TheMemoryCapDropsTheOldestStepsAndSaysSo) {
    for (int i = 0; i < 100; ++i)
        addBlock(i % 32, 0);
    std::vector<TrackChange> heard;
    ctx.history.addListener([&](const TrackChange& change) { heard.push_back(change); });
    invertSelection(ctx);
    moveSelection(ctx, 1, 0, 0);
    const std::size_t oneStep = ctx.history.memoryUsed();
    ctx.history.setMemoryCap(oneStep * 3);
    for (int i = 0; i < 5; ++i)
        moveSelection(ctx, 1, 0, 0);
    EXPECT_EQ(ctx.history.stepCount(), 3u);
    EXPECT_LE(ctx.history.memoryUsed(), ctx.history.memoryCap());
    ASSERT_FALSE(panels.statusMessages.empty());
    EXPECT_NE(panels.statusMessages.back().find("oldest 1 step was dropped"), std::string::npos);
    EXPECT_EQ(heard.size(), 6u);
    while (undoStep(ctx)) {
    }
    EXPECT_EQ(block(0).x, 3);            // three of the six moves are still there to undo
    EXPECT_TRUE(ctx.history.modified()); // the saved state went with the dropped steps
}

TEST_F(History, AreaStepsUndoToTheSelectionBeforeThem) {
    addBlock(0, 0);
    addBlock(5, 5);
    addBlock(6, 6);
    select({2});
    toggleAreaCell(ctx, 0, 0, 1);
    toggleAreaCell(ctx, 5, 5, 1);
    deleteBlocksInArea(ctx);
    EXPECT_EQ(ctx.currentTrack.blocks.size(), 1u);
    undoStep(ctx);
    EXPECT_EQ(ctx.currentTrack.blocks.size(), 3u);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&block(2)});
    EXPECT_EQ(fillArea(ctx, 2), 2);
    EXPECT_EQ(ctx.history.undoName(), "Fill area with 2 blocks");
    undoStep(ctx);
    EXPECT_EQ(ctx.currentTrack.blocks.size(), 3u);
    EXPECT_EQ(countedBlocks(ctx.currentTrack), 3u);
    expectSelectionInStep();
}

TEST_F(History, PlaceGoesBesideTheSelectionAndPasteOneCellAlong) {
    addBlock(3, 4, 2);
    BlockRecord& far = addBlock(31, 9, 2, 3);
    select({0});
    BlockRecord* placed = placeBlock(ctx, 2);
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->x, 4);
    EXPECT_EQ(placed->y, 4);
    EXPECT_EQ(placed->z, 2);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{placed});
    EXPECT_EQ(placeBlock(ctx, 9), nullptr); // not in the catalogue

    select({1, 0});
    ASSERT_TRUE(copySelection(ctx));
    EXPECT_EQ(pasteClipboard(ctx), 2);
    EXPECT_EQ(ctx.currentTrack.blocks.size(), 5u);
    // Track order, one cell along +x, selected together; the block at 31 lands outside.
    EXPECT_EQ(block(3).x, 4);
    EXPECT_EQ(block(4).x, 32);
    EXPECT_EQ(members(), (std::vector<const BlockRecord*>{&block(3), &block(4)}));
    EXPECT_EQ(panels.statusMessages.back(), "1 block landed outside the grid.");
    EXPECT_EQ(far.x, 31);

    // Another environment's catalogue lacks "Triple": that block is left out and said.
    ctx.catalog.currentEnvironment = 1;
    ctx.catalog.catalogs[1].entries = {ctx.catalog.catalogs[0].entries[0]};
    EXPECT_EQ(duplicateSelection(ctx), 1);
    EXPECT_EQ(panels.statusMessages.back(), "1 block left out: this environment has no such kind.");
    ctx.currentTrack.uid = "other";
    EXPECT_EQ(pasteClipboard(ctx), 1);
    EXPECT_EQ(block(6).catalogIndex, 1u);
    EXPECT_EQ(ctx.history.undoName(), "Paste 1 block");
}

} // namespace
