#pragma once

#include <array>
#include <cstdint>

#include <GL/gl.h>

#include "gl_context.h"

// Window-coordinate drawing for the GL tests: one unit is one pixel, origin at the bottom left,
// texturing on, white colour, cleared to black.
inline void beginPixelDrawing() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, GlTestContext::kWidth, 0, GlTestContext::kHeight, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glColor3ub(255, 255, 255);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// The colour at a pixel as red, green, blue.
using Rgb3 = std::array<int, 3>;

inline Rgb3 pixelAt(int x, int y) {
    std::uint8_t rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}
