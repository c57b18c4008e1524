#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "assets/model.h"
#include "catalog/block_info.h"
#include "runtime_files.h"

using namespace runtime_files;

// Where the renderer puts a block's model and where the area logic says its units lie must
// agree at every rotation: each model, drawn at its anchor and turned as the renderer turns it,
// stays inside the cells of its footprint and covers each of its columns.
namespace {

constexpr double kCell = 41.7, kLevel = 10.1, kLevelOffset = 1.257;
constexpr double kTolerance = 0.05;

using Cell = std::tuple<int, int, int>;

struct Placed {
    int x = 9, y = 11, z = 4;
    int rotation = 0;
};

// The cell of one unit as the area logic turns it.
Cell footprintCell(const CatalogEntry& entry, const BlockUnit& u, const Placed& p) {
    int spanX = static_cast<int>(2 * entry.halfSizeX),
        spanY = static_cast<int>(2 * entry.halfSizeY);
    int dx = u.x, dy = u.y;
    switch (p.rotation) {
    case 1:
        dx = spanY - u.y, dy = u.x;
        break;
    case 2:
        dx = spanX - u.x, dy = spanY - u.y;
        break;
    case 3:
        dx = u.y, dy = spanX - u.x;
        break;
    }
    return {p.x + dx, p.y + dy, p.z + u.z};
}

struct Point {
    double x, y, z;
};

// A model vertex in world space: turned by -90 degrees per rotation about Z, then moved to the
// block's anchor.
Point toWorld(const CatalogEntry& entry, const Placed& p, double vx, double vy, double vz) {
    double ox = entry.halfSizeX, oy = entry.halfSizeY;
    if (p.rotation % 2)
        std::swap(ox, oy);
    double ax = -(p.x + ox) * kCell - kCell / 2, ay = (p.y + oy) * kCell + kCell / 2;
    double az = p.z * kLevel - kLevel / 2 - kLevelOffset;
    double angle = -M_PI / 2 * p.rotation;
    double c = std::round(std::cos(angle)), s = std::round(std::sin(angle));
    return {ax + c * vx - s * vy, ay + s * vx + c * vy, az + vz};
}

// Whether a world point lies in the cell, with tolerances on its side faces and on its top and
// bottom (negative ones keep the point off those faces).
bool inside(const Point& w, const Cell& cell, double tolerance, double verticalTolerance) {
    auto [cx, cy, cz] = cell;
    double x0 = -(cx + 1) * kCell, x1 = -cx * kCell;
    double y0 = cy * kCell, y1 = (cy + 1) * kCell;
    double z0 = cz * kLevel - kLevel - kLevelOffset, z1 = cz * kLevel - kLevelOffset;
    return w.x >= x0 - tolerance && w.x <= x1 + tolerance && w.y >= y0 - tolerance &&
           w.y <= y1 + tolerance && w.z >= z0 - verticalTolerance && w.z <= z1 + verticalTolerance;
}

bool coversInPlan(const Point& a, const Point& b, const Point& c, double px, double py) {
    double d = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    if (std::abs(d) < 1e-9)
        return false;
    double w1 = ((px - a.x) * (c.y - a.y) - (c.x - a.x) * (py - a.y)) / d;
    double w2 = ((b.x - a.x) * (py - a.y) - (px - a.x) * (b.y - a.y)) / d;
    return w1 >= -1e-9 && w2 >= -1e-9 && w1 + w2 <= 1 + 1e-9;
}

// Problems of one kind at one rotation, empty when the model and the footprint agree.
std::string disagreement(const CatalogEntry& entry, const Model& model, const Placed& p) {
    std::set<Cell> cells;
    std::set<std::pair<int, int>> columns;
    for (const BlockUnit& u : entry.units) {
        Cell cell = footprintCell(entry, u, p);
        cells.insert(cell);
        columns.insert({std::get<0>(cell), std::get<1>(cell)});
    }
    std::set<Cell> occupied;
    std::set<std::pair<int, int>> covered;
    for (const ModelTriangle& t : model.triangles) {
        Point v[3];
        for (int i = 0; i < 3; ++i)
            v[i] = toWorld(entry, p, t.vertices[i].x, t.vertices[i].y, t.vertices[i].z);
        // About one sample every twentieth of a cell along the longest edge.
        double longest = 0;
        for (int i = 0; i < 3; ++i)
            longest =
                std::max(longest, std::hypot(v[i].x - v[(i + 1) % 3].x, v[i].y - v[(i + 1) % 3].y,
                                             v[i].z - v[(i + 1) % 3].z));
        const int steps = std::clamp(static_cast<int>(std::ceil(longest / kCell * 20)), 6, 80);
        for (int i = 0; i <= steps; ++i) {
            for (int j = 0; i + j <= steps; ++j) {
                double a = double(i) / steps, b = double(j) / steps, c = 1 - a - b;
                Point w{a * v[0].x + b * v[1].x + c * v[2].x, a * v[0].y + b * v[1].y + c * v[2].y,
                        a * v[0].z + b * v[1].z + c * v[2].z};
                bool in = false;
                for (const Cell& cell : cells) {
                    in = in || inside(w, cell, kTolerance, kTolerance);
                    // A wall on the side of a unit counts for it (solids are hollow), a face
                    // on its top or bottom does not.
                    if (inside(w, cell, 0.01, -0.01))
                        occupied.insert(cell);
                }
                if (!in)
                    return "a point of the model at (" + std::to_string(w.x) + ", " +
                           std::to_string(w.y) + ", " + std::to_string(w.z) +
                           ") lies outside the footprint";
            }
        }
        for (const auto& [cx, cy] : columns)
            if (coversInPlan(v[0], v[1], v[2], -(cx + 0.5) * kCell, (cy + 0.5) * kCell))
                covered.insert({cx, cy});
    }
    if (covered != columns)
        return "a column of the footprint has no geometry over it";
    if (occupied != cells)
        return "a unit of the footprint holds no part of the model";
    return {};
}

} // namespace

