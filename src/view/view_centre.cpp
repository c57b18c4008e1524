#include "view/view_centre.h"

#include <cmath>

#include "view/world_grid.h"

namespace {

int clampToGrid(double value) {
    if (!(value >= 0))
        return 0;
    return value > kGridSize - 1 ? kGridSize - 1 : static_cast<int>(value);
}

} // namespace

GridCell viewCentreCell(const Camera& camera, int cursorLevel) {
    const int level = onGrid(cursorLevel) ? cursorLevel : 1;
    // The bottom face of the level, where the area cursor plane lies.
    const double height = level * kLevelHeight - kHalfLevel - kLevelOffset - kHalfLevel;
    Vec3 point = camera.position;
    if (std::abs(camera.direction.z) > 1e-9) {
        const double t = (height - camera.position.z) / camera.direction.z;
        if (t > 0)
            point = camera.position + camera.direction * t;
    }
    // Grid x runs along -X and grid y along +Y, one cell width each.
    return GridCell{static_cast<std::int8_t>(clampToGrid(std::floor(-point.x / kCellWidth))),
                    static_cast<std::int8_t>(clampToGrid(std::floor(point.y / kCellWidth))),
                    static_cast<std::int8_t>(level)};
}
