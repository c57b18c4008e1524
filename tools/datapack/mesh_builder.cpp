#include "mesh_builder.h"

#include <algorithm>
#include <cmath>

#include "byte_buffer.h"
#include "grid_units.h"

MeshBuilder::MeshBuilder(std::array<double, 3> origin, std::array<double, 3> scale)
    : origin_(origin), scale_(scale), mirrored_(scale[0] * scale[1] * scale[2] < 0) {}

MeshBuilder MeshBuilder::forBlock(double halfSizeX, double halfSizeY) {
    // Grid x runs along -X; the anchor is the footprint's centre in the middle of the level.
    return MeshBuilder(
        {kCellSize * (halfSizeX + 0.5), -kCellSize * (halfSizeY + 0.5), -kLevelHeight / 2},
        {-kCellSize, kCellSize, kLevelHeight});
}

std::uint16_t MeshBuilder::texture(const std::string& name) {
    for (std::size_t i = 0; i < textures_.size(); ++i)
        if (textures_[i] == name)
            return static_cast<std::uint16_t>(i);
    textures_.push_back(name);
    return static_cast<std::uint16_t>(textures_.size() - 1);
}

MeshVertex MeshBuilder::toWorld(const GridVertex& g) const {
    return {static_cast<float>(origin_[0] + scale_[0] * g.x),
            static_cast<float>(origin_[1] + scale_[1] * g.y),
            static_cast<float>(origin_[2] + scale_[2] * g.z), static_cast<float>(g.u),
            static_cast<float>(g.v)};
}

void MeshBuilder::place(double dx, double dy, double dz, bool mirrorX, bool mirrorY, double spanX,
                        double spanY, bool swapXY) {
    placeOffset_ = {dx + (mirrorX ? spanX : 0), dy + (mirrorY ? spanY : 0), dz};
    placeSign_ = {mirrorX ? -1.0 : 1.0, mirrorY ? -1.0 : 1.0};
    placeSwap_ = swapXY;
}

std::array<double, 3> MeshBuilder::toGrid(const MeshVertex& v) const {
    return {(v.x - origin_[0]) / scale_[0], (v.y - origin_[1]) / scale_[1],
            (v.z - origin_[2]) / scale_[2]};
}

GridVertex MeshBuilder::toBase(const GridVertex& g) const {
    const double x = placeSwap_ ? g.y : g.x, y = placeSwap_ ? g.x : g.y;
    return {placeOffset_[0] + placeSign_[0] * x, placeOffset_[1] + placeSign_[1] * y,
            placeOffset_[2] + g.z, g.u, g.v};
}

