#include "edit/area_cells.h"


namespace {

GridCell gridCell(int x, int y, int z) {
    return {static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z)};
}

bool insideGrid(GridCell c) {
    return c.x >= 0 && c.x < kGridSize && c.y >= 0 && c.y < kGridSize && c.z >= 0 &&
           c.z < kGridSize;
}

std::size_t gridBit(GridCell c) {
    return (static_cast<std::size_t>(c.z) * kGridSize + c.y) * kGridSize + c.x;
}

bool contains(const Area& area, GridCell c) {
    if (insideGrid(c))
        return area.inGrid.test(gridBit(c));
    return area.nodeOf.count(areaCellKey(c)) != 0;
}

void removeCell(Area& area, GridCell c) {
    auto found = area.nodeOf.find(areaCellKey(c));
    if (found == area.nodeOf.end())
        return;
    area.cells.erase(found->second);
    area.nodeOf.erase(found);
    if (insideGrid(c))
        area.inGrid.reset(gridBit(c));
}

void appendCell(Area& area, GridCell c) {
    AreaCell cell;
    cell.cell = c;
    area.cells.push_back(cell);
    area.nodeOf.emplace(areaCellKey(c), std::prev(area.cells.end()));
    if (insideGrid(c))
        area.inGrid.set(gridBit(c));
}

int stepToward(std::int8_t from, std::int8_t to) {
    return from < to ? 1 : -1;
}

} // namespace

bool areaContains(const Area& area, int x, int y, int z) {
    return contains(area, gridCell(x, y, z));
}

void removeAreaCell(Area& area, int x, int y, int z) {
    removeCell(area, gridCell(x, y, z));
}

void toggleAreaCell(Area& area, int x, int y, int z) {
    GridCell c = gridCell(x, y, z);
    if (contains(area, c))
        removeCell(area, c);
    else
        appendCell(area, c);
}

void toggleAreaBox(Area& area, int x, int y, int z) {
    GridCell target = gridCell(x, y, z);
    GridCell start = area.cells.empty() ? target : area.cells.back().cell;
    removeCell(area, start);
    int stepX = stepToward(start.x, target.x);
    int stepY = stepToward(start.y, target.y);
    int stepZ = stepToward(start.z, target.z);
    // The loops run in int so that a box reaching 127 or -128 ends instead of wrapping round.
    for (int cx = start.x;; cx += stepX) {
        for (int cy = start.y;; cy += stepY) {
            for (int cz = start.z;; cz += stepZ) {
                toggleAreaCell(area, cx, cy, cz);
                if (cz == target.z)
                    break;
            }
            if (cy == target.y)
                break;
        }
        if (cx == target.x)
            break;
    }
}

void clearArea(Area& area) {
    area.cells.clear();
    area.nodeOf.clear();
    area.inGrid.reset();
}

void updateAreaOutline(Area& area) {
    for (AreaCell& a : area.cells) {
        const GridCell c = a.cell;
        a.openTop = !contains(area, gridCell(c.x, c.y, c.z + 1));
        a.openBottom = !contains(area, gridCell(c.x, c.y, c.z - 1));
        a.openXMinus = !contains(area, gridCell(c.x - 1, c.y, c.z));
        a.openXPlus = !contains(area, gridCell(c.x + 1, c.y, c.z));
        a.openYMinus = !contains(area, gridCell(c.x, c.y - 1, c.z));
        a.openYPlus = !contains(area, gridCell(c.x, c.y + 1, c.z));
        a.edgeBottomYMinus = a.openBottom && a.openYMinus;
        a.edgeBottomXPlus = a.openBottom && a.openXPlus;
        a.edgeBottomYPlus = a.openBottom && a.openYPlus;
        a.edgeBottomXMinus = a.openBottom && a.openXMinus;
        a.edgeXMinusYMinus = a.openXMinus && a.openYMinus;
        a.edgeXPlusYMinus = a.openXPlus && a.openYMinus;
        a.edgeXMinusYPlus = a.openXMinus && a.openYPlus;
        a.edgeXPlusYPlus = a.openXPlus && a.openYPlus;
        a.edgeTopYMinus = a.openTop && a.openYMinus;
        a.edgeTopXPlus = a.openTop && a.openXPlus;
        a.edgeTopYPlus = a.openTop && a.openYPlus;
        a.edgeTopXMinus = a.openTop && a.openXMinus;
    }
}
