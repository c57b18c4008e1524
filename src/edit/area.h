#pragma once

#include <bitset>
#include <cstdint>
#include <list>
#include <unordered_map>

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

// Grid coordinates wrap round in 8 bits: 127 + 1 gives -128.
inline std::int8_t wrap8(int value) {
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(value));
}

inline bool onGrid(int value) {
    return value >= 0 && value < kGridSize;
}

// A cell as one number: its three coordinates as unsigned bytes.
inline std::uint32_t areaCellKey(GridCell c) {
    return static_cast<std::uint8_t>(c.x) | static_cast<std::uint8_t>(c.y) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(c.z)) << 16;
}

// The current area: cells in the order they were added, plus a bitset over the 32 x 32 x 32 grid
// so that membership of a grid cell is a constant-time test.
// Cells are changed only through the area functions (edit/area_cells.h), which keep the bitset
// and the node map in step with the list.
struct Area {
    std::list<AreaCell> cells;
    std::bitset<kGridSize * kGridSize * kGridSize> inGrid;
    // Every cell's node, keyed by areaCellKey, so that a removal needs no search.
    std::unordered_map<std::uint32_t, std::list<AreaCell>::iterator> nodeOf;

    Area() = default;
    Area(Area&&) = default;
    Area& operator=(Area&&) = default;
    // A copy gets its own node map, pointing into its own list.
    Area(const Area& other) : cells(other.cells), inGrid(other.inGrid) { relink(); }
    Area& operator=(const Area& other) {
        if (this != &other) {
            cells = other.cells;
            inGrid = other.inGrid;
            relink();
        }
        return *this;
    }

    int count() const { return static_cast<int>(cells.size()); }

  private:
    void relink() {
        nodeOf.clear();
        for (auto it = cells.begin(); it != cells.end(); ++it)
            nodeOf[areaCellKey(it->cell)] = it;
    }
};

struct AreaCursor {
    std::int8_t x = 0;
    std::int8_t y = 0;
};
