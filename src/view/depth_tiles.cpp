#include "view/depth_tiles.h"

#include <algorithm>
#include <cmath>

#include <GL/gl.h>

namespace {

// Depth by which a box must lie behind what is drawn: the rasteriser's depths and these
// computed ones round differently.
constexpr double kDepthMargin = 1e-5;

void multiply(const double* a, const double* b, double* out) {
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += a[k * 4 + row] * b[column * 4 + k];
            out[column * 4 + row] = sum;
        }
}

} // namespace

void DepthTiles::read() {
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    width_ = viewport[2];
    height_ = viewport[3];
    depth_.resize(static_cast<std::size_t>(width_) * height_);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(viewport[0], viewport[1], width_, height_, GL_DEPTH_COMPONENT, GL_FLOAT,
                 depth_.data());
    tilesX_ = (width_ + kTile - 1) / kTile;
    const int tilesY = (height_ + kTile - 1) / kTile;
    farthest_.assign(static_cast<std::size_t>(tilesX_) * tilesY, 0.0f);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            float& tile = farthest_[static_cast<std::size_t>(y / kTile) * tilesX_ + x / kTile];
            tile = std::max(tile, depthAt(x, y));
        }
    double projection[16] = {}, modelView[16] = {};
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    multiply(projection, modelView, matrix_);
}

bool DepthTiles::hides(const Box3& box) const {
    if (box.empty() || width_ == 0)
        return false;
    double left = 1e300, right = -1e300, bottom = 1e300, top = -1e300, nearest = 1e300;
    for (int c = 0; c < 8; ++c) {
        const Vec3 p = box.corner(c);
        double clip[4];
        for (int row = 0; row < 4; ++row)
            clip[row] = matrix_[row] * p.x + matrix_[4 + row] * p.y + matrix_[8 + row] * p.z +
                        matrix_[12 + row];
        // Behind or at the eye's plane the projection folds over: the box may cover anything.
        if (clip[3] <= 1e-6)
            return false;
        const double x = (clip[0] / clip[3] + 1) * 0.5 * width_;
        const double y = (clip[1] / clip[3] + 1) * 0.5 * height_;
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
        nearest = std::min(nearest, (clip[2] / clip[3] + 1) * 0.5);
    }
    // Nearer than the near plane: it would be clipped, and may still show beyond it.
    if (nearest <= 0)
        return false;
    // Pixel centres within the corners' rectangle, one more each way against rounding.
    const int x0 = std::max(0, static_cast<int>(std::floor(left)) - 1);
    const int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(right)) + 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(bottom)) - 1);
    const int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(top)) + 1);
    if (x0 > x1 || y0 > y1)
        return true;
    const float limit = static_cast<float>(nearest - kDepthMargin);
    for (int ty = y0 / kTile; ty <= y1 / kTile; ++ty)
        for (int tx = x0 / kTile; tx <= x1 / kTile; ++tx) {
            if (farthest_[static_cast<std::size_t>(ty) * tilesX_ + tx] < limit)
                continue;
            // The tile holds something as far as the box: look at its pixels within the box.
            for (int y = std::max(y0, ty * kTile); y <= std::min(y1, ty * kTile + kTile - 1); ++y)
                for (int x = std::max(x0, tx * kTile); x <= std::min(x1, tx * kTile + kTile - 1);
                     ++x)
                    if (depthAt(x, y) >= limit)
                        return false;
        }
    return true;
}
