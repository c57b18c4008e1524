#pragma once

#include <bitset>
#include <cstdint>
#include <list>

struct GridCell {
    std::int8_t x = 0;
    std::int8_t y = 0;
    std::int8_t z = 0;
    bool operator==(const GridCell&) const = default;
};

// One cell of the area with its outline: a face is open when the neighbour across it is not in
// the area, an edge is set when both faces it joins are open.
struct AreaCell {
    GridCell cell;
    bool openTop = false;
    bool openBottom = false;
    bool openXMinus = false;
    bool openXPlus = false;
    bool openYMinus = false;
    bool openYPlus = false;
    bool edgeBottomYMinus = false;
    bool edgeBottomXPlus = false;
    bool edgeBottomYPlus = false;
    bool edgeBottomXMinus = false;
    bool edgeXMinusYMinus = false;
    bool edgeXPlusYMinus = false;
    bool edgeXMinusYPlus = false;
    bool edgeXPlusYPlus = false;
    bool edgeTopYMinus = false;
    bool edgeTopXPlus = false;
    bool edgeTopYPlus = false;
    bool edgeTopXMinus = false;
};

inline constexpr int kGridSize = 32;

// The current area: cells in the order they were added, plus a bitset over the 32 x 32 x 32 grid
// so that membership of a grid cell is a constant-time test.
struct Area {
    std::list<AreaCell> cells;
    std::bitset<kGridSize * kGridSize * kGridSize> inGrid;

    int count() const { return static_cast<int>(cells.size()); }
};

struct AreaCursor {
    std::int8_t x = 0;
    std::int8_t y = 0;
};
