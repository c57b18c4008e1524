#include "edit/area_blocks.h"
#include "edit/area_cells.h"
#include "edit_fixture.h"

namespace {

class Footprint : public EditTest {
  protected:
    // A record of its own: the footprint reads the record and the catalogue only.
    static BlockRecord placed(int x, int y, int z, std::uint32_t kind, std::uint8_t rotation) {
        return recordAt(x, y, z, kind, rotation);
    }
    std::vector<GridCell> footprint(const BlockRecord& record) const {
        std::vector<GridCell> cells;
        for (int i = 0; i < footprintUnitCount(ctx.catalog, record); ++i)
            cells.push_back(*footprintCell(ctx.catalog, record, i));
        return cells;
    }
};

TEST_F(Footprint, TwoUnitBlockAtEachRotation) {
    // spanX 1, spanY 0: rotation 1 gives (0 - 0, 0) and (0 - 0, 1).
    EXPECT_EQ(footprint(placed(5, 5, 1, 2, 0)), (std::vector<GridCell>{{5, 5, 1}, {6, 5, 1}}));
    EXPECT_EQ(footprint(placed(5, 5, 1, 2, 1)), (std::vector<GridCell>{{5, 5, 1}, {5, 6, 1}}));
    EXPECT_EQ(footprint(placed(5, 5, 1, 2, 2)), (std::vector<GridCell>{{6, 5, 1}, {5, 5, 1}}));
    EXPECT_EQ(footprint(placed(5, 5, 1, 2, 3)), (std::vector<GridCell>{{5, 6, 1}, {5, 5, 1}}));
}

TEST_F(Footprint, RotationOutsideTheRangeUsesItsLowBits) {
    EXPECT_EQ(footprint(placed(5, 5, 1, 2, 5)), (std::vector<GridCell>{{5, 5, 1}, {5, 6, 1}}));
    EXPECT_EQ(footprint(placed(5, 5, 1, 2, 255)), (std::vector<GridCell>{{5, 6, 1}, {5, 5, 1}}));
}

TEST_F(Footprint, KindMissingFromTheCatalogueIsOneUnitAtItsCell) {
    const BlockRecord unknown = placed(9, 8, 7, 0, 2);
    const BlockRecord beyond = placed(1, 2, 3, 200, 1);
    EXPECT_EQ(footprint(unknown), (std::vector<GridCell>{{9, 8, 7}}));
    EXPECT_EQ(footprint(beyond), (std::vector<GridCell>{{1, 2, 3}}));
    EXPECT_FALSE(footprintCell(ctx.catalog, unknown, 1));
}

class AreaBlocks : public EditTest {
  protected:
    Area area;
    int count() const { return countBlocksInArea(doc, ctx.catalog, area); }
};

TEST_F(AreaBlocks, ABlockIsCountedOnceHiddenOrNot) {
    addBlock(0, 0, 1, 3);   // units at x 0, 1, 2
    addBlock(20, 20, 1, 1); // outside
    addBlock(1, 0, 1, 1, 0, BLOCK_HIDDEN);
    addBlock(5, 5, 1, 0); // unknown kind in its own cell
    toggleAreaCell(area, 1, 0, 1);
    toggleAreaCell(area, 2, 0, 1);
    toggleAreaCell(area, 5, 5, 1);
    EXPECT_EQ(count(), 3);
    clearArea(area);
    EXPECT_EQ(count(), 0);
}

TEST_F(AreaBlocks, KindWithoutUnitsNeverQualifies) {
    ctx.catalog.catalogs[0].entries[0].units.clear();
    addBlock(0, 0, 1, 1);
    toggleAreaCell(area, 0, 0, 1);
    EXPECT_EQ(count(), 0);
}

TEST_F(AreaBlocks, SelectReplacesTheSelectionInTrackOrder) {
    const BlockRecord& outside = addBlock(9, 9);
    const BlockRecord& a = addBlock(1, 1);
    const BlockRecord& b = addBlock(2, 1);
    doc.select(&outside, true);
    toggleAreaCell(area, 2, 1, 1);
    toggleAreaCell(area, 1, 1, 1);
    list.heardChanges.clear();
    const int refills = list.refills;
    selectBlocksInArea(doc, ctx.catalog, area);
    EXPECT_EQ(list.heardChanges.size(), 1u);
    EXPECT_EQ(list.refills, refills);
    EXPECT_EQ(members(), (std::vector<const BlockRecord*>{&a, &b}));
    EXPECT_EQ(list.markedLines(), (std::vector<int>{1, 2}));
    EXPECT_EQ(list.shown, nullptr);
    expectSelectionInStep();
    removeAreaCell(area, 2, 1, 1);
    selectBlocksInArea(doc, ctx.catalog, area);
    EXPECT_EQ(list.shown, &a);
}

TEST_F(AreaBlocks, HiddenBlocksStaySelectedAndCounted) {
    const BlockRecord& a = addBlock(1, 1);
    addBlock(9, 9);
    toggleAreaCell(area, 1, 1, 1);
    hideBlocksInArea(doc, ctx.catalog, area);
    EXPECT_TRUE(a.flags & BLOCK_HIDDEN);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&a});
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(list.markedLines(), std::vector<int>{0});
}

