#pragma once

#include <cstddef>
#include <vector>

#include "math/box3.h"
#include "math/mat4.h"

// The depth buffer of the view as drawn so far, read back with the matrices it was drawn with,
// and the farthest depth of each tile of 8 x 8 pixels and of each block of 4 x 4 tiles: tells
// whether a box or triangles would show any pixel over what is drawn. Conservative: where it
// cannot tell, they show; it never hides what the rasteriser would draw over what is there.
class DepthTiles {
  public:
    // Reads the depth of the current viewport (waiting for the drawing so far).
    void read();
    // Whether every pixel the box may cover holds something nearer than the box's nearest point.
    bool hides(const Box3& box) const;
    // Whether every pixel the triangles may cover holds something nearer than they are there;
    // nine coordinates a triangle. Conservative: a triangle reaching behind the near plane shows.
    bool hidesTriangles(const float* corners, std::size_t count) const;

    // A point in clip space.
    struct Clip {
        double x, y, z, w;
    };

  private:
    static constexpr int kTile = 8;
    static constexpr int kTilesPerBlock = 4;

    float depthAt(int x, int y) const { return depth_[static_cast<std::size_t>(y) * width_ + x]; }
    Clip toClip(double x, double y, double z) const;
    bool hidesTriangle(const float* corners) const;
    // Whether a pixel centre within columns x0..x1 and rows y0..y1 that the shape may cover
    // holds a depth as far as the shape's there. `nearest` bounds the shape's depth everywhere,
    // boundOver(x, y, half width, half height) over a rectangle, and mayCover(...) says whether
    // the shape may meet it.
    template <class BoundOver, class MayCover>
    bool showsSomewhere(int x0, int y0, int x1, int y1, float nearest, BoundOver boundOver,
                        MayCover mayCover) const;

    int width_ = 0;
    int height_ = 0;
    // How far from a pixel centre a triangle may be and still be given that pixel.
    double sampleSlack_ = 1.0 / 16;
    std::vector<float> depth_;
    int tilesX_ = 0;
    std::vector<float> farthest_;
    // The farthest depth of each block of 4 x 4 tiles.
    int blocksX_ = 0;
    std::vector<float> farthestOfBlock_;
    Mat4 matrix_; // projection times model-view
};
