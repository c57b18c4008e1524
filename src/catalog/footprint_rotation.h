#pragma once

// The cell offset of a block's unit within its footprint once the block is turned: quarter turns
// counter-clockwise seen from above, keeping the footprint in the same spanX by spanY cells
// (beyond the first) from the block's own cell. Only the low two bits of rotation count. It is
// the game's own rule, which the editor's area code and the data pack generator both follow;
// it depends on nothing but the language so that the generator can use it without the editor.
struct UnitOffset {
    int x = 0;
    int y = 0;

    bool operator==(const UnitOffset&) const = default;
};

// Headings on the ground plane: 0 +y, 1 -x, 2 -y, 3 +x, each with its step; a rotation r turns
// a heading h into (h + r) % 4, as it turns the units.
inline constexpr int kHeadingStep[4][2] = {{0, 1}, {-1, 0}, {0, -1}, {1, 0}};

constexpr UnitOffset rotatedUnitOffset(int ux, int uy, int spanX, int spanY, int rotation) {
    switch (rotation & 3) {
    case 1:
        return {spanY - uy, ux};
    case 2:
        return {spanX - ux, spanY - uy};
    case 3:
        return {uy, spanX - ux};
    default:
        return {ux, uy};
    }
}
