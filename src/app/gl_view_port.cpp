#include "app/gl_view_port.h"

#include "app/draw_area.h"

void GlViewPort::renderFrame(bool display) {
    if (display && view_.deferDisplayFrame())
        return;
    CurrentContext current(view_);
    if (!current.held())
        return;
    renderer_.renderFrame(display);
    if (display)
        view_.displayFrameDrawn();
}

Rgb GlViewPort::readPickColour(int x, int y) {
    CurrentContext current(view_);
    if (!current.held())
        return Rgb{255, 255, 255};
    return renderer_.readPickColour(x, y);
}

Rgb GlViewPort::pickColourAt(int x, int y) {
    CurrentContext current(view_);
    if (!current.held())
        return Rgb{255, 255, 255};
    return renderer_.pickColourAt(x, y);
}
