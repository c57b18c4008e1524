#include "edit/area_blocks.h"
#include "edit/area_cells.h"
#include "edit/block_list_index.h"
#include "edit/selection_ops.h"
#include "edit_fixture.h"

namespace {

using Footprint = EditTest;

std::vector<GridCell> footprint(const EditorContext& ctx, const BlockRecord& record) {
    std::vector<GridCell> cells;
    for (int i = 0; i < footprintUnitCount(ctx, record); ++i)
        cells.push_back(*footprintCell(ctx, record, i));
    return cells;
}

TEST_F(Footprint, TwoUnitBlockAtEachRotation) {
    BlockRecord& b = addBlock(5, 5, 1, 2);
    const std::vector<GridCell> alongX{{5, 5, 1}, {6, 5, 1}};
    const std::vector<GridCell> alongY{{5, 5, 1}, {5, 6, 1}};
    // spanX 1, spanY 0: rotation 1 gives (0 - 0, 0) and (0 - 0, 1).
    b.rotation = 0;
    EXPECT_EQ(footprint(ctx, b), alongX);
    b.rotation = 1;
    EXPECT_EQ(footprint(ctx, b), alongY);
    b.rotation = 2;
    EXPECT_EQ(footprint(ctx, b), (std::vector<GridCell>{{6, 5, 1}, {5, 5, 1}}));
    b.rotation = 3;
    EXPECT_EQ(footprint(ctx, b), (std::vector<GridCell>{{5, 6, 1}, {5, 5, 1}}));
}

TEST_F(Footprint, RotationOutsideTheRangeUsesItsLowBits) {
    BlockRecord& b = addBlock(5, 5, 1, 2);
    b.rotation = 5;
    EXPECT_EQ(footprint(ctx, b), (std::vector<GridCell>{{5, 5, 1}, {5, 6, 1}}));
    b.rotation = 255;
    EXPECT_EQ(footprint(ctx, b), (std::vector<GridCell>{{5, 6, 1}, {5, 5, 1}}));
}

TEST_F(Footprint, KindMissingFromTheCatalogueIsOneUnitAtItsCell) {
    BlockRecord& unknown = addBlock(9, 8, 7, 0, 2);
    BlockRecord& beyond = addBlock(1, 2, 3, 200, 1);
    EXPECT_EQ(footprint(ctx, unknown), (std::vector<GridCell>{{9, 8, 7}}));
    EXPECT_EQ(footprint(ctx, beyond), (std::vector<GridCell>{{1, 2, 3}}));
    EXPECT_FALSE(footprintCell(ctx, unknown, 1));
}

using AreaBlocks = EditTest;

TEST_F(AreaBlocks, ABlockIsCountedOnceHiddenOrNot) {
    addBlock(0, 0, 1, 3);   // units at x 0, 1, 2
    addBlock(20, 20, 1, 1); // outside
    BlockRecord& hidden = addBlock(1, 0, 1, 1);
    hidden.flags |= BLOCK_HIDDEN;
    addBlock(5, 5, 1, 0); // unknown kind in its own cell
    toggleAreaCell(ctx, 1, 0, 1);
    toggleAreaCell(ctx, 2, 0, 1);
    toggleAreaCell(ctx, 5, 5, 1);
    EXPECT_EQ(countBlocksInArea(ctx), 3);
    clearArea(ctx);
    EXPECT_EQ(countBlocksInArea(ctx), 0);
}

TEST_F(AreaBlocks, KindWithoutUnitsNeverQualifies) {
    ctx.catalog.catalogs[0].entries[0].units.clear();
    addBlock(0, 0, 1, 1);
    toggleAreaCell(ctx, 0, 0, 1);
    EXPECT_EQ(countBlocksInArea(ctx), 0);
}

TEST_F(AreaBlocks, SelectReplacesTheSelectionInTrackOrder) {
    BlockRecord& outside = addBlock(9, 9);
    BlockRecord& a = addBlock(1, 1);
    BlockRecord& b = addBlock(2, 1);
    selectBlock(ctx, &outside, true);
    toggleAreaCell(ctx, 2, 1, 1);
    toggleAreaCell(ctx, 1, 1, 1);
    int propertiesBefore = panels.propertiesCalls;
    selectBlocksInArea(ctx);
    EXPECT_EQ(panels.propertiesCalls, propertiesBefore + 1);
    EXPECT_EQ(panels.refills, 0);
    EXPECT_EQ(members(), (std::vector<const BlockRecord*>{&a, &b}));
    EXPECT_EQ(panels.markedLines(), (std::vector<int>{1, 2}));
    EXPECT_EQ(panels.shown, nullptr);
    expectSelectionInStep();
    removeAreaCell(ctx, 2, 1, 1);
    selectBlocksInArea(ctx);
    EXPECT_EQ(panels.shown, &a);
}

TEST_F(AreaBlocks, HiddenBlocksStaySelectedAndCounted) {
    BlockRecord& a = addBlock(1, 1);
    addBlock(9, 9);
    toggleAreaCell(ctx, 1, 1, 1);
    hideBlocksInArea(ctx);
    EXPECT_TRUE(a.flags & BLOCK_HIDDEN);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&a});
    EXPECT_EQ(countBlocksInArea(ctx), 1);
    EXPECT_EQ(panels.markedLines(), std::vector<int>{0});
}

