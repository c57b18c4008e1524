#include "view/area_overlays.h"

#include <GL/gl.h>

#include "view/texturing_off.h"
#include "view/world_grid.h"

namespace {

template <typename T> struct Corner { T x, y, z; };

// Corner k of the cell box around (cx, cy, cz): bit 0 picks the side toward higher grid x (more
// negative X), bit 1 the higher y, bit 2 the top.
template <typename T> Corner<T> corner(int k, T cx, T cy, T cz) {
    const T halfCell = kHalfCell;
    const T halfLevel = kHalfLevel;
    return {(k & 1) ? -cx - halfCell : -cx + halfCell, (k & 2) ? cy + halfCell : cy - halfCell,
            (k & 4) ? cz + halfLevel : cz - halfLevel};
}

void vertex(const Corner<double>& c) {
    glVertex3d(c.x, c.y, c.z);
}
void vertex(const Corner<float>& c) {
    glVertex3f(c.x, c.y, c.z);
}

void translucentGreen() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor4ub(0, 96, 0, 196);
}

void outlineGreen() {
    glDisable(GL_BLEND);
    glColor3ub(0, 192, 0);
}

void drawCellOutline(const AreaCell& cell) {
    const double cx = cell.cell.x * static_cast<double>(kCellWidth) + kHalfCell;
    const double cy = cell.cell.y * static_cast<double>(kCellWidth) + kHalfCell;
    const double cz = cell.cell.z * static_cast<double>(kLevelHeight) - kHalfLevel - kLevelOffset;
    Corner<double> k[8];
    for (int i = 0; i < 8; ++i)
        k[i] = corner(i, cx, cy, cz);

    translucentGreen();
    glBegin(GL_QUADS);
    const struct {
        bool open;
        int a, b, c, d;
    } faces[] = {
        {cell.openTop, 4, 5, 7, 6},   {cell.openBottom, 0, 1, 3, 2}, {cell.openXMinus, 0, 2, 6, 4},
        {cell.openXPlus, 1, 3, 7, 5}, {cell.openYMinus, 0, 1, 5, 4}, {cell.openYPlus, 2, 3, 7, 6},
    };
    for (const auto& f : faces) {
        if (!f.open)
            continue;
        vertex(k[f.a]);
        vertex(k[f.b]);
        vertex(k[f.c]);
        vertex(k[f.d]);
    }
    glEnd();

    outlineGreen();
    glBegin(GL_LINES);
    const struct {
        bool set;
        int a, b;
    } edges[] = {
        {cell.edgeBottomYMinus, 0, 1}, {cell.edgeBottomXPlus, 1, 3},  {cell.edgeBottomYPlus, 2, 3},
        {cell.edgeBottomXMinus, 0, 2}, {cell.edgeXMinusYMinus, 0, 4}, {cell.edgeXPlusYMinus, 1, 5},
        {cell.edgeXMinusYPlus, 2, 6},  {cell.edgeXPlusYPlus, 3, 7},   {cell.edgeTopYMinus, 4, 5},
        {cell.edgeTopXPlus, 5, 7},     {cell.edgeTopYPlus, 6, 7},     {cell.edgeTopXMinus, 4, 6},
    };
    for (const auto& e : edges) {
        if (!e.set)
            continue;
        vertex(k[e.a]);
        vertex(k[e.b]);
    }
    glEnd();
}

void drawCursorBox(const Corner<float> (&k)[8]) {
    static constexpr int kStrip[] = {0, 1, 2, 3, 6, 7, 4, 5, 0, 1};
    glBegin(GL_QUAD_STRIP);
    for (int i : kStrip)
        vertex(k[i]);
    glEnd();
    static constexpr int kEnds[] = {0, 2, 6, 4, 1, 3, 7, 5};
    glBegin(GL_QUADS);
    for (int i : kEnds)
        vertex(k[i]);
    glEnd();
}

} // namespace

void drawAreaOverlay(const Area& area) {
    TexturingOff texturingOff;
    for (const AreaCell& cell : area.cells)
        drawCellOutline(cell);
}

void drawAreaCursor(int x, int y, int level) {
    TexturingOff texturingOff;
    const float cx = x * kCellWidth + kHalfCell;
    const float cy = y * kCellWidth + kHalfCell;
    const float cz = level * kLevelHeight - kHalfLevel - kLevelOffset;
    Corner<float> k[8];
    for (int i = 0; i < 8; ++i)
        k[i] = corner(i, cx, cy, cz);

    translucentGreen();
    drawCursorBox(k);
    outlineGreen();
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    drawCursorBox(k);
    glColor3ub(255, 255, 255);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}
