#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "assets/model.h"
#include "catalog/block_info.h"
#include "catalog/catalog.h"
#include "edit/area_blocks.h"
#include "recording_prompts.h"
#include "runtime_files.h"
#include "view/block_placement.h"

using namespace runtime_files;

// Where the renderer puts a block's model (at its anchor, turned by -90 degrees per rotation)
// and the cells that the area logic gives for its units must agree at every rotation: each
// model stays inside the cells of its footprint, covers each of its columns and reaches into
// each of its units.
namespace {

constexpr double kCell = 41.7, kLevel = 10.1, kLevelOffset = 1.257;
constexpr double kTolerance = 0.05;

using Cell = std::tuple<int, int, int>;

struct Point {
    double x, y, z;
};

// A model vertex in world space: turned about Z by -90 degrees per rotation, then moved to the
// block's anchor.
Point toWorld(const Vec3& anchor, int rotation, double vx, double vy, double vz) {
    double angle = -M_PI / 2 * rotation;
    double c = std::round(std::cos(angle)), s = std::round(std::sin(angle));
    return {anchor.x + c * vx - s * vy, anchor.y + s * vx + c * vy, anchor.z + vz};
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

// Problems of a block, whose kind is in the current catalogue, empty when its model
// and its footprint agree.
std::string disagreement(const CatalogState& catalog, const BlockRecord& record,
                         const Model& model) {
    std::set<Cell> cells;
    std::set<std::pair<int, int>> columns;
    for (int i = 0; i < footprintUnitCount(catalog, record); ++i) {
        std::optional<GridCell> unit = footprintCell(catalog, record, i);
        if (!unit)
            return "no cell for a unit";
        cells.insert({unit->x, unit->y, unit->z});
        columns.insert({unit->x, unit->y});
    }
    const Vec3 anchor = blockAnchor(record, catalog);
    std::set<Cell> occupied;
    std::set<std::pair<int, int>> covered;
    for (const ModelTriangle& t : model.triangles) {
        Point v[3];
        for (int i = 0; i < 3; ++i)
            v[i] =
                toWorld(anchor, record.rotation, t.vertices[i].x, t.vertices[i].y, t.vertices[i].z);
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

BlockRecord placed(std::uint32_t catalogIndex, int rotation) {
    BlockRecord record;
    record.catalogIndex = catalogIndex;
    record.x = 9;
    record.y = 11;
    record.z = 4;
    record.rotation = static_cast<std::uint8_t>(rotation);
    return record;
}

} // namespace

TEST(FootprintGeometry, EveryModelFitsItsFootprintAtEveryRotation) {
    int multiUnitKinds = 0;
    for (int environment = 0; environment < 7; ++environment) {
        const std::string& name = kEnvironments[static_cast<std::size_t>(environment)];
        CatalogState catalog;
        RecordingPrompts prompts;
        initEnvironmentNames(catalog.environmentNames);
        ASSERT_TRUE(loadCatalog(catalog, environment, kRuntime, prompts));
        catalog.currentEnvironment = environment;
        const int count = catalog.catalogs[static_cast<std::size_t>(environment)].count();
        ASSERT_GT(count, 100);
        for (std::uint32_t index = 1; index <= static_cast<std::uint32_t>(count); ++index) {
            std::vector<std::uint8_t> bytes =
                readBytes(kData / name / "models" / (std::to_string(index) + "_0_0_0_0.mdl"));
            Model model;
            ASSERT_TRUE(parseModel(bytes.data(), bytes.size(), model));
            multiUnitKinds += footprintUnitCount(catalog, placed(index, 0)) > 1;
            for (int rotation = 0; rotation < 4; ++rotation)
                EXPECT_EQ(disagreement(catalog, placed(index, rotation), model), "")
                    << name << " kind " << index << " at rotation " << rotation;
        }
    }
    EXPECT_GT(multiUnitKinds, 600);
}

// The check itself: a two-cell model fits its footprint, and no longer once moved by a cell.
TEST(FootprintGeometry, AModelOffByOneCellIsCaught) {
    CatalogState catalog;
    CatalogEntry entry;
    entry.name = "Two";
    entry.units = {{0, 0, 0}, {1, 0, 0}};
    deriveBlockSizes(entry);
    catalog.catalogs[0].entries = {entry};
    Model model;
    ModelTriangle a, b;
    a.vertices = {ModelVertex{40, -20, -5}, ModelVertex{-40, -20, -5}, ModelVertex{-40, 20, -5}};
    b.vertices = {ModelVertex{40, -20, -5}, ModelVertex{-40, 20, -5}, ModelVertex{40, 20, -5}};
    model.triangles = {a, b};
    for (int rotation = 0; rotation < 4; ++rotation)
        EXPECT_EQ(disagreement(catalog, placed(1, rotation), model), "") << rotation;
    for (ModelTriangle& t : model.triangles)
        for (ModelVertex& v : t.vertices)
            v.x -= 41.7f;
    for (int rotation = 0; rotation < 4; ++rotation)
        EXPECT_NE(disagreement(catalog, placed(1, rotation), model), "") << rotation;
}
