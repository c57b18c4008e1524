#include "view/depth_tiles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include <GL/gl.h>

#include "math/mat4.h"

namespace {

// Depth by which a box must lie behind what is drawn: the rasteriser's depths and these
// computed ones round differently.
constexpr double kDepthMargin = 2e-6;

struct Point2 {
    double x, y;
};

double turn(const Point2& o, const Point2& a, const Point2& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// The convex outline of the points, counter-clockwise (Andrew's monotone chain).
std::vector<Point2> outlineOf(std::vector<Point2> points) {
    std::sort(points.begin(), points.end(), [](const Point2& a, const Point2& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    std::vector<Point2> hull(2 * points.size());
    std::size_t k = 0;
    for (const Point2& p : points) {
        while (k >= 2 && turn(hull[k - 2], hull[k - 1], p) <= 0)
            --k;
        hull[k++] = p;
    }
    for (std::size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && turn(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    hull.resize(k > 1 ? k - 1 : k);
    return hull;
}

// The sides of a convex outline, widened by a margin, as lines a x + b y + c = 0 with (a, b) of
// unit length pointing in: a point lies within the margin when a x + b y + c >= 0 for every side.
class Outline {
  public:
    // From its corners counter-clockwise. Sides beyond those it holds are left out, which only
    // widens it.
    Outline(const Point2* corners, std::size_t count, double margin) {
        for (std::size_t i = 0; i < count && count_ < sides_.size(); ++i) {
            const Point2& p = corners[i];
            const Point2& q = corners[(i + 1) % count];
            const double length = std::hypot(q.x - p.x, q.y - p.y);
            if (length <= 0)
                continue;
            const double a = -(q.y - p.y) / length, b = (q.x - p.x) / length;
            sides_[count_++] = {a, b, margin - (a * p.x + b * p.y)};
        }
    }
    // Whether any point of the rectangle around (x, y) may lie within the margin.
    bool mayMeet(double x, double y, double halfWidth, double halfHeight) const {
        for (std::size_t i = 0; i < count_; ++i) {
            const auto& [a, b, c] = sides_[i];
            if (a * x + b * y + c + std::abs(a) * halfWidth + std::abs(b) * halfHeight < 0)
                return false;
        }
        return true;
    }

  private:
    std::array<std::array<double, 3>, 24> sides_;
    std::size_t count_ = 0;
};

using Clip = DepthTiles::Clip;

// The view's four sides and its near plane, -w <= x, y <= w and -w <= z, as planes in clip space
// with the view on their positive side.
constexpr double kViewPlanes[5][4] = {
    {1, 0, 0, 1}, {-1, 0, 0, 1}, {0, 1, 0, 1}, {0, -1, 0, 1}, {0, 0, 1, 1}};

double side(const double* plane, const Clip& v) {
    return plane[0] * v.x + plane[1] * v.y + plane[2] * v.z + plane[3] * v.w;
}

// Whether the points lie wholly outside one of the view's planes.
bool outOfView(const Clip* points, std::size_t count) {
    for (const auto& plane : kViewPlanes)
        if (std::all_of(points, points + count, [&](const Clip& v) { return side(plane, v) < 0; }))
            return true;
    return false;
}

// A face of a box as cut: four corners, and one more for each plane cut.
struct Polygon {
    std::array<Clip, 9> points;
    std::size_t size = 0;
    void push_back(const Clip& v) { points[size++] = v; }
};

// Cuts the polygon to the view's sides and its near plane.
void cutToView(Polygon& polygon) {
    Polygon cut;
    for (const auto& plane : kViewPlanes) {
        if (polygon.size == 0)
            return;
        cut.size = 0;
        for (std::size_t i = 0; i < polygon.size; ++i) {
            const Clip& a = polygon.points[i];
            const Clip& b = polygon.points[(i + 1) % polygon.size];
            const double da = side(plane, a), db = side(plane, b);
            if (da >= 0)
                cut.push_back(a);
            if ((da >= 0) != (db >= 0)) {
                const double t = da / (da - db);
                cut.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z),
                               a.w + t * (b.w - a.w)});
            }
        }
        polygon = cut;
    }
}

// The rasteriser works out a triangle's depth slopes in single precision, dividing by its area:
// the error in depth it may make, per unit of the triangle's depth range and of how many times
// the area is smaller than the products it is the difference of. A triangle seen edge-on may
// be given any depth.
constexpr double kSlopeError = 8.0 / (1 << 24);

// The depth on a triangle's plane at a window position, less what it may fall within the
// rasteriser's sampling slack: a x + b y + c.
struct PlaneDepth {
    double a = 0, b = 0, c = 0;
};

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
    // The rasteriser snaps vertices to a grid of 2^-bits of a pixel, half a step at most: a snapped
    // triangle's depth at a pixel centre is the exact triangle's depth within that distance.
    GLint bits = 0;
    glGetIntegerv(GL_SUBPIXEL_BITS, &bits);
    sampleSlack_ = std::ldexp(1.0, -std::clamp(bits, 4, 8));
    tilesX_ = (width_ + kTile - 1) / kTile;
    const int tilesY = (height_ + kTile - 1) / kTile;
    farthest_.assign(static_cast<std::size_t>(tilesX_) * tilesY, 0.0f);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            float& tile = farthest_[static_cast<std::size_t>(y / kTile) * tilesX_ + x / kTile];
            tile = std::max(tile, depthAt(x, y));
        }
    blocksX_ = (tilesX_ + kTilesPerBlock - 1) / kTilesPerBlock;
    farthestOfBlock_.assign(static_cast<std::size_t>(blocksX_) *
                                ((tilesY + kTilesPerBlock - 1) / kTilesPerBlock),
                            0.0f);
    for (int ty = 0; ty < tilesY; ++ty)
        for (int tx = 0; tx < tilesX_; ++tx) {
            float& block =
                farthestOfBlock_[static_cast<std::size_t>(ty / kTilesPerBlock) * blocksX_ +
                                 tx / kTilesPerBlock];
            block = std::max(block, farthest_[static_cast<std::size_t>(ty) * tilesX_ + tx]);
        }
    Mat4 projection, modelView;
    glGetDoublev(GL_PROJECTION_MATRIX, projection.m.data());
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView.m.data());
    matrix_ = projection * modelView;
}

