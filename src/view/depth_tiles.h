#pragma once

#include <vector>

#include "math/box3.h"

// The depth buffer of the view as drawn so far, read back with the matrices it was drawn with,
// and the farthest depth of each tile of 8 x 8 pixels: tells whether a box would show any pixel
// over what is drawn. Conservative: a box reaching behind the eye always shows.
class DepthTiles {
  public:
    // Reads the depth of the current viewport (waiting for the drawing so far).
    void read();
    // Whether every pixel the box may cover holds something nearer than the box's nearest point.
    bool hides(const Box3& box) const;

  private:
    static constexpr int kTile = 8;
    float depthAt(int x, int y) const { return depth_[static_cast<std::size_t>(y) * width_ + x]; }

    int width_ = 0;
    int height_ = 0;
    int tilesX_ = 0;
    std::vector<float> depth_;
    std::vector<float> farthest_;
    double matrix_[16] = {}; // projection times model-view, column-major as GL gives it
};