TEST(FootprintGeometry, EveryModelFitsItsFootprintAtEveryRotation) {
    int multiUnitKinds = 0;
    for (const std::string& environment : kEnvironments) {
        for (int index = 1; index <= 308; ++index) {
            CatalogEntry entry;
            std::vector<std::uint8_t> info =
                readBytes(kData / environment / "bzi" / (std::to_string(index) + ".bzi"));
            ASSERT_TRUE(parseBlockInfo(info.data(), info.size(), entry));
            std::vector<std::uint8_t> bytes = readBytes(kData / environment / "models" /
                                                        (std::to_string(index) + "_0_0_0_0.mdl"));
            Model model;
            ASSERT_TRUE(parseModel(bytes.data(), bytes.size(), model));
            multiUnitKinds += entry.units.size() > 1;
            for (int rotation = 0; rotation < 4; ++rotation) {
                Placed placed;
                placed.rotation = rotation;
                EXPECT_EQ(disagreement(entry, model, placed), "")
                    << environment << " kind " << index << " (" << entry.units.size()
                    << " units) at rotation " << rotation;
            }
        }
    }
    EXPECT_GT(multiUnitKinds, 7 * 100);
}

// The check itself: a model moved by one cell no longer fits its footprint.
TEST(FootprintGeometry, AModelOffByOneCellIsCaught) {
    CatalogEntry entry;
    entry.units = {{0, 0, 0}, {1, 0, 0}};
    deriveBlockSizes(entry);
    Model model;
    ModelTriangle t;
    // A flat triangle over both cells, then the same shifted by a cell along the model's x.
    t.vertices = {ModelVertex{40, -20, -5}, ModelVertex{-40, -20, -5}, ModelVertex{-40, 20, -5}};
    model.triangles = {t};
    ModelTriangle t2;
    t2.vertices = {ModelVertex{40, -20, -5}, ModelVertex{-40, 20, -5}, ModelVertex{40, 20, -5}};
    model.triangles.push_back(t2);
    for (int rotation = 0; rotation < 4; ++rotation) {
        Placed placed;
        placed.rotation = rotation;
        EXPECT_EQ(disagreement(entry, model, placed), "") << rotation;
    }
    for (ModelTriangle& tri : model.triangles)
        for (ModelVertex& v : tri.vertices)
            v.x -= 41.7f;
    for (int rotation = 0; rotation < 4; ++rotation) {
        Placed placed;
        placed.rotation = rotation;
        EXPECT_NE(disagreement(entry, model, placed), "") << rotation;
    }
}