DepthTiles::Clip DepthTiles::toClip(double x, double y, double z) const {
    Clip clip;
    double* out = &clip.x;
    for (int row = 0; row < 4; ++row)
        out[row] =
            matrix_[row] * x + matrix_[4 + row] * y + matrix_[8 + row] * z + matrix_[12 + row];
    return clip;
}

bool DepthTiles::hides(const Box3& box) const {
    if (box.empty() || width_ == 0)
        return false;
    Clip corners[8];
    for (int c = 0; c < 8; ++c) {
        const Vec3 p = box.corner(c);
        corners[c] = toClip(p.x, p.y, p.z);
    }
    if (outOfView(corners, 8))
        return true;
    double left = 1e300, right = -1e300, bottom = 1e300, top = -1e300, nearest = 1e300;
    std::vector<Point2> points;
    points.reserve(8);
    auto add = [&](const Clip& v) {
        const double x = (v.x / v.w + 1) * 0.5 * width_;
        const double y = (v.y / v.w + 1) * 0.5 * height_;
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
        points.push_back({x, y});
        nearest = std::min(nearest, (v.z / v.w + 1) * 0.5);
    };
    const auto& nearPlane = kViewPlanes[4];
    if (std::none_of(corners, corners + 8, [&](const Clip& v) { return side(nearPlane, v) < 0; })) {
        // Wholly beyond the near plane: its corners' outline and nearest depth bound what it
        // draws.
        std::for_each(corners, corners + 8, add);
    } else {
        // Reaching behind the eye: each face is cut to the view, so that the box still has an
        // outline and a nearest depth of what it may draw.
        static constexpr int kFaces[6][4] = {{0, 2, 6, 4}, {1, 3, 7, 5}, {0, 1, 5, 4},
                                             {2, 3, 7, 6}, {0, 1, 3, 2}, {4, 5, 7, 6}};
        for (const auto& cycle : kFaces) {
            Polygon face;
            for (const int corner : cycle)
                face.push_back(corners[corner]);
            cutToView(face);
            std::for_each(face.points.begin(), face.points.begin() + face.size, add);
        }
    }
    // Wholly outside the view.
    if (points.empty())
        return true;
    // It reaches the near plane within the view: nothing drawn can be nearer.
    if (nearest <= 0)
        return false;
    // Pixel centres within the corners' rectangle, one more each way against rounding.
    const int x0 = std::max(0, static_cast<int>(std::floor(left)) - 1);
    const int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(right)) + 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(bottom)) - 1);
    const int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(top)) + 1);
    if (x0 > x1 || y0 > y1)
        return true;
    const auto limit = static_cast<float>(nearest - kDepthMargin);
    auto boundOver = [&](double, double, double, double) { return limit; };
    // Only pixels near the outline: a wall seen aslant covers a small part of its rectangle.
    std::optional<Outline> outline;
    auto mayCover = [&](double x, double y, double halfWidth, double halfHeight) {
        if (!outline) {
            const std::vector<Point2> hull = outlineOf(std::move(points));
            outline.emplace(hull.data(), hull.size(), sampleSlack_);
        }
        return outline->mayMeet(x, y, halfWidth, halfHeight);
    };
    return !showsSomewhere(x0, y0, x1, y1, limit, boundOver, mayCover);
}