TEST_F(AreaBlocks, DeleteRemovesTheBlocksInTheArea) {
    addBlock(1, 1);
    BlockRecord& keep = addBlock(9, 9);
    addBlock(0, 1, 1, 2); // its second unit is in the area
    BlockRecord& other = addBlock(3, 3);
    selectBlock(ctx, &other, true);
    toggleAreaCell(ctx, 1, 1, 1);
    deleteBlocksInArea(ctx);
    ASSERT_EQ(ctx.currentTrack.blocks.size(), 2u);
    EXPECT_EQ(&block(0), &keep);
    EXPECT_EQ(&block(1), &other);
    EXPECT_EQ(countedBlocks(ctx.currentTrack), 2u);
    EXPECT_EQ(ctx.selection.count(), 0);
    EXPECT_FALSE(other.flags & BLOCK_SELECTED);
    EXPECT_EQ(panels.refills, 1);
    EXPECT_EQ(countBlocksInArea(ctx), 0);
}

using Filling = EditTest;

TEST_F(Filling, OneBlockPerCellInCellOrderWithItsModel) {
    BlockRecord& old = addBlock(0, 0);
    selectBlock(ctx, &old, true);
    toggleAreaCell(ctx, 3, 2, 1);
    toggleAreaCell(ctx, 1, 2, 1);
    EXPECT_EQ(fillArea(ctx, 2), 2);
    ASSERT_EQ(ctx.currentTrack.blocks.size(), 3u);
    EXPECT_EQ(countedBlocks(ctx.currentTrack), 3u);
    const BlockRecord& first = block(1);
    EXPECT_EQ(std::tuple(int(first.x), int(first.y), int(first.z)), std::tuple(3, 2, 1));
    EXPECT_EQ(block(2).x, 1);
    for (const BlockRecord* made : {&block(1), &block(2)}) {
        EXPECT_EQ(made->catalogIndex, 2u);
        EXPECT_EQ(made->rotation, 0);
        EXPECT_EQ(made->variant, (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
        EXPECT_EQ(made->modelList, 7);
    }
    EXPECT_EQ(resolver.resolved, (std::vector<const BlockRecord*>{&block(1), &block(2)}));
    EXPECT_EQ(panels.refills, 1);
    EXPECT_EQ(panels.markedLines(), std::vector<int>{0});
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&old});
    EXPECT_EQ(ctx.area.count(), 2);
    EXPECT_EQ(blockListIndex(ctx, &block(2)), 2);
    EXPECT_TRUE(ctx.viewChanged);
}

TEST_F(Filling, NothingForNoChoiceOrAnUnknownKind) {
    toggleAreaCell(ctx, 1, 1, 1);
    EXPECT_EQ(fillArea(ctx, 0), 0);
    EXPECT_EQ(fillArea(ctx, 4), 0); // the catalogue has three kinds
    EXPECT_EQ(fillArea(ctx, 309), 0);
    EXPECT_TRUE(ctx.currentTrack.blocks.empty());
    EXPECT_EQ(panels.refills, 0);
}

using AreaClick = EditTest;

TEST_F(AreaClick, TogglesTheCursorCellAndRedraws) {
    ctx.areaEditState = 1;
    ctx.areaCursor = {4, 6};
    ctx.cursorLevel = 2;
    areaClick(ctx);
    EXPECT_TRUE(areaContains(ctx, 4, 6, 2));
    EXPECT_TRUE(ctx.area.cells.front().openTop); // outline updated
    EXPECT_EQ(panels.areaCountCalls, 1);
    EXPECT_EQ(view.renders, std::vector<bool>{true});
    areaClick(ctx);
    EXPECT_EQ(ctx.area.count(), 0);
}

TEST_F(AreaClick, WithFTogglesABox) {
    ctx.areaCursor = {0, 0};
    ctx.cursorLevel = 1;
    areaClick(ctx);
    ctx.fKeyDown = true;
    ctx.areaCursor = {2, 1};
    areaClick(ctx);
    EXPECT_EQ(ctx.area.count(), 6);
    EXPECT_EQ(ctx.area.cells.back().cell, (GridCell{2, 1, 1}));
    const AreaCell& corner = ctx.area.cells.back();
    EXPECT_FALSE(corner.openXMinus);
    EXPECT_TRUE(corner.openXPlus);
}

TEST_F(AreaClick, OffThePlaneIsIgnored) {
    for (AreaCursor cursor : {AreaCursor{-1, 3}, AreaCursor{3, -1}, AreaCursor{-1, -1}}) {
        ctx.areaCursor = cursor;
        areaClick(ctx);
    }
    EXPECT_EQ(ctx.area.count(), 0);
    EXPECT_TRUE(view.renders.empty());
    EXPECT_EQ(panels.areaCountCalls, 0);
}

} // namespace
