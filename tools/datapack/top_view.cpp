#include "top_view.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

Rgb sample(const Image* texture, double u, double v) {
    if (!texture || texture->width == 0)
        return {150, 150, 150};
    int tx = static_cast<int>(std::floor((u - std::floor(u)) * texture->width)) % texture->width;
    int ty = static_cast<int>(std::floor((v - std::floor(v)) * texture->height)) % texture->height;
    // v runs up from the bottom row of the bitmap.
    return texture->at(tx, texture->height - 1 - ty);
}

} // namespace

Image renderTopView(const MeshBuilder& mesh, const std::map<std::string, Image>& textures,
                    double extent, int size, Rgb background) {
    Image image(size, size, background);
    std::vector<double> depth(std::size_t(size) * size, -std::numeric_limits<double>::infinity());
    const double pixel = extent / size;
    const double light[3] = {-0.45, 0.45, 0.77};
    for (const MeshTriangle& t : mesh.triangles()) {
        const MeshVertex &a = t.vertices[0], &b = t.vertices[1], &c = t.vertices[2];
        double px[3], py[3];
        for (int i = 0; i < 3; ++i) {
            px[i] = (t.vertices[i].x + extent / 2) / pixel;
            py[i] = (extent / 2 - t.vertices[i].y) / pixel;
        }
        double area = (px[1] - px[0]) * (py[2] - py[0]) - (px[2] - px[0]) * (py[1] - py[0]);
        if (std::abs(area) < 1e-9)
            continue;
        double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
        double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
        double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
        double length = std::sqrt(nx * nx + ny * ny + nz * nz);
        if (length == 0)
            continue;
        double lambert = std::abs(nx * light[0] + ny * light[1] + nz * light[2]) / length;
        double shade = 0.45 + 0.6 * lambert;
        auto found = textures.find(mesh.textureNames()[t.texture]);
        const Image* texture = found == textures.end() ? nullptr : &found->second;
        int x0 = std::max(0, static_cast<int>(std::floor(std::min({px[0], px[1], px[2]}))));
        int x1 = std::min(size - 1, static_cast<int>(std::ceil(std::max({px[0], px[1], px[2]}))));
        int y0 = std::max(0, static_cast<int>(std::floor(std::min({py[0], py[1], py[2]}))));
        int y1 = std::min(size - 1, static_cast<int>(std::ceil(std::max({py[0], py[1], py[2]}))));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                double cx = x + 0.5, cy = y + 0.5;
                double w1 =
                    ((cx - px[0]) * (py[2] - py[0]) - (px[2] - px[0]) * (cy - py[0])) / area;
                double w2 =
                    ((px[1] - px[0]) * (cy - py[0]) - (cx - px[0]) * (py[1] - py[0])) / area;
                double w0 = 1 - w1 - w2;
                if (w0 < 0 || w1 < 0 || w2 < 0)
                    continue;
                double z = w0 * a.z + w1 * b.z + w2 * c.z;
                double& d = depth[std::size_t(y) * size + x];
                if (z <= d)
                    continue;
                d = z;
                double u = w0 * a.u + w1 * b.u + w2 * c.u, v = w0 * a.v + w1 * b.v + w2 * c.v;
                image.at(x, y) = scale(sample(texture, u, v), shade);
            }
        }
    }
    return image;
}
