#include "edit/area_blocks.h"
#include "edit/placing.h"
#include "edit_fixture.h"

namespace {

class PlacingTest : public EditTest {
  protected:
    PlacingTest() {
        // The Stadium's grid of 32 cells, with the fixture's kinds.
        ctx.catalog.catalogs[kStadium] = ctx.catalog.catalogs[0];
        ctx.catalog.currentEnvironment = kStadium;
    }

    BlockClipboard::Entry entry(int x, int y, int z, const char* kind) {
        BlockRecord record;
        record.x = static_cast<std::int8_t>(x);
        record.y = static_cast<std::int8_t>(y);
        record.z = static_cast<std::int8_t>(z);
        return {record, kind};
    }

    std::vector<GridCell> cellsOf(const std::vector<BlockRecord>& blocks) {
        std::vector<GridCell> cells;
        for (const BlockRecord& record : blocks)
            for (int i = 0; i < footprintUnitCount(ctx.catalog, record); ++i)
                cells.push_back(*footprintCell(ctx.catalog, record, i));
        return cells;
    }
};

TEST_F(PlacingTest, AGroupKeepsItsKnownKindsAroundTheMiddleOfItsBottomAndTurnsInPlace) {
    BlockClipboard clipboard;
    clipboard.entries = {entry(10, 10, 3, "Double"), entry(12, 10, 4, "Single"),
                         entry(0, 0, 0, "NoSuchKind")};
    PlacingGroup group(ctx.catalog, clipboard, doc.track().uid);
    EXPECT_EQ(group.leftOut(), 1);
    ASSERT_EQ(group.blocks().size(), 2u);
    EXPECT_EQ(group.blocks()[0].catalogIndex, 2u);

    // Cells x 10 to 12 at levels 3 and 4: the handle is x 11 on level 3.
    const GridCell target{20, 5, 1};
    const std::vector<BlockRecord> placed = group.at(target);
    EXPECT_EQ(cellsOf(placed), (std::vector<GridCell>{{19, 5, 1}, {20, 5, 1}, {21, 5, 2}}));

    group.turn(ctx.catalog, 1);
    for (const GridCell& c : cellsOf(group.at(target))) {
        EXPECT_EQ(c.x, target.x);
        EXPECT_LE(std::abs(c.y - target.y), 1);
    }
    for (int i = 0; i < 3; ++i)
        group.turn(ctx.catalog, 1);
    EXPECT_EQ(cellsOf(group.at(target)), cellsOf(placed));
    group.mirror(ctx.catalog, MirrorAxis::X);
    EXPECT_EQ(cellsOf(group.at(target)),
              (std::vector<GridCell>{{20, 5, 1}, {21, 5, 1}, {19, 5, 2}}));
}

TEST_F(PlacingTest, SharedCellsMayBePlacedOnAndCellsPastTheGridMayNot) {
    addBlock(5, 5, 1);
    OccupiedCells occupied;
    occupied.rebuild(doc, ctx.catalog);
    BlockClipboard clipboard;
    clipboard.entries = {entry(0, 0, 0, "Double")};
    const PlacingGroup group(ctx.catalog, clipboard, doc.track().uid);

    const std::vector<BlockRecord> over = group.at({5, 5, 1});
    const PlacingCells shared = placingCells(ctx.catalog, occupied, over);
    EXPECT_EQ(shared.shared, 1);
    EXPECT_EQ(placingMessage(shared), "Shares 1 cell with other blocks: placing is allowed.");
    ASSERT_TRUE(putDown(doc, ctx.catalog, over, "Place"));
    ASSERT_EQ(doc.blocks().size(), 2u);
    EXPECT_EQ(members(), std::vector<const BlockRecord*>{&block(1)});
    EXPECT_EQ(doc.history().undoName(), "Place 1 block");

    const std::vector<BlockRecord> past = group.at({31, 5, 1});
    const PlacingCells outside = placingCells(ctx.catalog, occupied, past);
    EXPECT_EQ(outside.outside, 1);
    EXPECT_EQ(placingMessage(outside), "Cannot place here: 1 cell past the edge of the grid.");
    EXPECT_FALSE(putDown(doc, ctx.catalog, past, "Place"));
    EXPECT_EQ(doc.blocks().size(), 2u);
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.blocks().size(), 1u);
}

} // namespace
