#include "mesh_builder.h"

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

void MeshBuilder::triangle(std::uint16_t texture, GridVertex a, GridVertex b, GridVertex c) {
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
