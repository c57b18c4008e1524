#include "road_curve.h"

#include <algorithm>
#include <cmath>

std::vector<CurveCell> curveCells(int radius) {
    std::vector<CurveCell> cells;
    const double cx = radius, cy = 0;
    for (int y = 0; y < radius; ++y) {
        for (int x = 0; x < radius; ++x) {
            // Nearest and farthest points of the cell from the corner point.
            double nx = std::clamp(cx, double(x), double(x + 1)) - cx;
            double ny = std::clamp(cy, double(y), double(y + 1)) - cy;
            double fx = std::max(std::abs(x - cx), std::abs(x + 1 - cx));
            double fy = std::max(std::abs(y - cy), std::abs(y + 1 - cy));
            double nearest = std::hypot(nx, ny), farthest = std::hypot(fx, fy);
            if (nearest < radius && farthest > radius - 1)
                cells.push_back({x, y});
        }
    }
    return cells;
}
