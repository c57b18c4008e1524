#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <tuple>

#include "block_kinds.h"
#include "catalog/catalog.h"
#include "edit/area_blocks.h"
#include "mirror_images.h"
#include "recording_prompts.h"
#include "runtime_files.h"

using namespace runtime_files;

namespace {

using Cells = std::vector<std::tuple<int, int, int>>;

// The cells that the editor's area code gives a placed block, reflected in x and/or y, moved so
// that their least corner is 0, in order.
Cells cellsOf(const CatalogState& catalog, std::uint32_t kind, int rotation, int sx = 1,
              int sy = 1) {
    BlockRecord record;
    record.catalogIndex = kind;
    record.x = 12;
    record.y = 12;
    record.z = 4;
    record.rotation = static_cast<std::uint8_t>(rotation & 3);
    Cells cells;
    int lx = INT_MAX, ly = INT_MAX, lz = INT_MAX;
    for (int i = 0; i < footprintUnitCount(catalog, record); ++i) {
        const std::optional<GridCell> cell = footprintCell(catalog, record, i);
        if (!cell)
            return {};
        cells.emplace_back(sx * cell->x, sy * cell->y, cell->z);
        lx = std::min(lx, sx * cell->x);
        ly = std::min(ly, sy * cell->y);
        lz = std::min(lz, int(cell->z));
    }
    for (auto& [x, y, z] : cells) {
        x -= lx;
        y -= ly;
        z -= lz;
    }
    std::sort(cells.begin(), cells.end());
    return cells;
}

BlockKind kindOf(int index, const std::string& name, std::vector<Unit> units) {
    BlockKind kind;
    kind.environment = 6;
    kind.index = index;
    kind.name = name;
    kind.family = Family::Building;
    kind.units = std::move(units);
    return kind;
}

} // namespace

// What the editor reads from each data folder: partners name each other with the same turn, and
// a block X-flipped (or Y-flipped) at any rotation covers exactly the cells of its partner at the
// turn the file gives, as the generator decided.
TEST(MirrorImages, PartnersCoverTheFlippedCellsInEveryEnvironment) {
    int paired = 0, own = 0, unknown = 0;
    for (int e = 0; e < static_cast<int>(kEnvironments.size()); ++e) {
        SCOPED_TRACE(kEnvironments[static_cast<std::size_t>(e)]);
        CatalogState catalog;
        RecordingPrompts prompts;
        initEnvironmentNames(catalog.environmentNames);
        ASSERT_TRUE(loadCatalog(catalog, e, kRuntime, prompts));
        catalog.currentEnvironment = e;
        const std::vector<CatalogEntry>& entries = catalog.catalogs[std::size_t(e)].entries;
        const std::vector<MirrorImage> images = mirrorImages(environmentKinds(e));
        ASSERT_EQ(images.size(), entries.size());
        for (std::uint32_t k = 1; k <= entries.size(); ++k) {
            const CatalogEntry& entry = entries[k - 1];
            SCOPED_TRACE(entry.name);
            EXPECT_EQ(entry.mirrorPartner, std::uint32_t(images[k - 1].partner));
            EXPECT_EQ(entry.mirrorTurn, images[k - 1].turn);
            const std::uint32_t p = entry.mirrorPartner;
            if (p == 0) {
                EXPECT_EQ(entry.mirrorTurn, 0);
                ++unknown;
                continue;
            }
            (p == k ? own : paired) += 1;
            ASSERT_LE(p, entries.size());
            EXPECT_EQ(entries[p - 1].mirrorPartner, k);
            EXPECT_EQ(entries[p - 1].mirrorTurn, entry.mirrorTurn);
            for (int r = 0; r < 4; ++r) {
                EXPECT_EQ(cellsOf(catalog, k, r, -1, 1), cellsOf(catalog, p, entry.mirrorTurn - r)) << r;
                EXPECT_EQ(cellsOf(catalog, k, r, 1, -1), cellsOf(catalog, p, entry.mirrorTurn + 2 - r))
                    << r;
            }
        }
    }
    // Most kinds are their own mirror image; a few dozen handed ones in each environment pair up.
    EXPECT_GT(own, 900);
    EXPECT_GT(paired, 150);
    EXPECT_LT(unknown, 120);
    EXPECT_EQ(paired % 2, 0);
}

