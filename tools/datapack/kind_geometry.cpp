#include "kind_geometry.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <set>

#include "grid_units.h"
#include "road_curve.h"
#include "road_ends.h"

namespace {

using std::numbers::pi;

struct Surfaces {
    std::uint16_t road, ground, wall, roof, pillar, foliage, trunk, rock, gate, facade, water;
};

// A convex polygon, turned so that its normal points along `hint` and fanned into triangles.
void face(MeshBuilder& mesh, std::uint16_t texture, std::vector<GridVertex> polygon,
          std::array<double, 3> hint) {
    const GridVertex &a = polygon[0], &b = polygon[1], &c = polygon[2];
    double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    if (nx * hint[0] + ny * hint[1] + nz * hint[2] < 0)
        std::reverse(polygon.begin(), polygon.end());
    for (std::size_t i = 1; i + 1 < polygon.size(); ++i)
        mesh.triangle(texture, polygon[0], polygon[i], polygon[i + 1]);
}

void tile(MeshBuilder& mesh, const Surfaces& s, double x0, double y0, double x1, double y1) {
    mesh.box(s.ground, s.ground, x0, y0, 0, x1, y1, kSlabThickness);
}

void straightRoad(MeshBuilder& mesh, const Surfaces& s, int length) {
    const double m = kRoadMargin, top = kSlabThickness + kRoadLift;
    tile(mesh, s, 0, 0, 1, length);
    face(mesh, s.road,
         {{m, 0, top, 0, 0},
          {1 - m, 0, top, 1, 0},
          {1 - m, double(length), top, 1, double(length)},
          {m, double(length), top, 0, double(length)}},
         {0, 0, 1});
    mesh.box(s.wall, s.wall, 0, 0, kSlabThickness, m * 0.6, length, kSlabThickness + 0.12);
    mesh.box(s.wall, s.wall, 1 - m * 0.6, 0, kSlabThickness, 1, length, kSlabThickness + 0.12);
}

void curveRoad(MeshBuilder& mesh, const Surfaces& s, int radius) {
    for (const CurveCell& cell : curveCells(radius))
        tile(mesh, s, cell.x, cell.y, cell.x + 1, cell.y + 1);
    const double cx = radius, cy = 0, m = kRoadMargin;
    const double inner = radius - 1 + m, outer = radius - m, mid = radius - 0.5;
    const double top = kSlabThickness + kRoadLift, curb = kSlabThickness + 0.12;
    const int segments = 8 * radius;
    auto at = [&](double r, double angle, double z, double u, double v) {
        return GridVertex{cx + r * std::cos(angle), cy + r * std::sin(angle), z, u, v};
    };
    for (int i = 0; i < segments; ++i) {
        double a0 = pi - (pi / 2) * i / segments, a1 = pi - (pi / 2) * (i + 1) / segments;
        double v0 = mid * (pi - a0), v1 = mid * (pi - a1);
        face(mesh, s.road,
             {at(inner, a0, top, 0, v0), at(outer, a0, top, 1, v0), at(outer, a1, top, 1, v1),
              at(inner, a1, top, 0, v1)},
             {0, 0, 1});
        // Curbs on both edges of the band.
        const double innerCurb = radius - 1 + m * 0.6, outerCurb = radius - m * 0.6;
        face(mesh, s.wall,
             {at(radius - 1, a0, curb, 0, v0), at(innerCurb, a0, curb, 1, v0),
              at(innerCurb, a1, curb, 1, v1), at(radius - 1, a1, curb, 0, v1)},
             {0, 0, 1});
        face(mesh, s.wall,
             {at(outerCurb, a0, curb, 0, v0), at(radius, a0, curb, 1, v0),
              at(radius, a1, curb, 1, v1), at(outerCurb, a1, curb, 0, v1)},
             {0, 0, 1});
        double midAngle = (a0 + a1) / 2;
        face(mesh, s.wall,
             {at(innerCurb, a0, kSlabThickness, 0, 0), at(innerCurb, a1, kSlabThickness, 1, 0),
              at(innerCurb, a1, curb, 1, 0.1), at(innerCurb, a0, curb, 0, 0.1)},
             {std::cos(midAngle), std::sin(midAngle), 0});
        face(mesh, s.wall,
             {at(outerCurb, a0, kSlabThickness, 0, 0), at(outerCurb, a1, kSlabThickness, 1, 0),
              at(outerCurb, a1, curb, 1, 0.1), at(outerCurb, a0, curb, 0, 0.1)},
             {-std::cos(midAngle), -std::sin(midAngle), 0});
    }
}

void slopeRoad(MeshBuilder& mesh, const Surfaces& s, int length, double rise) {
    const double k = mesh.levelToTexture();
    const double L = length, z0 = kSlabThickness, z1 = kSlabThickness + rise;
    const double run = std::hypot(L, rise * k);
    face(mesh, s.road, {{0, 0, z0, 0, 0}, {1, 0, z0, 1, 0}, {1, L, z1, 1, run}, {0, L, z1, 0, run}},
         {0, -rise, L});
    face(mesh, s.wall,
         {{0, 0, 0, 0, 0}, {0, L, 0, L, 0}, {0, L, z1, L, z1 * k}, {0, 0, z0, 0, z0 * k}},
         {-1, 0, 0});
    face(mesh, s.wall,
         {{1, 0, 0, 0, 0}, {1, L, 0, L, 0}, {1, L, z1, L, z1 * k}, {1, 0, z0, 0, z0 * k}},
         {1, 0, 0});
    face(mesh, s.wall,
         {{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {1, 0, z0, 1, z0 * k}, {0, 0, z0, 0, z0 * k}},
         {0, -1, 0});
    face(mesh, s.wall,
         {{0, L, 0, 0, 0}, {1, L, 0, 1, 0}, {1, L, z1, 1, z1 * k}, {0, L, z1, 0, z1 * k}},
         {0, 1, 0});
}

void gate(MeshBuilder& mesh, const Surfaces& s) {
    straightRoad(mesh, s, 1);
    mesh.box(s.pillar, s.pillar, 0.02, 0.44, kSlabThickness, 0.12, 0.56, 1.5);
    mesh.box(s.pillar, s.pillar, 0.88, 0.44, kSlabThickness, 0.98, 0.56, 1.5);
    // The banner shows its texture once across on both faces.
    const double b0 = 1.45, b1 = 1.9, y0 = 0.46, y1 = 0.54;
    face(mesh, s.gate, {{0, y0, b0, 0, 0}, {1, y0, b0, 1, 0}, {1, y0, b1, 1, 1}, {0, y0, b1, 0, 1}},
         {0, -1, 0});
    face(mesh, s.gate, {{0, y1, b0, 1, 0}, {1, y1, b0, 0, 0}, {1, y1, b1, 0, 1}, {0, y1, b1, 1, 1}},
         {0, 1, 0});
    face(mesh, s.pillar,
         {{0, y0, b1, 0, 0}, {1, y0, b1, 1, 0}, {1, y1, b1, 1, 0.1}, {0, y1, b1, 0, 0.1}},
         {0, 0, 1});
    face(mesh, s.pillar,
         {{0, y0, b0, 0, 0}, {1, y0, b0, 1, 0}, {1, y1, b0, 1, 0.1}, {0, y1, b0, 0, 0.1}},
         {0, 0, -1});
    face(mesh, s.pillar,
         {{0, y0, b0, 0, 0}, {0, y1, b0, 0.1, 0}, {0, y1, b1, 0.1, 1}, {0, y0, b1, 0, 1}},
         {-1, 0, 0});
    face(mesh, s.pillar,
         {{1, y0, b0, 0, 0}, {1, y1, b0, 0.1, 0}, {1, y1, b1, 0.1, 1}, {1, y0, b1, 0, 1}},
         {1, 0, 0});
}

// A solid of revolution around (cx, cy): rings of (radius, height) from bottom to top.
void lathe(MeshBuilder& mesh, std::uint16_t texture, double cx, double cy,
           const std::vector<std::pair<double, double>>& rings, int sides) {
    for (std::size_t r = 0; r + 1 < rings.size(); ++r) {
        auto [r0, z0] = rings[r];
        auto [r1, z1] = rings[r + 1];
        for (int i = 0; i < sides; ++i) {
            double a0 = 2 * pi * i / sides, a1 = 2 * pi * (i + 1) / sides, am = (a0 + a1) / 2;
            double u0 = double(i) / sides, u1 = double(i + 1) / sides;
            std::vector<GridVertex> poly;
            poly.push_back({cx + r0 * std::cos(a0), cy + r0 * std::sin(a0), z0, u0, 0});
            poly.push_back({cx + r0 * std::cos(a1), cy + r0 * std::sin(a1), z0, u1, 0});
            if (r1 > 1e-9)
                poly.push_back({cx + r1 * std::cos(a1), cy + r1 * std::sin(a1), z1, u1, 1});
            poly.push_back({cx + r1 * std::cos(a0), cy + r1 * std::sin(a0), z1, u0, 1});
            if (r0 < 1e-9)
                poly.erase(poly.begin());
            // Outward and up or down, by the slope of the ring pair.
            double nz = (r0 - r1);
            face(mesh, texture, poly, {std::cos(am) * (z1 - z0), std::sin(am) * (z1 - z0), nz});
        }
    }
}

void tree(MeshBuilder& mesh, const Surfaces& s, double h, bool pine) {
    tile(mesh, s, 0, 0, 1, 1);
    mesh.box(s.trunk, s.trunk, 0.45, 0.45, kSlabThickness, 0.55, 0.55, h * (pine ? 0.3 : 0.4));
    if (pine) {
        for (int tier = 0; tier < 3; ++tier) {
            double base = h * (0.2 + 0.25 * tier), top = base + h * 0.4;
            double radius = 0.45 - 0.1 * tier;
            lathe(mesh, s.foliage, 0.5, 0.5,
                  {{0, base}, {radius, base}, {0, std::min(top, h - 0.05)}}, 8);
        }
    } else {
        lathe(mesh, s.foliage, 0.5, 0.5,
              {{0, h * 0.3}, {0.35, h * 0.4}, {0.45, h * 0.6}, {0.3, h * 0.85}, {0, h - 0.05}}, 10);
    }
}

void rock(MeshBuilder& mesh, const Surfaces& s, int width, int length, std::uint32_t seed) {
    for (int y = 0; y < length; ++y)
        for (int x = 0; x < width; ++x)
            tile(mesh, s, x, y, x + 1, y + 1);
    const double cx = width / 2.0, cy = length / 2.0, rx = cx - 0.1, ry = cy - 0.1;
    const int rings = 5, sides = 10;
    auto jitter = [&](int ring, int side) {
        std::uint32_t h = (seed * 2654435761u) ^ (ring * 40503u) ^ ((side % sides) * 9176u);
        h ^= h >> 11;
        h *= 0x9e3779b1u;
        return 0.8 + 0.2 * ((h >> 8) & 0xff) / 255.0;
    };
    auto point = [&](int ring, int side) {
        double lat = (pi / 2) * ring / rings, a = 2 * pi * side / sides;
        double j = ring == rings ? 1.0 : jitter(ring, side);
        return GridVertex{cx + rx * std::cos(lat) * std::cos(a) * j,
                          cy + ry * std::cos(lat) * std::sin(a) * j,
                          kSlabThickness + 0.7 * std::sin(lat) * (ring == 0 ? 1.0 : j),
                          double(side) / sides * width, double(ring) / rings};
    };
    for (int ring = 0; ring < rings; ++ring) {
        for (int side = 0; side < sides; ++side) {
            double am = 2 * pi * (side + 0.5) / sides;
            std::array<double, 3> out{std::cos(am), std::sin(am), 0.5 + ring};
            if (ring + 1 == rings)
                face(mesh, s.rock, {point(ring, side), point(ring, side + 1), point(rings, 0)},
                     out);
            else {
                face(mesh, s.rock,
                     {point(ring, side), point(ring, side + 1), point(ring + 1, side + 1)}, out);
                face(mesh, s.rock,
                     {point(ring, side), point(ring + 1, side + 1), point(ring + 1, side)}, out);
            }
        }
    }
}

void building(MeshBuilder& mesh, const Surfaces& s, int width, int length, double height) {
    for (int y = 0; y < length; ++y)
        for (int x = 0; x < width; ++x)
            tile(mesh, s, x, y, x + 1, y + 1);
    const double w = width, l = length;
    const double x0 = 0.1, y0 = 0.1, x1 = w - 0.1, y1 = l - 0.1;
    const double eaves = height - 0.7, ridge = height - 0.05;
    mesh.box(s.roof, s.facade, x0, y0, kSlabThickness, x1, y1, eaves);
    const bool alongY = length >= width;
    if (alongY) {
        const double mx = width / 2.0;
        face(mesh, s.roof,
             {{x0, y0, eaves, 0, 0},
              {x0, y1, eaves, l, 0},
              {mx, y1, ridge, l, 1},
              {mx, y0, ridge, 0, 1}},
             {-1, 0, 1});
        face(mesh, s.roof,
             {{x1, y0, eaves, 0, 0},
              {x1, y1, eaves, l, 0},
              {mx, y1, ridge, l, 1},
              {mx, y0, ridge, 0, 1}},
             {1, 0, 1});
        face(mesh, s.facade,
             {{x0, y0, eaves, 0, 0}, {x1, y0, eaves, 1, 0}, {mx, y0, ridge, 0.5, 0.5}}, {0, -1, 0});
        face(mesh, s.facade,
             {{x0, y1, eaves, 0, 0}, {x1, y1, eaves, 1, 0}, {mx, y1, ridge, 0.5, 0.5}}, {0, 1, 0});
    } else {
        const double my = length / 2.0;
        face(mesh, s.roof,
             {{x0, y0, eaves, 0, 0},
              {x1, y0, eaves, w, 0},
              {x1, my, ridge, w, 1},
              {x0, my, ridge, 0, 1}},
             {0, -1, 1});
        face(mesh, s.roof,
             {{x0, y1, eaves, 0, 0},
              {x1, y1, eaves, w, 0},
              {x1, my, ridge, w, 1},
              {x0, my, ridge, 0, 1}},
             {0, 1, 1});
        face(mesh, s.facade,
             {{x0, y0, eaves, 0, 0}, {x0, y1, eaves, 1, 0}, {x0, my, ridge, 0.5, 0.5}}, {-1, 0, 0});
        face(mesh, s.facade,
             {{x1, y0, eaves, 0, 0}, {x1, y1, eaves, 1, 0}, {x1, my, ridge, 0.5, 0.5}}, {1, 0, 0});
    }
}

// The columns of a footprint: each ground cell with the lowest and highest level over it.
struct Column {
    int x = 0, y = 0, low = 0, high = 0;
};

std::vector<Column> columnsOf(const std::vector<Unit>& units) {
    std::map<std::pair<int, int>, Column> columns;
    for (const Unit& u : units) {
        auto [it, fresh] = columns.try_emplace({u.x, u.y}, Column{u.x, u.y, u.z, u.z});
        if (!fresh) {
            it->second.low = std::min(it->second.low, u.z);
            it->second.high = std::max(it->second.high, u.z);
        }
    }
    std::vector<Column> out;
    for (const auto& [cell, column] : columns)
        out.push_back(column);
    return out;
}

// Slim posts at the corners of a column that rise into its upper units, so that a road piece
// which the game builds taller than its surface shows its whole height without hiding it.
void sideRails(MeshBuilder& mesh, const Surfaces& s, const Column& c) {
    if (c.high == c.low)
        return;
    const double top = c.high + 0.35, w = 0.05;
    for (double px : {0.0, 1 - w})
        for (double py : {0.0, 1 - w})
            mesh.box(s.pillar, s.pillar, c.x + px, c.y + py, c.low, c.x + px + w, c.y + py + w,
                     top);
}

// Straight pieces run along y, or along x where the environment's tracks say so.
void placeAlong(MeshBuilder& mesh, const BlockKind& kind, double x, double y, double z) {
    mesh.place(x, y, z, false, false, 0, 0, roadOrientation(kind.environment).straightAlongX);
}

void roadColumns(MeshBuilder& mesh, const Surfaces& s, const BlockKind& kind,
                 const std::vector<Column>& columns) {
    for (const Column& c : columns) {
        placeAlong(mesh, kind, c.x, c.y, c.low);
        straightRoad(mesh, s, 1);
        mesh.place();
        sideRails(mesh, s, c);
    }
}

// An arrow along the road of a column.
void arrow(MeshBuilder& mesh, std::uint16_t texture, const BlockKind& kind, const Column& c) {
    const double z = kSlabThickness + kRoadLift + 0.01;
    placeAlong(mesh, kind, c.x, c.y, c.low);
    face(mesh, texture, {{0.25, 0.2, z, 0, 0}, {0.75, 0.2, z, 1, 0}, {0.5, 0.85, z, 0.5, 1}},
         {0, 0, 1});
    mesh.place();
}

void curve(MeshBuilder& mesh, const Surfaces& s, const BlockKind& kind,
           const std::vector<Column>& columns) {
    const int radius = curveRadius(kind);
    for (const Column& c : columns) {
        mesh.box(s.ground, s.ground, c.x, c.y, c.low, c.x + 1, c.y + 1, c.low + kSlabThickness);
        sideRails(mesh, s, c);
    }
    // The band is drawn around (R, 0); the other corners are its mirror images.
    const int corner = roadOrientation(kind.environment).curveCorner;
    mesh.place(0, 0, 0, corner == 0 || corner == 2, corner == 0 || corner == 3, radius, radius);
    curveRoad(mesh, s, radius);
    mesh.place();
}

void slope(MeshBuilder& mesh, const Surfaces& s, const BlockKind& kind,
           const std::vector<Column>& columns) {
    int low = 31, high = 0;
    for (const Column& c : columns) {
        low = std::min(low, c.low);
        high = std::max(high, c.high);
    }
    const bool even = std::all_of(columns.begin(), columns.end(),
                                  [&](const Column& c) { return c.low == low && c.high == high; });
    const RoadOrientation orientation = roadOrientation(kind.environment);
    const bool swap = orientation.straightAlongX, down = orientation.slopeClimbsToMinusY;
    const int length = (swap ? spanX(kind) : spanY(kind)) + 1;
    const int across = (swap ? spanY(kind) : spanX(kind)) + 1;
    if (even && static_cast<int>(columns.size()) == across * length) {
        const double rise = high > low ? high - low : 0.5;
        for (int a = 0; a < across; ++a) {
            mesh.place(swap ? 0 : a, swap ? a : 0, low, swap && down, !swap && down,
                       swap ? length : 1, swap ? 1 : length, swap);
            slopeRoad(mesh, s, length, rise);
        }
    } else {
        // An uneven footprint (diagonals, bends): each column climbs through its own levels.
        for (const Column& c : columns) {
            mesh.place(c.x, c.y, c.low, swap && down, !swap && down, 1, 1, swap);
            slopeRoad(mesh, s, 1, c.high > c.low ? c.high - c.low : 0.5);
        }
    }
    mesh.place();
}

// A ring of road standing across y, shifting along x as it climbs, as loopings do.
void loop(MeshBuilder& mesh, const Surfaces& s, const BlockKind& kind) {
    const double cy = (spanY(kind) + 1) / 2.0, ry = cy - 0.05;
    int high = 0;
    for (const Unit& u : kind.units)
        high = std::max(high, u.z);
    const double cz = (high + 1) / 2.0, rz = cz - 0.1;
    const double shift = spanX(kind);
    const int segments = 32;
    for (int i = 0; i < segments; ++i) {
        const double t0 = double(i) / segments, t1 = double(i + 1) / segments;
        const double a0 = -pi / 2 + 2 * pi * t0, a1 = -pi / 2 + 2 * pi * t1;
        const double y0 = cy + ry * std::cos(a0), z0 = cz + rz * std::sin(a0);
        const double y1 = cy + ry * std::cos(a1), z1 = cz + rz * std::sin(a1);
        const double x0 = shift * t0, x1 = shift * t1;
        face(mesh, s.road,
             {{x0, y0, z0, 0, t0 * 8},
              {x0 + 1, y0, z0, 1, t0 * 8},
              {x1 + 1, y1, z1, 1, t1 * 8},
              {x1, y1, z1, 0, t1 * 8}},
             {0, cy - (y0 + y1) / 2, cz - (z0 + z1) / 2});
    }
}

void gates(MeshBuilder& mesh, const Surfaces& s, const BlockKind& kind,
           const std::vector<Column>& columns) {
    roadColumns(mesh, s, kind, columns);
    const Column& c = columns.front();
    placeAlong(mesh, kind, c.x, c.y, c.low);
    gate(mesh, s);
    mesh.place();
}

void ground(MeshBuilder& mesh, std::uint16_t top, std::uint16_t side,
            const std::vector<Column>& columns, double thickness) {
    for (const Column& c : columns)
        mesh.box(top, side, c.x, c.y, c.low, c.x + 1, c.y + 1, c.low + thickness);
}

void hill(MeshBuilder& mesh, const Surfaces& s, const std::vector<Column>& columns) {
    for (const Column& c : columns) {
        const double top = c.high + 0.6;
        mesh.box(s.ground, s.rock, c.x, c.y, c.low, c.x + 1, c.y + 1, c.high + 0.15);
        // A mound on top that reads as rising ground.
        face(mesh, s.ground,
             {{c.x + 0.0, c.y + 0.0, c.high + 0.15, 0, 0},
              {c.x + 1.0, c.y + 0.0, c.high + 0.15, 1, 0},
              {c.x + 0.5, c.y + 0.5, top, 0.5, 0.5}},
             {0, -1, 1});
        face(mesh, s.ground,
             {{c.x + 1.0, c.y + 0.0, c.high + 0.15, 0, 0},
              {c.x + 1.0, c.y + 1.0, c.high + 0.15, 1, 0},
              {c.x + 0.5, c.y + 0.5, top, 0.5, 0.5}},
             {1, 0, 1});
        face(mesh, s.ground,
             {{c.x + 1.0, c.y + 1.0, c.high + 0.15, 0, 0},
              {c.x + 0.0, c.y + 1.0, c.high + 0.15, 1, 0},
              {c.x + 0.5, c.y + 0.5, top, 0.5, 0.5}},
             {0, 1, 1});
        face(mesh, s.ground,
             {{c.x + 0.0, c.y + 1.0, c.high + 0.15, 0, 0},
              {c.x + 0.0, c.y + 0.0, c.high + 0.15, 1, 0},
              {c.x + 0.5, c.y + 0.5, top, 0.5, 0.5}},
             {-1, 0, 1});
    }
}

void pillars(MeshBuilder& mesh, const Surfaces& s, const std::vector<Column>& columns) {
    for (const Column& c : columns) {
        const double top = c.high + 1;
        mesh.box(s.pillar, s.pillar, c.x + 0.3, c.y + 0.3, c.low, c.x + 0.7, c.y + 0.7, top - 0.08);
        mesh.box(s.pillar, s.pillar, c.x + 0.2, c.y + 0.2, top - 0.08, c.x + 0.8, c.y + 0.8, top);
    }
}

// Whether the units fill the box of their extents.
bool fillsItsBox(const BlockKind& kind, const std::vector<Column>& columns) {
    const int levels = columns.empty() ? 0 : columns.front().high - columns.front().low + 1;
    return static_cast<int>(kind.units.size()) == (spanX(kind) + 1) * (spanY(kind) + 1) * levels;
}

// An irregular shape built unit by unit, as rough as its footprint.
void unitBlocks(MeshBuilder& mesh, std::uint16_t top, std::uint16_t side, const BlockKind& kind) {
    for (const Unit& u : kind.units)
        mesh.box(top, side, u.x + 0.04, u.y + 0.04, u.z, u.x + 0.96, u.y + 0.96, u.z + 0.96);
}

void walls(MeshBuilder& mesh, const Surfaces& s, const std::vector<Column>& columns) {
    for (const Column& c : columns) {
        mesh.box(s.ground, s.ground, c.x, c.y, c.low, c.x + 1, c.y + 1, c.low + kSlabThickness);
        mesh.box(s.facade, s.wall, c.x + 0.42, c.y + 0.05, c.low, c.x + 0.58, c.y + 0.95,
                 c.high + 0.9);
    }
}

// A thin slab under every column, for families whose shape does not stand on each of them.
void footings(MeshBuilder& mesh, const Surfaces& s, const std::vector<Column>& columns) {
    for (const Column& c : columns)
        mesh.box(s.ground, s.ground, c.x, c.y, c.low, c.x + 1, c.y + 1, c.low + 0.05);
}

int highestOf(const std::vector<Column>& columns) {
    int high = 0;
    for (const Column& c : columns)
        high = std::max(high, c.high);
    return high;
}

} // namespace

double halfSpanX(const std::vector<Unit>& units) {
    auto [lo, hi] = std::minmax_element(units.begin(), units.end(),
                                        [](const Unit& a, const Unit& b) { return a.x < b.x; });
    return (hi->x - lo->x) / 2.0;
}

double halfSpanY(const std::vector<Unit>& units) {
    auto [lo, hi] = std::minmax_element(units.begin(), units.end(),
                                        [](const Unit& a, const Unit& b) { return a.y < b.y; });
    return (hi->y - lo->y) / 2.0;
}

namespace {

// Whether each unit holds part of the model: some triangle over its column that reaches into
// its level.
bool reachesEveryUnit(const MeshBuilder& mesh, const BlockKind& kind) {
    MeshBuilder frame = MeshBuilder::forBlock(halfSpanX(kind.units), halfSpanY(kind.units));
    std::set<Unit> reached;
    for (const MeshTriangle& t : mesh.triangles()) {
        double x = 0, y = 0, low = 1e9, high = -1e9;
        for (const MeshVertex& v : t.vertices) {
            const std::array<double, 3> g = frame.toGrid(v);
            x += g[0] / 3;
            y += g[1] / 3;
            low = std::min(low, g[2]);
            high = std::max(high, g[2]);
        }
        for (const Unit& u : kind.units)
            if (x > u.x - 1e-3 && x < u.x + 1 + 1e-3 && y > u.y - 1e-3 && y < u.y + 1 + 1e-3 &&
                high > u.z + 0.02 && low < u.z + 0.98)
                reached.insert(u);
    }
    return reached.size() == kind.units.size();
}

// The same, stricter: some vertex lies well inside each unit. Road pieces of uneven footprints
// need it, since their surfaces cross levels between vertices.
bool hasVertexInEveryUnit(const MeshBuilder& mesh, const BlockKind& kind) {
    MeshBuilder frame = MeshBuilder::forBlock(halfSpanX(kind.units), halfSpanY(kind.units));
    std::set<Unit> reached;
    for (const MeshTriangle& t : mesh.triangles())
        for (const MeshVertex& v : t.vertices) {
            const std::array<double, 3> g = frame.toGrid(v);
            const Unit u{static_cast<int>(std::floor(g[0])), static_cast<int>(std::floor(g[1])),
                         static_cast<int>(std::floor(g[2] - 0.02))};
            if (g[2] - std::floor(g[2] - 0.02) < 0.98)
                reached.insert(u);
        }
    return std::all_of(kind.units.begin(), kind.units.end(),
                       [&](const Unit& u) { return reached.count(u) > 0; });
}

MeshBuilder familyMesh(const BlockKind& kind) {
    MeshBuilder mesh = MeshBuilder::forBlock(halfSpanX(kind.units), halfSpanY(kind.units));
    std::vector<std::array<int, 3>> boxes;
    for (const Unit& u : kind.units)
        boxes.push_back({u.x, u.y, u.z});
    mesh.keepWithin(boxes);
    const std::vector<Column> columns = columnsOf(kind.units);
    Surfaces s{};
    s.road = mesh.texture(roadTexture(kind.surface));
    s.ground = mesh.texture(groundTexture(0));
    s.wall = mesh.texture(kWallTexture);
    s.pillar = mesh.texture(kPillarTexture);
    const int width = spanX(kind) + 1, length = spanY(kind) + 1;
    switch (kind.family) {
    case Family::Road:
        roadColumns(mesh, s, kind, columns);
        break;
    case Family::Turbo: {
        roadColumns(mesh, s, kind, columns);
        const std::uint16_t turbo = mesh.texture(kTurboTexture);
        for (const Column& c : columns)
            arrow(mesh, turbo, kind, c);
        break;
    }
    case Family::Curve:
        curve(mesh, s, kind, columns);
        break;
    case Family::Slope:
        slope(mesh, s, kind, columns);
        footings(mesh, s, columns);
        for (const Column& c : columns)
            sideRails(mesh, s, c);
        break;
    case Family::Loop:
        loop(mesh, s, kind);
        footings(mesh, s, columns);
        for (const Column& c : columns)
            sideRails(mesh, s, c);
        break;
    case Family::Start:
    case Family::Finish:
    case Family::StartFinish:
    case Family::Checkpoint:
        s.gate = mesh.texture(kind.family == Family::Start        ? kStartTexture
                              : kind.family == Family::Checkpoint ? kCheckpointTexture
                                                                  : kFinishTexture);
        gates(mesh, s, kind, columns);
        break;
    case Family::Pillar:
        if (!fillsItsBox(kind, columns)) {
            unitBlocks(mesh, s.pillar, s.pillar, kind);
            break;
        }
        pillars(mesh, s, columns);
        break;
    case Family::Terrain:
        ground(mesh, s.ground, s.ground, columns, kSlabThickness + 0.05);
        break;
    case Family::Hill:
        s.rock = mesh.texture(kRockTexture);
        hill(mesh, s, columns);
        break;
    case Family::Water:
        s.water = mesh.texture(kWaterTexture);
        ground(mesh, s.water, s.water, columns, 0.1);
        break;
    case Family::Clip:
        ground(mesh, s.ground, s.ground, columns, 0.05);
        break;
    case Family::Tree:
        s.foliage = mesh.texture(kFoliageTexture);
        s.trunk = mesh.texture(kTrunkTexture);
        tree(mesh, s, highestOf(columns) + 0.95, kind.name.find("Pine") != std::string::npos);
        footings(mesh, s, columns);
        break;
    case Family::Rock:
        s.rock = mesh.texture(kRockTexture);
        rock(mesh, s, width, length, static_cast<std::uint32_t>(kind.index));
        footings(mesh, s, columns);
        break;
    case Family::Building:
        s.roof = mesh.texture(kRoofTexture);
        s.facade = mesh.texture(kFacadeTexture);
        if (!fillsItsBox(kind, columns)) {
            unitBlocks(mesh, s.roof, s.facade, kind);
            break;
        }
        building(mesh, s, width, length, highestOf(columns) + 0.95);
        footings(mesh, s, columns);
        break;
    case Family::Wall:
        s.facade = mesh.texture(kFacadeTexture);
        walls(mesh, s, columns);
        break;
    }
    return mesh;
}

} // namespace

MeshBuilder buildKindMesh(const BlockKind& kind) {
    MeshBuilder mesh = familyMesh(kind);
    if (reachesEveryUnit(mesh, kind) && (!isRoad(kind.family) || hasVertexInEveryUnit(mesh, kind)))
        return mesh;
    // A shape that the family's drawing leaves partly empty is built unit by unit: road as a
    // slab of road in each unit, anything else as a block per unit.
    MeshBuilder rough = MeshBuilder::forBlock(halfSpanX(kind.units), halfSpanY(kind.units));
    const std::uint16_t wall = rough.texture(kWallTexture);
    if (!isRoad(kind.family)) {
        unitBlocks(rough, rough.texture(kFacadeTexture), wall, kind);
        return rough;
    }
    const std::uint16_t road = rough.texture(roadTexture(kind.surface));
    for (const Unit& u : kind.units)
        rough.box(road, wall, u.x, u.y, u.z, u.x + 1, u.y + 1, u.z + kSlabThickness + kRoadLift);
    return rough;
}
