#include <gtest/gtest.h>

#include "edit/area_cells.h"

namespace {

std::vector<GridCell> cellsOf(const Area& area) {
    std::vector<GridCell> cells;
    for (const AreaCell& c : area.cells)
        cells.push_back(c.cell);
    return cells;
}

class AreaCells : public ::testing::Test {
  protected:
    Area area;
};

TEST_F(AreaCells, ToggleTwiceRestores) {
    toggleAreaCell(area, 3, 4, 5);
    EXPECT_TRUE(areaContains(area, 3, 4, 5));
    EXPECT_EQ(area.count(), 1);
    toggleAreaCell(area, 3, 4, 5);
    EXPECT_FALSE(areaContains(area, 3, 4, 5));
    EXPECT_EQ(area.count(), 0);
}

TEST_F(AreaCells, CellsOutsideTheGridAreKeptApart) {
    toggleAreaCell(area, -1, 0, 0);
    toggleAreaCell(area, 31, 31, 31);
    EXPECT_TRUE(areaContains(area, -1, 0, 0));
    EXPECT_TRUE(areaContains(area, 255, 0, 0)); // the same signed byte
    EXPECT_FALSE(areaContains(area, 31, 0, 0)); // a bit index built from -1 must not alias
    EXPECT_TRUE(areaContains(area, 31, 31, 31));
    removeAreaCell(area, -1, 0, 0);
    EXPECT_FALSE(areaContains(area, -1, 0, 0));
    removeAreaCell(area, 9, 9, 9); // not there
    EXPECT_EQ(area.count(), 1);
}

TEST_F(AreaCells, RemovalKeepsTheOrderOfTheRest) {
    toggleAreaCell(area, 1, 0, 0);
    toggleAreaCell(area, 2, 0, 0);
    toggleAreaCell(area, 3, 0, 0);
    toggleAreaCell(area, 2, 0, 0);
    EXPECT_EQ(cellsOf(area), (std::vector<GridCell>{{1, 0, 0}, {3, 0, 0}}));
}

TEST_F(AreaCells, BoxInAnEmptyAreaAddsOnlyTheCell) {
    toggleAreaBox(area, 4, 5, 6);
    EXPECT_EQ(cellsOf(area), (std::vector<GridCell>{{4, 5, 6}}));
}

TEST_F(AreaCells, BoxFromTheLastCell) {
    toggleAreaCell(area, 0, 0, 1);
    toggleAreaBox(area, 2, 1, 1);
    EXPECT_EQ(area.count(), 6);
    for (int x = 0; x <= 2; ++x)
        for (int y = 0; y <= 1; ++y)
            EXPECT_TRUE(areaContains(area, x, y, 1)) << x << "," << y;
    EXPECT_EQ(area.cells.back().cell, (GridCell{2, 1, 1}));
    // The last cell is the start corner: the box is one cell, which stays.
    toggleAreaBox(area, 2, 1, 1);
    EXPECT_EQ(area.count(), 6);
    EXPECT_EQ(area.cells.back().cell, (GridCell{2, 1, 1}));
}

TEST_F(AreaCells, BoxOverCellsInTheAreaTakesThemOut) {
    toggleAreaCell(area, 2, 0, 0);
    toggleAreaCell(area, 1, 0, 0);
    toggleAreaCell(area, 0, 0, 0);
    toggleAreaBox(area, 2, 0, 0); // runs from (0, 0, 0) to (2, 0, 0)
    EXPECT_EQ(cellsOf(area), (std::vector<GridCell>{{0, 0, 0}}));
}

TEST_F(AreaCells, BoxWithEqualCornersInOneAxisIsOneLayer) {
    toggleAreaCell(area, 5, 5, 3);
    toggleAreaBox(area, 3, 7, 3);
    EXPECT_EQ(area.count(), 9);
    for (const AreaCell& c : area.cells)
        EXPECT_EQ(c.cell.z, 3);
    EXPECT_EQ(area.cells.back().cell, (GridCell{3, 7, 3}));
}

TEST_F(AreaCells, BoxAtTheEdgeOfTheByteRangeEnds) {
    toggleAreaCell(area, 125, 0, 0);
    toggleAreaBox(area, 127, 0, 0);
    EXPECT_EQ(area.count(), 3);
    toggleAreaCell(area, -126, 1, 0);
    toggleAreaBox(area, -128, 1, 0);
    EXPECT_EQ(area.count(), 6);
}

TEST_F(AreaCells, ClearEmptiesInsideAndOutsideTheGrid) {
    toggleAreaCell(area, 1, 1, 1);
    toggleAreaCell(area, -5, 1, 1);
    clearArea(area);
    EXPECT_EQ(area.count(), 0);
    EXPECT_FALSE(areaContains(area, 1, 1, 1));
    EXPECT_FALSE(areaContains(area, -5, 1, 1));
}

TEST_F(AreaCells, CopiedAreaOwnsItsNodes) {
    toggleAreaCell(area, 1, 1, 1);
    toggleAreaCell(area, 2, 1, 1);
    Area other;
    other = area;
    clearArea(area);
    removeAreaCell(other, 1, 1, 1);
    EXPECT_EQ(cellsOf(other), (std::vector<GridCell>{{2, 1, 1}}));
}

using AreaOutline = AreaCells;

TEST_F(AreaOutline, SingleCellIsOpenEverywhere) {
    toggleAreaCell(area, 0, 0, 0);
    updateAreaOutline(area);
    const AreaCell& c = area.cells.front();
    for (bool flag : {c.openTop, c.openBottom, c.openXMinus, c.openXPlus, c.openYMinus, c.openYPlus,
                      c.edgeBottomYMinus, c.edgeBottomXPlus, c.edgeBottomYPlus, c.edgeBottomXMinus,
                      c.edgeXMinusYMinus, c.edgeXPlusYMinus, c.edgeXMinusYPlus, c.edgeXPlusYPlus,
                      c.edgeTopYMinus, c.edgeTopXPlus, c.edgeTopYPlus, c.edgeTopXMinus})
        EXPECT_TRUE(flag);
}

TEST_F(AreaOutline, StackedCellsShareAClosedFace) {
    toggleAreaCell(area, 4, 4, 2);
    toggleAreaCell(area, 4, 4, 3);
    updateAreaOutline(area);
    const AreaCell& lower = area.cells.front();
    const AreaCell& upper = area.cells.back();
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
    toggleAreaCell(area, 0, 0, 0);
    toggleAreaCell(area, 1, 0, 0);
    toggleAreaCell(area, 0, 1, 0);
    updateAreaOutline(area);
    const AreaCell& corner = area.cells.front();
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