// Kinds whose names or shapes make them edge cases.
TEST(MirrorImages, NamesAndShapesDecideTheImage) {
    struct Case {
        int environment;
        const char* name;
        const char* image; // the partner, "=" itself, "?" unknown
        int turn;
    };
    const Case cases[] = {
        // Measured footprints that are each other's mirror image in place.
        {6, "StadiumLoopLeft", "StadiumLoopRight", 0},
        {6, "StadiumRoadMainGTDiag4x3Mirror", "StadiumRoadMainGTDiag4x3", 0},
        {6, "StadiumRoadDirtDiagonaleLeft", "StadiumRoadDirtDiagonaleRight", 0},
        // Measured footprints that are not: one unit more on one side.
        {6, "StadiumRoadMainGTDiag4x3Slope", "?", 0},
        {6, "StadiumRoadMainGTDiag2x2TiltMirror", "?", 0},
        // A measured footprint that fits its own turn and curve ends that fit another.
        {6, "StadiumRoadDirtHillTiltCornerIn", "?", 0},
        // A twin the catalogue lacks.
        {2, "CoastRoadRamp3R", "?", 0},
        {0, "AlpineHillsTransitionSlopeDiag2x3Mirror", "?", 0},
        {5, "SpeedRiverRoadToRoadLeft4x1", "?", 0},
        // The L-shaped signs pair with their Mirror twin, not with an R.
        {2, "CoastFreeSignsL", "CoastFreeSignsLMirror", 0},
        // Handed curves are drawn alike, so their footprints alone tell the turn, if they do.
        {6, "StadiumRoadDirtHillSlopeGT2Bis", "StadiumRoadDirtHillSlopeGT2", 0},
        {6, "StadiumRoadTiltGTCurve2DownLeft", "StadiumRoadTiltGTCurve2DownRight", 2},
        {5, "SpeedGarageSlopeGT3b", "SpeedGarageSlopeGT3", 3},
        {5, "SpeedGarageSlopeGT2b", "?", 0},
        {6, "StadiumRoadTiltCornerUpLeft", "?", 0},
        // Climbing curves turn the other way once mirrored, and a twin is missing.
        {5, "SpeedGarageSlopeGT4", "?", 0},
        {5, "SpeedRiverRoadToRoadGTCurve4", "?", 0},
        // Curves mirror about their diagonal.
        {6, "StadiumRoadMainGTCurve3", "=", 3},
        {1, "BayRoadGTCurve2", "=", 3},
        // Straights keep their direction: along y in place, along x turned half round.
        {6, "StadiumRoadMainStartLine", "=", 0},
        {3, "IslandHighWayStartLine", "=", 2},
        {3, "IslandHighWaySlope", "=", 2},
        // Banked road leans the other way once mirrored.
        {6, "StadiumRoadTiltStraight", "=", 2},
        {3, "IslandHighWayTiltStraight", "=", 0},
        // Banked road that changes its bank, boosters on a bank or on one side: no turn of
        // themselves.
        {0, "AlpineRoadWoodTiltTwistIn", "?", 0},
        {6, "StadiumRoadMainFWTilt", "?", 0},
        {0, "AlpineRoadWoodTurboSide", "?", 0},
        // Forks are even about their stem.
        {1, "BayRoadYShaped", "=", 0},
        {3, "IslandHighWayGTYShaped", "=", 2},
        // A corner of one cell does not show which diagonal it lies along.
        {6, "StadiumCircuitBorderCornerIn", "?", 0},
        // Plain ground and scenery; a measured sculpture even only front to back.
        {6, "StadiumDirt", "=", 0},
        {4, "RallyWindmill", "=", 0},
        {6, "StadiumFabricStraight1x1", "=", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<BlockKind> kinds = environmentKinds(c.environment);
        const int index = kindIndex(kinds, c.name);
        ASSERT_NE(index, 0);
        const MirrorImage image = mirrorImages(kinds)[std::size_t(index - 1)];
        const std::string expected = c.image;
        if (expected == "?")
            EXPECT_EQ(image.partner, 0);
        else
            EXPECT_EQ(image.partner, expected == "=" ? index : kindIndex(kinds, expected));
        EXPECT_EQ(image.turn, c.turn);
    }
}

// Twins by name whose footprints are mirror images in place, turned, or not at all; and a shape
// that is its own mirror image only turned.
TEST(MirrorImages, TheFootprintsMustFit) {
    const std::vector<Unit> ell = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 2, 0}};
    const std::vector<Unit> flipped = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 2, 0}};
    const std::vector<Unit> flippedTurned = {{0, 0, 0}, {0, 1, 0}, {0, 2, 0}, {1, 2, 0}};
    const std::vector<Unit> other = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    const std::vector<Unit> bar = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {1, 1, 0}};
    const std::vector<Unit> tee = {{0, 0, 0}, {0, 1, 0}, {0, 2, 0}, {1, 1, 0}};
    const std::vector<BlockKind> kinds = {
        kindOf(1, "HouseLeft", ell), kindOf(2, "HouseRight", flipped),
        kindOf(3, "Hut", ell),       kindOf(4, "HutMirror", flippedTurned),
        kindOf(5, "ShedLeft", ell),  kindOf(6, "ShedRight", other),
        kindOf(7, "Wing", bar),      kindOf(8, "Porch", tee),
        kindOf(9, "BarnL", ell),
    };
    const std::vector<MirrorImage> images = mirrorImages(kinds);
    const std::vector<std::pair<int, int>> expected = {
        {2, 0}, {1, 0}, {4, 2}, {3, 2}, {0, 0}, {0, 0}, {7, 0}, {8, 2}, {0, 0},
    };
    ASSERT_EQ(images.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(images[i].partner, expected[i].first) << kinds[i].name;
        EXPECT_EQ(images[i].turn, expected[i].second) << kinds[i].name;
    }
}
