#include <gtest/gtest.h>

#include "edit/area_blocks.h"
#include "edit/area_cells.h"
#include "edit/block_edits.h"
#include "edit/block_placing.h"
#include "edit/edit_step.h"
#include "edit_fixture.h"

namespace {

class History : public EditTest {
  protected:
    std::vector<const BlockRecord*> order() const {
        std::vector<const BlockRecord*> records;
        for (const BlockRecord& record : doc.blocks())
            records.push_back(&record);
        return records;
    }
    void select(std::initializer_list<int> positions) {
        doc.clearSelection();
        for (int position : positions)
            doc.select(&block(position), true);
    }
};

TEST_F(History, UndoPutsBackRecordsOrderFlagsAndSelectionAtTheSameAddresses) {
    for (int i = 0; i < 6; ++i)
        addBlock(i, 0, 1, 1, 0, i == 2 ? BLOCK_HIDDEN : 0);
    const std::vector<const BlockRecord*> original = order();
    select({4, 1, 2});
    moveSelection(doc, 1, 2, 3);
    deleteSelection(doc);
    EXPECT_EQ(doc.blocks().size(), 3u);
    EXPECT_EQ(countedBlocks(doc.track()), 3u);
    EXPECT_EQ(doc.history().undoName(), "Delete 3 blocks");

    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(order(), original);
    EXPECT_EQ(countedBlocks(doc.track()), 6u);
    EXPECT_EQ(members(), (std::vector<const BlockRecord*>{&block(4), &block(1), &block(2)}));
    EXPECT_TRUE(block(2).flags & BLOCK_HIDDEN);
    EXPECT_EQ(block(4).x, 5);
    expectSelectionInStep();
    EXPECT_EQ(doc.history().undoName(), "Move 3 blocks");
    EXPECT_EQ(doc.history().redoName(), "Delete 3 blocks");

    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(block(4).x, 4);
    EXPECT_EQ(block(4).z, 1);
    EXPECT_FALSE(doc.undo());

    ASSERT_TRUE(doc.redo());
    ASSERT_TRUE(doc.redo());
    EXPECT_FALSE(doc.redo());
    EXPECT_EQ(order(), (std::vector<const BlockRecord*>{original[0], original[3], original[5]}));
    EXPECT_EQ(doc.selection().count(), 0);
    EXPECT_EQ(list.shown, nullptr);
    expectSelectionInStep();
}

TEST_F(History, EditsThatChangeNothingAreNoSteps) {
    addBlock(0, 0);
    moveSelection(doc, 1, 0, 0); // nothing selected
    select({0});
    hideSelection(doc);
    hideSelection(doc); // already hidden
    rotateSelection(doc, 4);
    EXPECT_EQ(doc.history().stepCount(), 1u);
    EXPECT_EQ(doc.history().undoName(), "Hide 1 block");
}

TEST_F(History, ModifiedFollowsTheSavedState) {
    addBlock(0, 0);
    select({0});
    EXPECT_FALSE(doc.modified());
    moveSelection(doc, 1, 0, 0);
    const std::uint64_t serial = doc.history().changeSerial();
    EXPECT_TRUE(doc.modified());
    doc.undo();
    EXPECT_FALSE(doc.modified());
    doc.redo();
    doc.noteSaved();
    EXPECT_FALSE(doc.modified());
    doc.undo();
    EXPECT_TRUE(doc.modified());
    EXPECT_EQ(doc.history().changeSerial(), serial + 3);
    // A new step where the saved one was undone: the saved state is out of reach.
    moveSelection(doc, 1, 0, 0);
    EXPECT_TRUE(doc.modified());
    // The track taken again (a reload) starts a new history.
    Track track = doc.releaseTrack();
    doc.replaceTrack(std::move(track), doc.envelope(), doc.path());
    EXPECT_FALSE(doc.modified());
    EXPECT_FALSE(doc.history().canUndo());
}

TEST_F(History, TheMemoryCapDropsTheOldestStepsAndSaysSo) {
    for (int i = 0; i < 100; ++i)
        addBlock(i % 32, 0);
    doc.invertSelection();
    moveSelection(doc, 1, 0, 0);
    const std::size_t oneStep = doc.history().memoryUsed();
    doc.setHistoryCap(oneStep * 3);
    list.heardChanges.clear();
    for (int i = 0; i < 5; ++i)
        moveSelection(doc, 1, 0, 0);
    EXPECT_EQ(doc.history().stepCount(), 3u);
    EXPECT_LE(doc.history().memoryUsed(), doc.history().memoryCap());
    // Each of the last three moves dropped the oldest step and said so.
    ASSERT_EQ(list.heardChanges.size(), 5u);
    std::vector<std::size_t> dropped;
    for (const DocumentChange& change : list.heardChanges)
        dropped.push_back(change.droppedSteps);
    EXPECT_EQ(dropped, (std::vector<std::size_t>{0, 0, 1, 1, 1}));
    while (doc.undo()) {
    }
    EXPECT_EQ(block(0).x, 3);    // three of the six moves are still there to undo
    EXPECT_TRUE(doc.modified()); // the saved state went with the dropped steps
}

TEST_F(History, AreaStepsUndoToTheSelectionBeforeThem) {
    addBlock(0, 0);
    addBlock(5, 5);
    addBlock(6, 6);
    select({2});
    Area area;
    toggleAreaCell(area, 0, 0, 1);
    toggleAreaCell(area, 5, 5, 1);
    deleteBlocksInArea(doc, ctx.catalog, area);
    EXPECT_EQ(doc.blocks().size(), 1u);
    doc.undo();
    EXPECT_EQ(doc.blocks().size(), 3u);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&block(2)});
    EXPECT_EQ(fillArea(doc, ctx.catalog, area, 2), 2);
    EXPECT_EQ(doc.history().undoName(), "Fill area with 2 blocks");
    doc.undo();
    EXPECT_EQ(doc.blocks().size(), 3u);
    EXPECT_EQ(countedBlocks(doc.track()), 3u);
    expectSelectionInStep();
}