template <class BoundOver, class MayCover>
bool DepthTiles::showsSomewhere(int x0, int y0, int x1, int y1, float nearest, BoundOver boundOver,
                                MayCover mayCover) const {
    // A block of tiles, a tile, a pixel: each passed over when what is drawn there is all nearer
    // than the shape may be, or the shape cannot meet it.
    auto passOver = [&](float farthest, double x, double y, double half) {
        return farthest < nearest || farthest < boundOver(x, y, half, half) ||
               !mayCover(x, y, half, half);
    };
    constexpr int kBlock = kTile * kTilesPerBlock;
    for (int by = y0 / kBlock; by <= y1 / kBlock; ++by)
        for (int bx = x0 / kBlock; bx <= x1 / kBlock; ++bx) {
            constexpr double halfBlock = (kBlock - 1) / 2.0;
            if (passOver(farthestOfBlock_[static_cast<std::size_t>(by) * blocksX_ + bx],
                         bx * kBlock + 0.5 + halfBlock, by * kBlock + 0.5 + halfBlock, halfBlock))
                continue;
            for (int ty = std::max(y0 / kTile, by * kTilesPerBlock);
                 ty <= std::min(y1 / kTile, by * kTilesPerBlock + kTilesPerBlock - 1); ++ty)
                for (int tx = std::max(x0 / kTile, bx * kTilesPerBlock);
                     tx <= std::min(x1 / kTile, bx * kTilesPerBlock + kTilesPerBlock - 1); ++tx) {
                    constexpr double half = (kTile - 1) / 2.0;
                    if (passOver(farthest_[static_cast<std::size_t>(ty) * tilesX_ + tx],
                                 tx * kTile + 0.5 + half, ty * kTile + 0.5 + half, half))
                        continue;
                    for (int y = std::max(y0, ty * kTile);
                         y <= std::min(y1, ty * kTile + kTile - 1); ++y)
                        for (int x = std::max(x0, tx * kTile);
                             x <= std::min(x1, tx * kTile + kTile - 1); ++x)
                            if (!passOver(depthAt(x, y), x + 0.5, y + 0.5, 0))
                                return true;
                }
        }
    return false;
}