void MeshBuilder::keepInside(std::array<GridVertex, 3>& v) const {
    auto distance = [](const std::array<int, 3>& box, double x, double y, double z) {
        auto gap = [](double p, int lo) { return std::max({lo - p, p - (lo + 1), 0.0}); };
        return std::hypot(gap(x, box[0]), gap(y, box[1]), gap(z, box[2]));
    };
    auto inBoxes = [&](double x, double y, double z) {
        for (const auto& box : boxes_)
            if (distance(box, x, y, z) < 1e-9)
                return true;
        return false;
    };
    const double cx = (v[0].x + v[1].x + v[2].x) / 3, cy = (v[0].y + v[1].y + v[2].y) / 3,
                 cz = (v[0].z + v[1].z + v[2].z) / 3;
    // Corners, edge middles and centre inside: the triangle stays as it is.
    bool inside = inBoxes(cx, cy, cz);
    for (int i = 0; i < 3 && inside; ++i) {
        const GridVertex &a = v[i], &b = v[(i + 1) % 3];
        inside =
            inBoxes(a.x, a.y, a.z) && inBoxes((a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2);
    }
    if (inside)
        return;
    const std::array<int, 3>* nearest = &boxes_.front();
    for (const auto& box : boxes_)
        if (distance(box, cx, cy, cz) < distance(*nearest, cx, cy, cz))
            nearest = &box;
    for (GridVertex& p : v) {
        p.x = std::clamp(p.x, double((*nearest)[0]), double((*nearest)[0] + 1));
        p.y = std::clamp(p.y, double((*nearest)[1]), double((*nearest)[1] + 1));
        p.z = std::clamp(p.z, double((*nearest)[2]), double((*nearest)[2] + 1));
    }
}

void MeshBuilder::triangle(std::uint16_t texture, GridVertex a, GridVertex b, GridVertex c) {
    std::array<GridVertex, 3> v = {toBase(a), toBase(b), toBase(c)};
    // A mirrored placement turns the winding; swapping two corners turns it back.
    if ((placeSign_[0] * placeSign_[1] < 0) != placeSwap_)
        std::swap(v[1], v[2]);
    if (!boxes_.empty())
        keepInside(v);
    a = v[0];
    b = v[1];
    c = v[2];
    // A triangle without area (an arc of radius 0, a face of zero height) draws nothing.
    double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    if (nx * nx + ny * ny + nz * nz < 1e-12)
        return;
    MeshTriangle t;
    t.texture = texture;
    t.vertices = {toWorld(a), toWorld(b), toWorld(c)};
    if (mirrored_)
        std::swap(t.vertices[1], t.vertices[2]);
    triangles_.push_back(t);
}

void MeshBuilder::quad(std::uint16_t texture, GridVertex a, GridVertex b, GridVertex c,
                       GridVertex d) {
    triangle(texture, a, b, c);
    triangle(texture, a, c, d);
}

double MeshBuilder::levelToTexture() const {
    return std::abs(scale_[2] / scale_[0]);
}

void MeshBuilder::box(std::uint16_t top, std::uint16_t side, double x0, double y0, double z0,
                      double x1, double y1, double z1, bool withBottom) {
    const double k = levelToTexture();
    const double v0 = z0 * k, v1 = z1 * k;
    quad(top, {x0, y0, z1, x0, y0}, {x1, y0, z1, x1, y0}, {x1, y1, z1, x1, y1},
         {x0, y1, z1, x0, y1});
    if (withBottom)
        quad(side, {x0, y0, z0, x0, y0}, {x0, y1, z0, x0, y1}, {x1, y1, z0, x1, y1},
             {x1, y0, z0, x1, y0});
    // Sides, each seen from outside: -y, +x, +y, -x.
    quad(side, {x0, y0, z0, x0, v0}, {x1, y0, z0, x1, v0}, {x1, y0, z1, x1, v1},
         {x0, y0, z1, x0, v1});
    quad(side, {x1, y0, z0, y0, v0}, {x1, y1, z0, y1, v0}, {x1, y1, z1, y1, v1},
         {x1, y0, z1, y0, v1});
    quad(side, {x1, y1, z0, x1, v0}, {x0, y1, z0, x0, v0}, {x0, y1, z1, x0, v1},
         {x1, y1, z1, x1, v1});
    quad(side, {x0, y1, z0, y1, v0}, {x0, y0, z0, y0, v0}, {x0, y0, z1, y0, v1},
         {x0, y1, z1, y1, v1});
}

std::vector<std::uint8_t> MeshBuilder::encode() const {
    // Only the textures that some triangle uses are named, in the order they were registered.
    std::vector<int> renumbered(textures_.size(), -1);
    for (const MeshTriangle& t : triangles_)
        renumbered[t.texture] = 0;
    std::vector<std::string> used;
    for (std::size_t i = 0; i < textures_.size(); ++i)
        if (renumbered[i] == 0) {
            renumbered[i] = static_cast<int>(used.size());
            used.push_back(textures_[i]);
        }
    std::vector<MeshTriangle> triangles = triangles_;
    for (MeshTriangle& t : triangles)
        t.texture = static_cast<std::uint16_t>(renumbered[t.texture]);
    return encodeModel(used, triangles);
}

std::vector<std::uint8_t> encodeModel(const std::vector<std::string>& textureNames,
                                      const std::vector<MeshTriangle>& triangles) {
    ByteBuffer out;
    out.u16(static_cast<std::uint16_t>(textureNames.size()));
    out.u32(static_cast<std::uint32_t>(triangles.size()));
    for (const std::string& name : textureNames) {
        out.text(name);
        out.u8(0);
    }
    for (const MeshTriangle& t : triangles) {
        out.u16(t.texture);
        for (const MeshVertex& v : t.vertices) {
            out.f32(v.x);
            out.f32(v.y);
            out.f32(v.z);
            out.f32(v.u);
            out.f32(v.v);
        }
    }
    return out.take();
}
