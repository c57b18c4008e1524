#include "edit/area_cells.h"
#include "edit_fixture.h"

namespace {

std::vector<GridCell> cellsOf(const EditorContext& ctx) {
    std::vector<GridCell> cells;
    for (const AreaCell& c : ctx.area.cells)
        cells.push_back(c.cell);
    return cells;
}

using AreaCells = EditTest;

TEST_F(AreaCells, ToggleTwiceRestores) {
    toggleAreaCell(ctx, 3, 4, 5);
    EXPECT_TRUE(areaContains(ctx, 3, 4, 5));
    EXPECT_EQ(ctx.area.count(), 1);
    toggleAreaCell(ctx, 3, 4, 5);
    EXPECT_FALSE(areaContains(ctx, 3, 4, 5));
    EXPECT_EQ(ctx.area.count(), 0);
}

TEST_F(AreaCells, CellsOutsideTheGridAreKeptApart) {
    toggleAreaCell(ctx, -1, 0, 0);
    toggleAreaCell(ctx, 31, 31, 31);
    EXPECT_TRUE(areaContains(ctx, -1, 0, 0));
    EXPECT_TRUE(areaContains(ctx, 255, 0, 0)); // the same signed byte
    EXPECT_FALSE(areaContains(ctx, 31, 0, 0)); // a bit index built from -1 must not alias
    EXPECT_TRUE(areaContains(ctx, 31, 31, 31));
    removeAreaCell(ctx, -1, 0, 0);
    EXPECT_FALSE(areaContains(ctx, -1, 0, 0));
    removeAreaCell(ctx, 9, 9, 9); // not there
    EXPECT_EQ(ctx.area.count(), 1);
}

TEST_F(AreaCells, RemovalKeepsTheOrderOfTheRest) {
    toggleAreaCell(ctx, 1, 0, 0);
    toggleAreaCell(ctx, 2, 0, 0);
    toggleAreaCell(ctx, 3, 0, 0);
    toggleAreaCell(ctx, 2, 0, 0);
    EXPECT_EQ(cellsOf(ctx), (std::vector<GridCell>{{1, 0, 0}, {3, 0, 0}}));
}

TEST_F(AreaCells, BoxInAnEmptyAreaAddsOnlyTheCell) {
    toggleAreaBox(ctx, 4, 5, 6);
    EXPECT_EQ(cellsOf(ctx), (std::vector<GridCell>{{4, 5, 6}}));
}

TEST_F(AreaCells, BoxFromTheLastCell) {
    toggleAreaCell(ctx, 0, 0, 1);
    toggleAreaBox(ctx, 2, 1, 1);
    EXPECT_EQ(ctx.area.count(), 6);
    for (int x = 0; x <= 2; ++x)
        for (int y = 0; y <= 1; ++y)
            EXPECT_TRUE(areaContains(ctx, x, y, 1)) << x << "," << y;
    EXPECT_EQ(ctx.area.cells.back().cell, (GridCell{2, 1, 1}));
    // The last cell is the start corner: the box is one cell, which stays.
    toggleAreaBox(ctx, 2, 1, 1);
    EXPECT_EQ(ctx.area.count(), 6);
    EXPECT_EQ(ctx.area.cells.back().cell, (GridCell{2, 1, 1}));
}

TEST_F(AreaCells, BoxOverCellsInTheAreaTakesThemOut) {
    toggleAreaCell(ctx, 2, 0, 0);
    toggleAreaCell(ctx, 1, 0, 0);
    toggleAreaCell(ctx, 0, 0, 0);
    toggleAreaBox(ctx, 2, 0, 0); // runs from (0, 0, 0) to (2, 0, 0)
    EXPECT_EQ(cellsOf(ctx), (std::vector<GridCell>{{0, 0, 0}}));
}

TEST_F(AreaCells, BoxWithEqualCornersInOneAxisIsOneLayer) {
    toggleAreaCell(ctx, 5, 5, 3);
    toggleAreaBox(ctx, 3, 7, 3);
    EXPECT_EQ(ctx.area.count(), 9);
    for (const AreaCell& c : ctx.area.cells)
        EXPECT_EQ(c.cell.z, 3);
    EXPECT_EQ(ctx.area.cells.back().cell, (GridCell{3, 7, 3}));
}

TEST_F(AreaCells, BoxAtTheEdgeOfTheByteRangeEnds) {
    toggleAreaCell(ctx, 125, 0, 0);
    toggleAreaBox(ctx, 127, 0, 0);
    EXPECT_EQ(ctx.area.count(), 3);
    toggleAreaCell(ctx, -126, 1, 0);
    toggleAreaBox(ctx, -128, 1, 0);
    EXPECT_EQ(ctx.area.count(), 6);
}

TEST_F(AreaCells, ClearEmptiesAndRefreshesTheCounts) {
    toggleAreaCell(ctx, 1, 1, 1);
    toggleAreaCell(ctx, -5, 1, 1);
    clearArea(ctx);
    EXPECT_EQ(ctx.area.count(), 0);
    EXPECT_FALSE(areaContains(ctx, 1, 1, 1));
    EXPECT_FALSE(areaContains(ctx, -5, 1, 1));
    EXPECT_EQ(panels.areaCountCalls, 1);
}

TEST_F(AreaCells, CopiedAreaOwnsItsNodes) {
    toggleAreaCell(ctx, 1, 1, 1);
    toggleAreaCell(ctx, 2, 1, 1);
    EditorContext other;
    other.area = ctx.area;
    clearArea(ctx);
    removeAreaCell(other, 1, 1, 1);
    EXPECT_EQ(cellsOf(other), (std::vector<GridCell>{{2, 1, 1}}));
}

using AreaOutline = EditTest;

TEST_F(AreaOutline, SingleCellIsOpenEverywhere) {
    toggleAreaCell(ctx, 0, 0, 0);
    updateAreaOutline(ctx);
    const AreaCell& c = ctx.area.cells.front();
    for (bool flag : {c.openTop, c.openBottom, c.openXMinus, c.openXPlus, c.openYMinus, c.openYPlus,
                      c.edgeBottomYMinus, c.edgeBottomXPlus, c.edgeBottomYPlus, c.edgeBottomXMinus,
                      c.edgeXMinusYMinus, c.edgeXPlusYMinus, c.edgeXMinusYPlus, c.edgeXPlusYPlus,
                      c.edgeTopYMinus, c.edgeTopXPlus, c.edgeTopYPlus, c.edgeTopXMinus})
        EXPECT_TRUE(flag);
}

TEST_F(AreaOutline, StackedCellsShareAClosedFace) {
    toggleAreaCell(ctx, 4, 4, 2);
    toggleAreaCell(ctx, 4, 4, 3);
    updateAreaOutline(ctx);
    const AreaCell& lower = ctx.area.cells.front();
    const AreaCell& upper = ctx.area.cells.back();
    EXPECT_FALSE(lower.openTop);
    EXPECT_TRUE(lower.openBottom);
    EXPECT_FALSE(lower.edgeTopYMinus || lower.edgeTopXPlus || lower.edgeTopYPlus ||
                 lower.edgeTopXMinus);
    EXPECT_TRUE(lower.edgeBottomYMinus && lower.edgeBottomXPlus && lower.edgeBottomYPlus &&
                lower.edgeBottomXMinus);
    EXPECT_TRUE(upper.openTop);
    EXPECT_FALSE(upper.openBottom);
    EXPECT_FALSE(upper.edgeBottomYMinus || upper.edgeBottomXPlus || upper.edgeBottomYPlus ||
                 upper.edgeBottomXMinus);
    EXPECT_TRUE(upper.edgeTopYMinus && upper.edgeTopXPlus);
    EXPECT_TRUE(lower.edgeXMinusYMinus && upper.edgeXPlusYPlus);
}

TEST_F(AreaOutline, SideNeighboursCloseTheirFaces) {
    toggleAreaCell(ctx, 0, 0, 0);
    toggleAreaCell(ctx, 1, 0, 0);
    toggleAreaCell(ctx, 0, 1, 0);
    updateAreaOutline(ctx);
    const AreaCell& corner = ctx.area.cells.front();
    EXPECT_FALSE(corner.openXPlus);
    EXPECT_FALSE(corner.openYPlus);
    EXPECT_TRUE(corner.openXMinus);
    EXPECT_TRUE(corner.openYMinus);
    EXPECT_TRUE(corner.edgeXMinusYMinus);
    EXPECT_FALSE(corner.edgeXPlusYMinus);
    EXPECT_FALSE(corner.edgeXMinusYPlus);
    EXPECT_FALSE(corner.edgeXPlusYPlus);
    EXPECT_FALSE(corner.edgeBottomXPlus);
    EXPECT_TRUE(corner.edgeBottomXMinus);
}

} // namespace
