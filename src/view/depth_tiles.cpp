#include "view/depth_tiles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include <GL/gl.h>

namespace {

// Depth by which a box must lie behind what is drawn: the rasteriser's depths and these
// computed ones round differently.
constexpr double kDepthMargin = 1e-5;

// Pixels whose centre lies this far outside a box's outline may still be drawn by it: the
// rasteriser snaps vertices to its own grid.
constexpr double kOutlineMargin = 1.5;

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

// The sides of a convex outline as lines a x + b y + c = 0, (a, b) of unit length pointing in:
// a point lies within the margin when a x + b y + c >= -margin for every side.
struct Outline {
    std::vector<std::array<double, 3>> sides;

    explicit Outline(const std::vector<Point2>& hull) {
        if (hull.size() < 3)
            return;
        for (std::size_t i = 0; i < hull.size(); ++i) {
            const Point2& p = hull[i];
            const Point2& q = hull[(i + 1) % hull.size()];
            const double length = std::hypot(q.x - p.x, q.y - p.y);
            if (length <= 0)
                continue;
            const double a = -(q.y - p.y) / length, b = (q.x - p.x) / length;
            sides.push_back({a, b, -(a * p.x + b * p.y)});
        }
    }
    // Whether any point of the axis-aligned rectangle may lie within the margin.
    bool mayMeet(double x0, double y0, double x1, double y1) const {
        for (const auto& [a, b, c] : sides)
            if (a * (a > 0 ? x1 : x0) + b * (b > 0 ? y1 : y0) + c < -kOutlineMargin)
                return false;
        return true;
    }
    bool near(double x, double y) const {
        for (const auto& [a, b, c] : sides)
            if (a * x + b * y + c < -kOutlineMargin)
                return false;
        return true;
    }
};

// A point in clip space.
struct Clip {
    double x, y, z, w;
};

// The view's four sides and its near plane, -w <= x, y <= w and -w <= z, as planes in clip space
// with the view on their positive side.
constexpr double kViewPlanes[5][4] = {
    {1, 0, 0, 1}, {-1, 0, 0, 1}, {0, 1, 0, 1}, {0, -1, 0, 1}, {0, 0, 1, 1}};

double side(const double* plane, const Clip& v) {
    return plane[0] * v.x + plane[1] * v.y + plane[2] * v.z + plane[3] * v.w;
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
    Clip corners[8];
    for (int c = 0; c < 8; ++c) {
        const Vec3 p = box.corner(c);
        double* out = &corners[c].x;
        for (int row = 0; row < 4; ++row)
            out[row] = matrix_[row] * p.x + matrix_[4 + row] * p.y + matrix_[8 + row] * p.z +
                       matrix_[12 + row];
    }
    // A box wholly outside one of the view's planes is out of view.
    for (const auto& plane : kViewPlanes)
        if (std::all_of(corners, corners + 8, [&](const Clip& v) { return side(plane, v) < 0; }))
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
    const float limit = static_cast<float>(nearest - kDepthMargin);
    // Within the rectangle, only pixels near the outline: a wall seen aslant covers a small part
    // of its rectangle.
    std::optional<Outline> outline;
    for (int ty = y0 / kTile; ty <= y1 / kTile; ++ty)
        for (int tx = x0 / kTile; tx <= x1 / kTile; ++tx) {
            if (farthest_[static_cast<std::size_t>(ty) * tilesX_ + tx] < limit)
                continue;
            if (!outline)
                outline.emplace(outlineOf(std::move(points)));
            if (!outline->mayMeet(tx * kTile + 0.5, ty * kTile + 0.5, tx * kTile + kTile - 0.5,
                                  ty * kTile + kTile - 0.5))
                continue;
            // The tile holds something as far as the box: look at its pixels within the box.
            for (int y = std::max(y0, ty * kTile); y <= std::min(y1, ty * kTile + kTile - 1); ++y)
                for (int x = std::max(x0, tx * kTile); x <= std::min(x1, tx * kTile + kTile - 1);
                     ++x)
                    if (depthAt(x, y) >= limit && outline->near(x + 0.5, y + 0.5))
                        return false;
        }
    return true;
}
