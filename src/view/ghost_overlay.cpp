#include "view/ghost_overlay.h"

#include <GL/gl.h>

#include "view/texturing_off.h"
#include "view/world_grid.h"

namespace {

constexpr float kGhostOpacity = 0.55f;
// Lifted off the cell's bottom so that the outline is not lost in the ground or a road.
constexpr float kOutlineLift = 0.4f;

float cellLeft(int x) {
    return -kCellWidth * static_cast<float>(x);
}
float cellFront(int y) {
    return kCellWidth * static_cast<float>(y);
}
float levelBottom(int z) {
    return static_cast<float>(z) * kLevelHeight - kLevelHeight - kLevelOffset;
}

// Clip planes that keep what lies inside the grid of size cells along each axis, in world space
// (the modelview holds the camera's transform).
class GridClip {
  public:
    explicit GridClip(int size) {
        const double extent = static_cast<double>(kCellWidth) * size;
        const double planes[6][4] = {
            {-1, 0, 0, 0},      {1, 0, 0, extent},          {0, 1, 0, 0},
            {0, -1, 0, extent}, {0, 0, 1, -levelBottom(0)}, {0, 0, -1, levelBottom(size)}};
        for (int i = 0; i < 6; ++i) {
            glClipPlane(GL_CLIP_PLANE0 + i, planes[i]);
            glEnable(GL_CLIP_PLANE0 + i);
        }
    }
    ~GridClip() {
        for (int i = 0; i < 6; ++i)
            glDisable(GL_CLIP_PLANE0 + i);
    }
    GridClip(const GridClip&) = delete;
    GridClip& operator=(const GridClip&) = delete;
};

void cellOutline(const PlacingCells::Cell& c) {
    const float x0 = cellLeft(c.x), x1 = cellLeft(c.x + 1);
    const float y0 = cellFront(c.y), y1 = cellFront(c.y + 1);
    const float z = levelBottom(c.z) + kOutlineLift;
    glVertex3f(x0, y0, z);
    glVertex3f(x1, y0, z);
    glVertex3f(x1, y0, z);
    glVertex3f(x1, y1, z);
    glVertex3f(x1, y1, z);
    glVertex3f(x0, y1, z);
    glVertex3f(x0, y1, z);
    glVertex3f(x0, y0, z);
}

// The six faces of the cell, a little inside it.
void cellBox(const PlacingCells::Cell& c) {
    const float inset = 0.5f;
    const float x0 = cellLeft(c.x) - inset, x1 = cellLeft(c.x + 1) + inset;
    const float y0 = cellFront(c.y) + inset, y1 = cellFront(c.y + 1) - inset;
    const float z0 = levelBottom(c.z) + inset, z1 = levelBottom(c.z + 1) - inset;
    const float faces[6][4][3] = {{{x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}, {x0, y1, z0}},
                                  {{x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}},
                                  {{x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}},
                                  {{x0, y1, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y1, z1}},
                                  {{x0, y0, z0}, {x0, y1, z0}, {x0, y1, z1}, {x0, y0, z1}},
                                  {{x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}}};
    for (const auto& face : faces)
        for (const auto& v : face)
            glVertex3f(v[0], v[1], v[2]);
}

} // namespace

void drawGhost(FrameRenderer& renderer, const CatalogState& catalog,
               const std::vector<BlockRecord>& ghost, const PlacingCells& cells) {
    if (ghost.empty())
        return;
    const bool placeable = cells.outside == 0;
    {
        GridClip clip(gridSizeOf(catalog));
        const Rgb tint = placeable ? Rgb{170, 210, 255} : Rgb{255, 110, 90};
        for (const BlockRecord& record : ghost)
            renderer.drawModelAt(record, tint, kGhostOpacity);
    }
    TexturingOff texturingOff;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glBegin(GL_QUADS);
    glColor4ub(255, 140, 0, 110);
    for (const PlacingCells::Cell& c : cells.cells)
        if (c.shared)
            cellBox(c);
    glEnd();
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glLineWidth(2);
    glBegin(GL_LINES);
    for (const PlacingCells::Cell& c : cells.cells) {
        if (c.outside)
            continue;
        if (c.shared)
            glColor3ub(255, 120, 0);
        else
            glColor3ub(255, 255, 255);
        cellOutline(c);
    }
    glEnd();
    glLineWidth(1);
    glColor3ub(255, 255, 255);
}