TEST_F(History, PlaceGoesBesideTheSelectionAndPasteOneCellAlong) {
    addBlock(3, 4, 2);
    const BlockRecord& far = addBlock(31, 9, 2, 3);
    select({0});
    const BlockRecord* placed = placeBlock(doc, ctx.catalog, 2, GridCell{7, 7, 7});
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->x, 4);
    EXPECT_EQ(placed->y, 4);
    EXPECT_EQ(placed->z, 2);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{placed});
    EXPECT_EQ(placeBlock(doc, ctx.catalog, 9, {}), nullptr); // not in the catalogue
    doc.clearSelection();
    const BlockRecord* atFallback = placeBlock(doc, ctx.catalog, 1, GridCell{7, 8, 9});
    ASSERT_NE(atFallback, nullptr);
    EXPECT_EQ(std::tuple(int(atFallback->x), int(atFallback->y), int(atFallback->z)),
              std::tuple(7, 8, 9));
    doc.undo();

    select({1, 0});
    const BlockClipboard clipboard = copySelection(doc, ctx.catalog);
    ASSERT_EQ(clipboard.entries.size(), 2u);
    PasteResult pasted = pasteClipboard(doc, ctx.catalog, clipboard);
    EXPECT_EQ(pasted.added, 2);
    EXPECT_EQ(doc.blocks().size(), 5u);
    // Track order, one cell along +x, selected together; the block at 31 lands outside.
    EXPECT_EQ(block(3).x, 4);
    EXPECT_EQ(block(4).x, 32);
    EXPECT_EQ(members(), (std::vector<const BlockRecord*>{&block(3), &block(4)}));
    EXPECT_EQ(pasted.message, "1 block landed outside the grid.");
    EXPECT_EQ(far.x, 31);

    // Another environment's catalogue lacks "Triple": that block is left out and said.
    ctx.catalog.currentEnvironment = 1;
    ctx.catalog.catalogs[1].entries = {ctx.catalog.catalogs[0].entries[0]};
    pasted = duplicateSelection(doc, ctx.catalog);
    EXPECT_EQ(pasted.added, 1);
    EXPECT_EQ(pasted.message, "1 block left out: this environment has no such kind.");
    BlockClipboard fromOtherTrack = clipboard;
    fromOtherTrack.trackUid = "other";
    EXPECT_EQ(pasteClipboard(doc, ctx.catalog, fromOtherTrack).added, 1);
    EXPECT_EQ(block(6).catalogIndex, 1u);
    EXPECT_EQ(doc.history().undoName(), "Paste 1 block");
    EXPECT_EQ(copySelection(doc, ctx.catalog).entries.size(), 1u);
    doc.clearSelection();
    EXPECT_TRUE(copySelection(doc, ctx.catalog).entries.empty());
}

} // namespace
