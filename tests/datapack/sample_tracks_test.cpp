#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "catalog/catalog.h"
#include "edit/area_blocks.h"
#include "recording_prompts.h"
#include "runtime_files.h"
#include "sample_opening.h"
#include "track/structural_reader.h"
#include "track/text_search_reader.h"
#include "track_layout.h"
#include "view/block_placement.h"

using namespace runtime_files;

TEST(SampleTracks, EverySampleOpensThroughTheConverterIntoItsBlocks) {
    SampleBase base;
    ASSERT_TRUE(base.ready());
    const std::optional<std::vector<SampleTrack>> plans = sampleTracks();
    ASSERT_TRUE(plans.has_value());
    ASSERT_EQ(plans->size(), 8u);
    for (const SampleTrack& plan : *plans) {
        SCOPED_TRACE(plan.fileName);
        std::vector<std::uint8_t> file = readBytes(kSamples / plan.fileName);
        ASSERT_GT(file.size(), 8u);
        EXPECT_EQ(file[7], 'C') << "the body is not compressed";

        OpenedSample opened = base.open(plan.fileName);
        ASSERT_TRUE(opened.ok);
        EXPECT_EQ(opened.track.environment, plan.environment);
        EXPECT_EQ(opened.track.uid, plan.uid);
        ASSERT_EQ(countedBlocks(opened.track), plan.blocks.size());
        ASSERT_EQ(opened.track.blocks.size(), plan.blocks.size());
        auto read = opened.track.blocks.begin();
        for (const SampleBlock& block : plan.blocks) {
            EXPECT_EQ(read->catalogIndex, static_cast<std::uint32_t>(block.kind));
            EXPECT_EQ(read->rotation, block.rotation);
            EXPECT_EQ(read->x, block.x);
            EXPECT_EQ(read->y, block.y);
            EXPECT_EQ(read->z, block.z);
            EXPECT_EQ(read->variant, block.variant);
            ++read;
        }
        EXPECT_TRUE(base.prompts.shown.empty());
    }
}

TEST(SampleTracks, CircuitsHaveAPlausibleSizeAndTheLargeTrackTenThousandBlocks) {
    const std::optional<std::vector<SampleTrack>> plans = sampleTracks();
    ASSERT_TRUE(plans.has_value());
    for (const SampleTrack& plan : *plans) {
        SCOPED_TRACE(plan.fileName);
        if (plan.fileName == "LargeStadium.Challenge.Gbx") {
            EXPECT_GE(plan.blocks.size(), 10000u);
            continue;
        }
        EXPECT_GE(plan.blocks.size(), 30u);
        EXPECT_LE(plan.blocks.size(), 300u);
        std::set<int> levels;
        int starts = 0, finishes = 0, checkpoints = 0, curves = 0, slopes = 0, scenery = 0;
        const std::vector<BlockKind> kinds = environmentKinds(plan.environment);
        for (const SampleBlock& b : plan.blocks) {
            levels.insert(b.z);
            const Family family = kinds[static_cast<std::size_t>(b.kind - 1)].family;
            starts += family == Family::Start;
            finishes += family == Family::Finish;
            checkpoints += family == Family::Checkpoint;
            curves += family == Family::Curve;
            slopes += family == Family::Slope;
            scenery += !isRoad(family) && family != Family::Pillar;
        }
        EXPECT_GE(levels.size(), 2u);
        EXPECT_EQ(starts, 1);
        EXPECT_EQ(finishes, 1);
        EXPECT_EQ(checkpoints, 2);
        EXPECT_EQ(curves, 4);
        EXPECT_EQ(slopes, 2);
        EXPECT_GE(scenery, 30);
    }
}

// Both readers of the editor find the same blocks in every sample: the text searches and the
// walk through the body's chunks.
TEST(SampleTracks, TheTextSearchAndTheStructuralReaderAgree) {
    SampleBase base;
    ASSERT_TRUE(base.ready());
    EnvironmentNames names;
    initEnvironmentNames(names);
    const std::optional<std::vector<SampleTrack>> plans = sampleTracks();
    ASSERT_TRUE(plans.has_value());
    for (const SampleTrack& plan : *plans) {
        SCOPED_TRACE(plan.fileName);
        std::vector<std::uint8_t> converted = base.convert(plan.fileName);
        ASSERT_FALSE(converted.empty());
        EXPECT_EQ(converted[7], 'U');
        std::optional<ParsedTrack> bySearch = readByTextSearch(converted, names, 0);
        std::optional<ParsedTrack> byStructure = readByStructure(converted, 0);
        ASSERT_TRUE(bySearch.has_value());
        ASSERT_TRUE(byStructure.has_value());
        EXPECT_EQ(bySearch->unresolvedReferences, 0u);
        ASSERT_EQ(bySearch->track.blocks.size(), plan.blocks.size());
        ASSERT_EQ(byStructure->track.blocks.size(), plan.blocks.size());
        auto a = bySearch->track.blocks.begin();
        for (const BlockRecord& b : byStructure->track.blocks) {
            EXPECT_EQ(a->keptName, b.keptName);
            EXPECT_EQ(a->x, b.x);
            EXPECT_EQ(a->y, b.y);
            EXPECT_EQ(a->z, b.z);
            EXPECT_EQ(a->variant, b.variant);
            ++a;
        }
        EXPECT_EQ(bySearch->envelope.headBytes, byStructure->envelope.headBytes);
        EXPECT_EQ(bySearch->envelope.tailBytes, byStructure->envelope.tailBytes);
    }
}

// Laid out in the editor's own terms: no two blocks of a sample share a cell, and every block of
// a Stadium sample lies inside the grid (so none is tinted as out of bounds).
TEST(SampleTracks, BlocksNeverShareACellAndStayInsideTheStadium) {
    SampleBase base;
    ASSERT_TRUE(base.ready());
    const std::optional<std::vector<SampleTrack>> plans = sampleTracks();
    ASSERT_TRUE(plans.has_value());
    for (const SampleTrack& plan : *plans) {
        SCOPED_TRACE(plan.fileName);
        OpenedSample opened = base.open(plan.fileName);
        ASSERT_TRUE(opened.ok);
        const CatalogState& catalog = base.catalog;
        std::set<std::tuple<int, int, int>> taken;
        std::size_t units = 0;
        for (const BlockRecord& record : opened.track.blocks) {
            for (int i = 0; i < footprintUnitCount(catalog, record); ++i) {
                std::optional<GridCell> cell = footprintCell(catalog, record, i);
                ASSERT_TRUE(cell.has_value());
                EXPECT_TRUE(taken.insert({cell->x, cell->y, cell->z}).second)
                    << int(cell->x) << ", " << int(cell->y) << ", " << int(cell->z);
                EXPECT_GE(cell->x, 0);
                EXPECT_LT(cell->x, 32);
                EXPECT_GE(cell->y, 0);
                EXPECT_LT(cell->y, 32);
                EXPECT_GE(cell->z, 1);
                ++units;
            }
            EXPECT_TRUE(isWithinBounds(record, catalog));
        }
        EXPECT_GT(units, plan.blocks.size());
    }
}
