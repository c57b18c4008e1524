#include "math/box3.h"

#include <utility>

bool rayHitsBox(const Vec3& origin, const Vec3& direction, const Box3& box, double margin) {
    if (box.empty())
        return false;
    const double o[3] = {origin.x, origin.y, origin.z};
    const double d[3] = {direction.x, direction.y, direction.z};
    const double lo[3] = {box.lo.x - margin, box.lo.y - margin, box.lo.z - margin};
    const double hi[3] = {box.hi.x + margin, box.hi.y + margin, box.hi.z + margin};
    double enter = 0;
    double leave = 1e300;
    for (int i = 0; i < 3; ++i) {
        if (d[i] == 0) {
            if (o[i] < lo[i] || o[i] > hi[i])
                return false;
            continue;
        }
        double t0 = (lo[i] - o[i]) / d[i];
        double t1 = (hi[i] - o[i]) / d[i];
        if (t0 > t1)
            std::swap(t0, t1);
        enter = std::max(enter, t0);
        leave = std::min(leave, t1);
        if (enter > leave)
            return false;
    }
    return true;
}
