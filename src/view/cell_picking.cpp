#include "view/cell_picking.h"

#include <GL/gl.h>

#include "view/texturing_off.h"
#include "view/world_grid.h"

Rgb readPickColour(int x, int y) {
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (x < 0 || y < 0 || x >= viewport[2] || y >= viewport[3])
        return kPickBackground;
    GLubyte pixel[3] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(viewport[0] + x, viewport[1] + viewport[3] - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE,
                 pixel);
    return {pixel[0], pixel[1], pixel[2]};
}

void drawCellPickPlane(PickTable& table, int level) {
    TexturingOff texturingOff;
    table.resetPickTable(32 * 32);
    const float h = level * kLevelHeight - kHalfLevel - kLevelOffset - kHalfLevel;
    glBegin(GL_QUADS);
    for (int i = 0; i < 32; ++i) {
        for (int j = 0; j < 32; ++j) {
            Rgb c = table.assignPickColour(cellCode(i, j));
            glColor3ub(c.r, c.g, c.b);
            const float e = i * kCellWidth + kHalfCell;
            const float g = j * kCellWidth + kHalfCell;
            glVertex3f(kHalfCell - e, g - kHalfCell, h);
            glVertex3f(-e - kHalfCell, g - kHalfCell, h);
            glVertex3f(-e - kHalfCell, g + kHalfCell, h);
            glVertex3f(kHalfCell - e, g + kHalfCell, h);
        }
    }
    glEnd();
    glColor3ub(255, 255, 255);
}

AreaCursor pickCell(const PickTable& table, int x, int y) {
    const std::uintptr_t code = table.findPickColour(readPickColour(x, y));
    if (code == 0)
        return {-1, -1};
    return {static_cast<std::int8_t>((code & 0xFF) - 1), static_cast<std::int8_t>((code >> 16) - 1)};
}