bool DepthTiles::hidesTriangles(const float* corners, std::size_t count) const {
    for (std::size_t t = 0; t < count; ++t)
        if (!hidesTriangle(corners + 9 * t))
            return false;
    return true;
}

bool DepthTiles::hidesTriangle(const float* corners) const {
    if (width_ == 0)
        return false;
    Clip clips[3];
    for (int k = 0; k < 3; ++k)
        clips[k] = toClip(corners[3 * k], corners[3 * k + 1], corners[3 * k + 2]);
    if (outOfView(clips, 3))
        return true;
    double x[3], y[3], z[3];
    for (int k = 0; k < 3; ++k) {
        const Clip& v = clips[k];
        // A corner behind the near plane: the cut triangle is not worked out here.
        if (v.w <= 0 || side(kViewPlanes[4], v) < 0)
            return false;
        x[k] = (v.x / v.w + 1) * 0.5 * width_;
        y[k] = (v.y / v.w + 1) * 0.5 * height_;
        z[k] = (v.z / v.w + 1) * 0.5;
    }
    // Pixel centres within the slack of the triangle's rectangle.
    const int x0 =
        std::max(0, static_cast<int>(std::ceil(std::min({x[0], x[1], x[2]}) - sampleSlack_ - 0.5)));
    const int x1 =
        std::min(width_ - 1,
                 static_cast<int>(std::floor(std::max({x[0], x[1], x[2]}) + sampleSlack_ - 0.5)));
    const int y0 =
        std::max(0, static_cast<int>(std::ceil(std::min({y[0], y[1], y[2]}) - sampleSlack_ - 0.5)));
    const int y1 =
        std::min(height_ - 1,
                 static_cast<int>(std::floor(std::max({y[0], y[1], y[2]}) + sampleSlack_ - 0.5)));
    if (x0 > x1 || y0 > y1)
        return true;
    const double nearest = std::min({z[0], z[1], z[2]});
    // A pixel centre the rasteriser may give the triangle lies within the slack of every side.
    const double area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
    const int second = area < 0 ? 2 : 1;
    const Point2 outlined[3] = {
        {x[0], y[0]}, {x[second], y[second]}, {x[3 - second], y[3 - second]}};
    const Outline outline(outlined, 3, sampleSlack_);
    auto mayCover = [&](double px, double py, double halfWidth, double halfHeight) {
        return outline.mayMeet(px, py, halfWidth, halfHeight);
    };
    // The depth over the triangle's plane, less the slack, and never nearer than its nearest
    // corner.
    const double products =
        std::abs((x[1] - x[0]) * (y[2] - y[0])) + std::abs((x[2] - x[0]) * (y[1] - y[0]));
    const double range = std::max({z[0], z[1], z[2]}) - nearest;
    // Seen so nearly edge-on that its depth is unknown, it shows wherever it may cover a pixel.
    const bool edgeOn = kSlopeError * products * range >= std::abs(area);
    const double margin =
        edgeOn ? 2.0 : kDepthMargin + kSlopeError * products / std::abs(area) * range;
    PlaneDepth plane;
    if (!edgeOn) {
        plane.a = ((z[1] - z[0]) * (y[2] - y[0]) - (z[2] - z[0]) * (y[1] - y[0])) / area;
        plane.b = ((x[1] - x[0]) * (z[2] - z[0]) - (x[2] - x[0]) * (z[1] - z[0])) / area;
        plane.c = z[0] - plane.a * x[0] - plane.b * y[0] -
                  sampleSlack_ * (std::abs(plane.a) + std::abs(plane.b));
    }
    auto boundOver = [&](double px, double py, double halfWidth, double halfHeight) {
        const double onPlane = plane.a * px + plane.b * py + plane.c -
                               std::abs(plane.a) * halfWidth - std::abs(plane.b) * halfHeight;
        return static_cast<float>(std::max(nearest, onPlane) - margin);
    };
    return !showsSomewhere(x0, y0, x1, y1, static_cast<float>(nearest - margin), boundOver,
                           mayCover);
}
