#include <gtest/gtest.h>

#include <tuple>

#include "check/track_diff.h"
#include "document_blocks.h"

namespace {

// A catalogue of the named kinds, 1-based in the order given.
CatalogState catalogOf(std::initializer_list<const char*> names) {
    CatalogState catalog;
    catalog.currentEnvironment = kStadium;
    for (const char* name : names) {
        CatalogEntry entry;
        entry.name = name;
        catalog.catalogs[kStadium].entries.push_back(entry);
    }
    return catalog;
}

Track trackOf(std::initializer_list<BlockRecord> records) {
    Track track;
    track.blocks.assign(records);
    return track;
}

// Each difference as its kind, its position in b (in a when removed) and what differs.
std::vector<std::tuple<DifferenceKind, std::size_t, unsigned>> summary(const TrackDiff& diff) {
    std::vector<std::tuple<DifferenceKind, std::size_t, unsigned>> lines;
    for (const BlockDifference& d : diff.differences)
        lines.emplace_back(d.kind, d.b ? d.bIndex : d.aIndex, d.what);
    return lines;
}

constexpr std::uint32_t kRoad = 1, kPillar = 2;

TEST(TrackDiffTest, MatchesByKindAndPlaceThenNearestAndNamesEachPairByItsFirstDifference) {
    const CatalogState catalog = catalogOf({"Road", "Pillar"});
    const Track a = trackOf({recordAt(1, 1, 1, kRoad), recordAt(4, 1, 1, kRoad),
                             recordAt(9, 9, 1, kRoad), recordAt(2, 2, 1, kPillar),
                             recordAt(7, 7, 1, kPillar), recordAt(20, 20, 1, kRoad)});
    BlockRecord otherVariant = recordAt(9, 9, 1, kRoad);
    otherVariant.variant[1] = 3;
    const Track b = trackOf({recordAt(1, 1, 1, kRoad, 1), recordAt(5, 1, 1, kRoad), otherVariant,
                             recordAt(2, 2, 1, kPillar, 0, BLOCK_HIDDEN),
                             recordAt(8, 7, 1, kPillar, 2), recordAt(30, 30, 1, kPillar)});
    const TrackDiff diff = diffTracks(a, catalog, b, catalog);
    using K = DifferenceKind;
    const std::vector<std::tuple<DifferenceKind, std::size_t, unsigned>> expected = {
        {K::Added, 5, 0},
        {K::Removed, 5, 0},
        {K::Moved, 1, kDiffPlace},
        {K::Moved, 4, kDiffPlace | kDiffTurn},
        {K::Turned, 0, kDiffTurn},
        {K::Changed, 2, kDiffVariant},
        {K::Changed, 3, kDiffHidden}};
    EXPECT_EQ(summary(diff), expected);
    EXPECT_EQ(diff.differences[2].aIndex, 1u);
    EXPECT_EQ(diff.differences[3].aIndex, 4u);
    EXPECT_EQ(diff.shift, (std::array<int, 3>{}));

    EXPECT_TRUE(diffTracks(b, catalog, b, catalog).differences.empty());
}

// A line of roads shifted along itself lands partly on its own cells: every block still moved.
// Kinds are told apart by name, whatever their numbers in each catalogue.
TEST(TrackDiffTest, AWholeTrackShiftedMovesEveryBlockAcrossCatalogues) {
    Track a, b;
    for (int x = 0; x < 6; ++x) {
        a.blocks.push_back(recordAt(x, 0, 1, kRoad));
        b.blocks.push_back(recordAt(x + 2, 0, 1, 2));
    }
    a.blocks.push_back(recordAt(0, 3, 1, kPillar));
    b.blocks.push_back(recordAt(2, 3, 1, 1));
    const TrackDiff diff =
        diffTracks(a, catalogOf({"Road", "Pillar"}), b, catalogOf({"Pillar", "Road"}));
    EXPECT_EQ(diff.shift, (std::array<int, 3>{2, 0, 0}));
    ASSERT_EQ(diff.differences.size(), a.blocks.size());
    for (const BlockDifference& d : diff.differences) {
        EXPECT_EQ(d.kind, DifferenceKind::Moved);
        EXPECT_EQ(d.what, kDiffPlace);
        EXPECT_EQ(d.aIndex, d.bIndex);
    }
}

} // namespace
