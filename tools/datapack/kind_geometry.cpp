#include "kind_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "grid_units.h"
#include "road_curve.h"

namespace {

using std::numbers::pi;

struct Surfaces {
    std::uint16_t road, ground, wall, roof, pillar, foliage, trunk, rock, gate, facade;
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

void slopeRoad(MeshBuilder& mesh, const Surfaces& s, int length, int rise) {
    const double k = mesh.levelToTexture();
    const double L = length, z0 = kSlabThickness, z1 = kSlabThickness + rise;
    const double run = std::hypot(L, rise * k);
    face(mesh, s.road, {{0, 0, z0, 0, 0}, {1, 0, z0, 1, 0}, {1, L, z1, 1, run}, {0, L, z1, 0, run}},
         {0, -double(rise), L});
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

void tree(MeshBuilder& mesh, const Surfaces& s, int height, bool pine) {
    tile(mesh, s, 0, 0, 1, 1);
    const double h = height;
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

void building(MeshBuilder& mesh, const Surfaces& s, int width, int length, int height) {
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

MeshBuilder buildKindMesh(const BlockKind& kind, int variant) {
    MeshBuilder mesh = MeshBuilder::forBlock(halfSpanX(kind.units), halfSpanY(kind.units));
    const int road = (kind.style + variant) % kSurfaceCount;
    const int ground = (kind.style + kind.style / kSurfaceCount + variant) % kSurfaceCount;
    const std::string gateTexture = kind.shape.type == ShapeType::Start    ? kStartTexture
                                    : kind.shape.type == ShapeType::Finish ? kFinishTexture
                                                                           : kCheckpointTexture;
    Surfaces s{};
    s.road = mesh.texture(roadTexture(road));
    s.ground = mesh.texture(groundTexture(ground));
    s.wall = mesh.texture(kWallTexture);
    s.pillar = mesh.texture(kPillarTexture);
    const Shape& shape = kind.shape;
    switch (shape.type) {
    case ShapeType::RoadStraight:
        straightRoad(mesh, s, shape.length);
        break;
    case ShapeType::RoadCurve:
        curveRoad(mesh, s, shape.width);
        break;
    case ShapeType::RoadSlope:
        slopeRoad(mesh, s, shape.length, shape.rise);
        break;
    case ShapeType::RoadCross: {
        tile(mesh, s, 0, 0, 1, 1);
        const double top = kSlabThickness + kRoadLift;
        face(mesh, s.road,
             {{0, 0, top, 0, 0}, {1, 0, top, 1, 0}, {1, 1, top, 1, 1}, {0, 1, top, 0, 1}},
             {0, 0, 1});
        break;
    }
    case ShapeType::Start:
    case ShapeType::Finish:
    case ShapeType::Checkpoint:
        s.gate = mesh.texture(gateTexture);
        gate(mesh, s);
        break;
    case ShapeType::Platform:
        mesh.box(s.ground, s.wall, 0, 0, 0, shape.width, shape.length, 0.35);
        break;
    case ShapeType::Pillar:
        mesh.box(s.pillar, s.pillar, 0.3, 0.3, 0, 0.7, 0.7, shape.rise - 0.08);
        mesh.box(s.pillar, s.pillar, 0.2, 0.2, shape.rise - 0.08, 0.8, 0.8, shape.rise);
        break;
    case ShapeType::Tree:
    case ShapeType::Pine:
        s.foliage = mesh.texture(kFoliageTexture);
        s.trunk = mesh.texture(kTrunkTexture);
        tree(mesh, s, shape.rise, shape.type == ShapeType::Pine);
        break;
    case ShapeType::Rock:
        s.rock = mesh.texture(kRockTexture);
        rock(mesh, s, shape.width, shape.length, static_cast<std::uint32_t>(kind.index));
        break;
    case ShapeType::Building:
        s.roof = mesh.texture(kRoofTexture);
        s.facade = mesh.texture(kFacadeTexture);
        building(mesh, s, shape.width, shape.length, shape.rise);
        break;
    case ShapeType::Wall:
        mesh.box(s.wall, s.wall, 0.4, 0, 0, 0.6, shape.length, 0.9);
        break;
    }
    return mesh;
}
