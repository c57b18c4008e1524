#pragma once

#include <QImage>

// A hidden OpenGL compatibility context with an offscreen framebuffer of the view's size
// (584 x 571, depth buffer), made current for GL tests. Needs a display (Xvfb).
class GlTestContext {
public:
    static constexpr int kWidth = 584;
    static constexpr int kHeight = 571;

    // The one context of the test program, created at the first call and made current with its
    // framebuffer bound. False when no context could be made.
    static bool makeCurrent();
    // What the framebuffer holds now, top row first.
    static QImage grab();
};