TEST_F(AreaBlocks, DeleteRemovesTheBlocksInTheArea) {
    addBlock(1, 1);
    const BlockRecord& keep = addBlock(9, 9);
    addBlock(0, 1, 1, 2); // its second unit is in the area
    const BlockRecord& other = addBlock(3, 3);
    doc.select(&other, true);
    toggleAreaCell(area, 1, 1, 1);
    const int refills = list.refills;
    deleteBlocksInArea(doc, ctx.catalog, area);
    ASSERT_EQ(doc.blocks().size(), 2u);
    EXPECT_EQ(&block(0), &keep);
    EXPECT_EQ(&block(1), &other);
    EXPECT_EQ(countedBlocks(doc.track()), 2u);
    EXPECT_EQ(doc.selection().count(), 0);
    EXPECT_FALSE(Selection::contains(other));
    EXPECT_EQ(list.refills, refills + 1);
    EXPECT_EQ(count(), 0);
}

using Filling = AreaBlocks;

TEST_F(Filling, OneBlockPerCellInCellOrder) {
    const BlockRecord& old = addBlock(0, 0);
    doc.select(&old, true);
    toggleAreaCell(area, 3, 2, 1);
    toggleAreaCell(area, 1, 2, 1);
    list.heardChanges.clear();
    EXPECT_EQ(fillArea(doc, ctx.catalog, area, 2), 2);
    ASSERT_EQ(doc.blocks().size(), 3u);
    EXPECT_EQ(countedBlocks(doc.track()), 3u);
    const BlockRecord& first = block(1);
    EXPECT_EQ(std::tuple(int(first.x), int(first.y), int(first.z)), std::tuple(3, 2, 1));
    EXPECT_EQ(block(2).x, 1);
    for (const BlockRecord* made : {&block(1), &block(2)}) {
        EXPECT_EQ(made->catalogIndex, 2u);
        EXPECT_EQ(made->rotation, 0);
        EXPECT_EQ(made->variant, (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
    }
    // One change names the new blocks in list order, for whoever gives them their models.
    ASSERT_EQ(list.heardChanges.size(), 1u);
    EXPECT_EQ(list.heardChanges[0].added, (std::vector<const BlockRecord*>{&block(1), &block(2)}));
    EXPECT_EQ(list.markedLines(), std::vector<int>{0});
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&old});
    EXPECT_EQ(area.count(), 2);
    EXPECT_EQ(doc.lineOf(&block(2)), 2);
}

TEST_F(Filling, NothingForNoChoiceOrAnUnknownKind) {
    toggleAreaCell(area, 1, 1, 1);
    list.heardChanges.clear();
    EXPECT_EQ(fillArea(doc, ctx.catalog, area, 0), 0);
    EXPECT_EQ(fillArea(doc, ctx.catalog, area, 4), 0); // the catalogue has three kinds
    EXPECT_EQ(fillArea(doc, ctx.catalog, area, 309), 0);
    EXPECT_TRUE(doc.blocks().empty());
    EXPECT_TRUE(list.heardChanges.empty());
}

class AreaClick : public EditTest {
  protected:
    AreaEditor& editor = ctx.areaEditor;
    std::vector<AreaEditor::Change> heard;
    AreaClick() {
        editor.addListener([this](AreaEditor::Change change) { heard.push_back(change); });
    }
    int cellChanges() const {
        return static_cast<int>(std::count(heard.begin(), heard.end(), AreaEditor::Change::Cells));
    }
};

TEST_F(AreaClick, TogglesTheCursorCellAndSaysSo) {
    editor.setEditing(true);
    editor.setCursor({4, 6});
    editor.setLevel(2);
    EXPECT_TRUE(editor.clickAtCursor(false));
    EXPECT_TRUE(areaContains(editor.area(), 4, 6, 2));
    EXPECT_TRUE(editor.area().cells.front().openTop); // outline updated
    EXPECT_EQ(cellChanges(), 1);
    editor.clickAtCursor(false);
    EXPECT_EQ(editor.area().count(), 0);
    EXPECT_EQ(cellChanges(), 2);
    editor.clickAtCursor(false);
    editor.clear();
    EXPECT_EQ(editor.area().count(), 0);
    EXPECT_EQ(cellChanges(), 4);
}

TEST_F(AreaClick, WithBoxTogglesABox) {
    editor.setCursor({0, 0});
    editor.setLevel(1);
    editor.clickAtCursor(false);
    editor.setCursor({2, 1});
    editor.clickAtCursor(true);
    EXPECT_EQ(editor.area().count(), 6);
    EXPECT_EQ(editor.area().cells.back().cell, (GridCell{2, 1, 1}));
    const AreaCell& corner = editor.area().cells.back();
    EXPECT_FALSE(corner.openXMinus);
    EXPECT_TRUE(corner.openXPlus);
}

TEST_F(AreaClick, OffThePlaneIsIgnored) {
    for (AreaCursor cursor : {AreaCursor{-1, 3}, AreaCursor{3, -1}, AreaCursor{-1, -1}}) {
        editor.setCursor(cursor);
        EXPECT_FALSE(editor.clickAtCursor(false));
    }
    EXPECT_EQ(editor.area().count(), 0);
    EXPECT_EQ(cellChanges(), 0);
}

} // namespace
