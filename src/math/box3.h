#pragma once

#include <algorithm>

#include "math/vec3.h"

// An axis-aligned box; empty until a point is added.
struct Box3 {
    Vec3 lo{1e300, 1e300, 1e300};
    Vec3 hi{-1e300, -1e300, -1e300};

    bool empty() const { return lo.x > hi.x; }
    void add(const Vec3& p) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    void add(const Box3& b) {
        if (!b.empty()) {
            add(b.lo);
            add(b.hi);
        }
    }
    Vec3 corner(int i) const {
        return {i & 1 ? hi.x : lo.x, i & 2 ? hi.y : lo.y, i & 4 ? hi.z : lo.z};
    }
};

// Whether the ray from origin along direction (any length) meets the box grown by margin on
// every side; the ray starts at origin, so a box wholly behind it is missed.
bool rayHitsBox(const Vec3& origin, const Vec3& direction, const Box3& box, double margin);
