#include "view/gizmos.h"

#include <algorithm>
#include <cmath>

#include <GL/gl.h>

#include "view/texturing_off.h"
#include "view/world_grid.h"

namespace {

// The plus handles are given as float colours, which the colour buffer stores as 255; the minus
// handles as bytes of 254.
void plusColour(Rgb c) {
    glColor3f(c.r / 255.0f, c.g / 255.0f, c.b / 255.0f);
}
void minusColour(Rgb c) {
    glColor3ub(c.r, c.g, c.b);
}

struct Handle {
    Rgb colour;
    bool plus;
    float x, y, z;
};

constexpr Handle kHandles[6] = {
    {kMovePlusX, true, -kCellWidth, 0, 0},   {kMovePlusY, true, 0, kCellWidth, 0},
    {kMovePlusZ, true, 0, 0, kLevelHeight},  {kMoveMinusX, false, kCellWidth, 0, 0},
    {kMoveMinusY, false, 0, -kCellWidth, 0}, {kMoveMinusZ, false, 0, 0, -kLevelHeight},
};

void handleColour(const Handle& h) {
    if (h.plus)
        plusColour(h.colour);
    else
        minusColour(h.colour);
}

constexpr double kDegree = 0.0174533;
constexpr double kTipAngle = 1.9198629818856716; // 110 degrees

} // namespace

void drawMoveGizmo() {
    TexturingOff texturingOff;
    glLineWidth(4);
    glBegin(GL_LINES);
    for (const Handle& h : kHandles) {
        handleColour(h);
        glVertex3f(0, 0, 0);
        glVertex3f(h.x, h.y, h.z);
    }
    glEnd();
    glPointSize(11);
    glBegin(GL_POINTS);
    for (const Handle& h : kHandles) {
        handleColour(h);
        glVertex3f(h.x, h.y, h.z);
    }
    glEnd();
    glColor3ub(255, 255, 255);
    glLineWidth(1);
    glPointSize(1);
}

void drawRotateGizmo(const Selection& selection) {
    if (selection.empty())
        return;
    TexturingOff texturingOff;
    int minX = 32, maxX = 0, minY = 32, maxY = 0, sumZ = 0;
    for (const BlockRecord* r : selection.members()) {
        minX = std::min<int>(minX, r->x);
        maxX = std::max<int>(maxX, r->x);
        minY = std::min<int>(minY, r->y);
        maxY = std::max<int>(maxY, r->y);
        sumZ += r->z;
    }
    const double cell = kCellWidth;
    const double cx = (maxX + minX + 1) * cell / 2;
    const double cy = (maxY + minY + 1) * cell / 2;
    const double zc =
        sumZ * static_cast<double>(kLevelHeight) / selection.count() - kHalfLevel - kLevelOffset;
    const double rx = (maxX * cell - minX * cell + cell) / 2;
    const double ry = (maxY * cell - minY * cell + cell) / 2;
    auto arcPoint = [&](double radians) {
        glVertex3d(-cx - std::sin(radians) * rx, cy + std::cos(radians) * ry, zc);
    };

    glLineWidth(6);
    glColor3ub(kRotateOneWay.r, kRotateOneWay.g, kRotateOneWay.b);
    glBegin(GL_LINE_STRIP);
    for (int t = 30; t <= 110; t += 8)
        arcPoint(t * kDegree);
    glEnd();
    glColor3ub(kRotateOtherWay.r, kRotateOtherWay.g, kRotateOtherWay.b);
    glBegin(GL_LINE_STRIP);
    for (int t = -30; t >= -110; t -= 8)
        arcPoint(t * kDegree);
    glEnd();

    glLineWidth(1);
    glPointSize(13);
    glBegin(GL_POINTS);
    glColor3ub(kRotateOneWay.r, kRotateOneWay.g, kRotateOneWay.b);
    arcPoint(kTipAngle);
    glColor3ub(kRotateOtherWay.r, kRotateOtherWay.g, kRotateOtherWay.b);
    arcPoint(-kTipAngle);
    glEnd();
    glPointSize(1);
    glColor3ub(255, 255, 255);
}
