#include "view/saved_frame.h"

#include <GL/gl.h>

namespace {

struct Viewport {
    GLint x = 0, y = 0, width = 0, height = 0;
};

Viewport currentViewport() {
    GLint v[4] = {};
    glGetIntegerv(GL_VIEWPORT, v);
    return {v[0], v[1], v[2], v[3]};
}

// Places the raster position at the viewport's lower left corner.
void rasterAtCorner() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRasterPos2f(-1, -1);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

} // namespace

void SavedFrame::save(std::uint64_t signature) {
    const Viewport v = currentViewport();
    width_ = v.width;
    height_ = v.height;
    const std::size_t pixels = static_cast<std::size_t>(v.width) * v.height;
    colour_.resize(pixels * 4);
    depth_.resize(pixels);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(v.x, v.y, v.width, v.height, GL_RGBA, GL_UNSIGNED_BYTE, colour_.data());
    glReadPixels(v.x, v.y, v.width, v.height, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, depth_.data());
    signature_ = signature;
}

bool SavedFrame::restore(std::uint64_t signature) {
    const Viewport v = currentViewport();
    if (signature_ != signature || v.width != width_ || v.height != height_)
        return false;
    GLboolean texturing = GL_FALSE;
    glGetBooleanv(GL_TEXTURE_2D, &texturing);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    rasterAtCorner();
    // Depth first, through the depth test so that it is written, with colour writes off.
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_ALWAYS);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDrawPixels(width_, height_, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, depth_.data());
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthFunc(GL_LESS);
    // Colour with the depth test off, which leaves depth as it is.
    glDisable(GL_DEPTH_TEST);
    glDrawPixels(width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, colour_.data());
    glEnable(GL_DEPTH_TEST);
    if (texturing)
        glEnable(GL_TEXTURE_2D);
    return true;
}
