#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A vertex in the builder's own frame (for blocks: x and y in cells from the footprint's corner,
// z in levels from the bottom of the block's level) with its texture coordinates.
struct GridVertex {
    double x = 0;
    double y = 0;
    double z = 0;
    double u = 0;
    double v = 0;
};

struct MeshVertex {
    float x = 0, y = 0, z = 0, u = 0, v = 0;
};

struct MeshTriangle {
    std::uint16_t texture = 0;
    std::array<MeshVertex, 3> vertices;
};

// Builds a model's triangles in world units from vertices in an axis-aligned frame:
// X = originX + scaleX * x, and so on. Faces are given counter-clockwise as seen from outside in
// the builder's frame; a mirroring frame has its windings turned so that they stay
// counter-clockwise in world space.
class MeshBuilder {
  public:
    MeshBuilder(std::array<double, 3> origin, std::array<double, 3> scale);
    // The frame of a block whose footprint spans 2 * halfSizeX + 1 by 2 * halfSizeY + 1 cells:
    // its anchor (the centre of the footprint, in the middle of its level) becomes the origin.
    static MeshBuilder forBlock(double halfSizeX, double halfSizeY);

    std::uint16_t texture(const std::string& name);
    void triangle(std::uint16_t texture, GridVertex a, GridVertex b, GridVertex c);
    void quad(std::uint16_t texture, GridVertex a, GridVertex b, GridVertex c, GridVertex d);
    // An axis-aligned box; the top takes `top`, the four sides `side`, the bottom only when asked.
    // Texture coordinates run one repeat per cell across and per cell length upward.
    void box(std::uint16_t top, std::uint16_t side, double x0, double y0, double z0, double x1,
             double y1, double z1, bool withBottom = false);

    // Later vertices are given in a frame moved by (dx, dy, dz) and, when asked, with x and y
    // swapped and then mirrored across x = spanX / 2 and y = spanY / 2 of that moved frame;
    // place() with no arguments goes back.
    void place(double dx = 0, double dy = 0, double dz = 0, bool mirrorX = false,
               bool mirrorY = false, double spanX = 0, double spanY = 0, bool swapXY = false);
    // Boxes (x, y, z to x + 1, y + 1, z + 1) that every triangle is kept in: one that leaves them
    // (at a corner, the middle of an edge or its centre) is squeezed into the box nearest to its
    // centre.
    void keepWithin(std::vector<std::array<int, 3>> boxes) { boxes_ = std::move(boxes); }

    const std::vector<std::string>& textureNames() const { return textures_; }
    const std::vector<MeshTriangle>& triangles() const { return triangles_; }
    // Vertical texture repeats per level, so that side textures keep square texels.
    double levelToTexture() const;

    // A world vertex back in the builder's base frame (x, y in cells, z in levels).
    std::array<double, 3> toGrid(const MeshVertex& v) const;

    // The model file (encodeModel) naming only the textures that triangles use.
    std::vector<std::uint8_t> encode() const;

  private:
    MeshVertex toWorld(const GridVertex& g) const;
    GridVertex toBase(const GridVertex& g) const;
    void keepInside(std::array<GridVertex, 3>& v) const;

    std::array<double, 3> origin_;
    std::array<double, 3> scale_;
    bool mirrored_;
    std::array<double, 3> placeOffset_{};
    std::array<double, 2> placeSign_{1, 1};
    bool placeSwap_ = false;
    std::vector<std::array<int, 3>> boxes_;
    std::vector<std::string> textures_;
    std::vector<MeshTriangle> triangles_;
};

// A model file: u16 texture count, u32 triangle count, the zero-terminated texture names, then
// per triangle its u16 texture index and three vertices of x, y, z, u, v floats.
std::vector<std::uint8_t> encodeModel(const std::vector<std::string>& textureNames,
                                      const std::vector<MeshTriangle>& triangles);
