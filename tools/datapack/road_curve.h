#pragma once

#include <vector>

#include "grid_units.h"

// A quarter-turn road of radius R cells runs around the corner point (R, 0) of its footprint,
// from the y = 0 edge of cell (0, 0) to the x = R edge of cell (R - 1, R - 1). Its road band
// lies between radii R - 1 + kRoadMargin and R - kRoadMargin.
struct CurveCell {
    int x = 0;
    int y = 0;
};

// The cells of the R x R square that the band between radii R - 1 and R passes through.
std::vector<CurveCell> curveCells(int radius);
