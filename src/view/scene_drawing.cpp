#include "view/scene_drawing.h"

#include <GL/gl.h>

#include "view/world_grid.h"

void drawAxis(int axis) {
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_LINES);
    glColor3f(axis == 2 ? 1.0f : 0.0f, axis == 1 ? 1.0f : 0.0f, axis == 0 ? 1.0f : 0.0f);
    glVertex3f(0, 0, 0);
    glVertex3f(axis == 2 ? -10000.0f : 0.0f, axis == 1 ? 10000.0f : 0.0f,
               axis == 0 ? 10000.0f : 0.0f);
    glEnd();
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
}

void drawGrid(int level) {
    glLineWidth(1);
    glBegin(GL_LINES);
    glColor3f(0, 0, 0);
    const float z = level * kLevelHeight - kLevelOffset;
    for (int i = 0; i < 32; ++i) {
        glVertex3f(-kCellWidth * i, 0, z);
        glVertex3f(-kCellWidth * i, kGridExtent, z);
    }
    for (int i = 0; i < 32; ++i) {
        glVertex3f(0, kCellWidth * i, z);
        glVertex3f(-kGridExtent, kCellWidth * i, z);
    }
    glEnd();
    glColor3f(1, 1, 1);
}

void drawStadiumBorder() {
    glLineWidth(2);
    glBegin(GL_LINE_LOOP);
    glColor3f(0, 0, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(-kGridExtent, 0, 0);
    glVertex3f(-kGridExtent, kGridExtent, 0);
    glVertex3f(0, kGridExtent, 0);
    glEnd();
    glLineWidth(1);
    glColor3f(1, 1, 1);
}
