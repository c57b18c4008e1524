// Whole-track turns, mirrors and kind replaces on the game's real tracks, opened through the
// converter with the data pack's catalogues: what comes back is the same bytes, and the Stadium
// tracks, whose footprints are measured, keep their blocks apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "block_cells.h"
#include "edit/reshape.h"
#include "real_track_kinds.h"
#include "real_tracks.h"
#include "sample_opening.h"
#include "track/track_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The least and the greatest coordinate of some cells along each axis.
struct CellBox {
    std::array<int, 3> low{INT_MAX, INT_MAX, INT_MAX};
    std::array<int, 3> high{INT_MIN, INT_MIN, INT_MIN};
    explicit CellBox(const BlockCells& cells = {}) { add(cells); }
    void add(const BlockCells& cells) {
        for (const auto& c : cells)
            for (int a : {0, 1, 2}) {
                low[a] = std::min(low[a], c[a]);
                high[a] = std::max(high[a], c[a]);
            }
    }
    bool operator==(const CellBox&) const = default;
};

// The blocks at the positions marked, as a track of their own.
Track blocksAt(const Track& track, const std::vector<bool>& marked) {
    Track part;
    std::size_t i = 0;
    for (const BlockRecord& record : track.blocks)
        if (marked.at(i++))
            part.blocks.push_back(record);
    return part;
}

class ReshapeRealTracks : public RealTrackTest {
  protected:
    // Opens the track into the document with the whole track selected.
    bool open(const std::filesystem::path& file) {
        OpenedSample opened = base.openFile(file);
        if (!opened.ok)
            return false;
        doc.replaceTrack(std::move(opened.track), std::move(opened.envelope), file.string());
        selectAll(doc);
        return true;
    }

    Bytes saved() const {
        return serialiseTrack(doc.track(), doc.envelope(), catalog()).value_or(Bytes{});
    }

    const CatalogState& catalog() const { return base.catalog; }

    std::vector<BlockCells> cellsOfBlocks() const {
        std::vector<BlockCells> cells;
        for (const BlockRecord& record : doc.blocks())
            cells.push_back(blockCells(catalog(), record));
        return cells;
    }

    // A turn of the whole selection, or when that leaves the grid (which changes nothing) of the
    // blocks of the largest square about the selection's centre whose turn fits.
    ReshapeResult turnWholeOrCentredPart() {
        const Bytes before = saved();
        const std::size_t steps = doc.history().doneCount();
        ReshapeResult result = turnSelection(doc, catalog(), 1);
        if (result.done)
            return result;
        EXPECT_GT(result.leaving, 0);
        EXPECT_EQ(saved(), before);
        EXPECT_EQ(doc.history().doneCount(), steps);
        const std::vector<BlockCells> cells = cellsOfBlocks();
        CellBox all;
        for (const BlockCells& block : cells)
            all.add(block);
        const int size = catalog().currentEnvironment == kStadium ? kGridSize : 128;
        const int cx = (all.low[0] + all.high[0]) / 2, cy = (all.low[1] + all.high[1]) / 2;
        for (int half = std::min({cx, cy, size - 1 - cx, size - 1 - cy}); half > 0; --half) {
            std::vector<const BlockRecord*> part;
            std::size_t i = 0;
            for (const BlockRecord& record : doc.blocks()) {
                const BlockCells& block = cells[i++];
                if (std::all_of(block.begin(), block.end(), [&](const auto& c) {
                        return std::abs(c[0] - cx) <= half && std::abs(c[1] - cy) <= half;
                    }))
                    part.push_back(&record);
            }
            doc.setSelection(part);
            result = turnSelection(doc, catalog(), 1);
            if (result.done)
                return result;
            EXPECT_EQ(saved(), before);
        }
        return result;
    }

    std::vector<bool> selectedPositions() const {
        std::vector<bool> selected;
        for (const BlockRecord& record : doc.blocks())
            selected.push_back(Selection::contains(record));
        return selected;
    }

    TrackDocument doc;
};

// Mirrors twice and four quarter turns give back the bytes the track saves as; so does a kind
// replace undone. A quarter turn of a track that does not fit the grid about its centre is
// refused and changes nothing.
TEST_F(ReshapeRealTracks, MirrorsTwiceTurnsFourTimesAndReplacesUndoneSaveTheSameBytes) {
    for (const std::filesystem::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        ASSERT_TRUE(open(file));
        const Bytes original = saved();
        ASSERT_FALSE(original.empty());

        for (MirrorAxis axis : {MirrorAxis::X, MirrorAxis::Y}) {
            ASSERT_TRUE(mirrorSelection(doc, catalog(), axis).done);
            EXPECT_NE(saved(), original);
            ASSERT_TRUE(mirrorSelection(doc, catalog(), axis).done);
            EXPECT_EQ(saved(), original) << "mirrored twice across " << int(axis);
        }

        const ReshapeResult first = turnWholeOrCentredPart();
        ASSERT_TRUE(first.done) << first.message;
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(turnSelection(doc, catalog(), 1).done);
        EXPECT_EQ(saved(), original);
        std::printf("%-28s %4zu blocks, %4d turned\n", file.filename().string().c_str(),
                    doc.blocks().size(), first.blocks);

        // The first block's kind becomes another kind of one cell, which stays on the grid.
        const std::uint32_t from = doc.blocks().front().catalogIndex;
        const auto& entries =
            catalog().catalogs[static_cast<std::size_t>(catalog().currentEnvironment)].entries;
        std::uint32_t to = 1;
        while (to == from || entries[to - 1].unitCount() > 1)
            ++to;
        const ReshapeResult replaced =
            replaceKinds(doc, catalog(), {{from, to}}, ReplaceScope::Track, Area{});
        ASSERT_TRUE(replaced.done) << replaced.message;
        EXPECT_NE(saved(), original);
        ASSERT_TRUE(doc.undo());
        EXPECT_EQ(saved(), original);

        while (doc.undo()) {
        }
        EXPECT_EQ(saved(), original);
    }
}

// The Stadium's footprints are measured: a mirrored track covers exactly the mirrored cells, a
// turned one (or its turned part) exactly the turned cells, about the centre of its cells, and
// its blocks share no more cells than before.
TEST_F(ReshapeRealTracks, StadiumTracksCoverExactlyTheMirroredOrTurnedCellsAndShareNoMore) {
    using real_track_kinds::overlappingCells;
    const std::vector<BlockKind> kinds = environmentKinds(kStadium);
    int tracks = 0;
    for (const std::filesystem::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        ASSERT_TRUE(open(file));
        if (catalog().currentEnvironment != kStadium)
            continue;
        ++tracks;
        const std::vector<BlockCells> original = cellsOfBlocks();
        CellBox all;
        for (const BlockCells& block : original)
            all.add(block);
        std::vector<bool> known;
        for (const BlockRecord& record : doc.blocks()) {
            const CatalogEntry* entry = catalogEntry(catalog(), record.catalogIndex);
            known.push_back(entry && catalogEntry(catalog(), entry->mirrorPartner));
        }
        // Blocks whose mirror image is unknown may meet others once mirrored.
        const int shared = overlappingCells(blocksAt(doc.track(), known), kinds);
        for (int axis : {0, 1}) {
            const ReshapeResult result =
                mirrorSelection(doc, catalog(), axis ? MirrorAxis::Y : MirrorAxis::X);
            ASSERT_TRUE(result.done);
            EXPECT_LE(overlappingCells(blocksAt(doc.track(), known), kinds), shared)
                << "across " << axis;
            const std::vector<BlockCells> mirrored = cellsOfBlocks();
            int unknown = 0;
            for (std::size_t i = 0; i < original.size(); ++i) {
                BlockCells expected;
                for (auto cell : original[i]) {
                    cell[axis] = all.low[axis] + all.high[axis] - cell[axis];
                    expected.insert(cell);
                }
                if (known[i]) {
                    EXPECT_EQ(mirrored[i], expected) << "block " << i << " across " << axis;
                } else {
                    // Its own cells on the mirrored box.
                    ++unknown;
                    EXPECT_TRUE(CellBox(mirrored[i]) == CellBox(expected)) << "block " << i;
                }
            }
            EXPECT_EQ(result.unknownMirror, unknown);
            if (axis == 0)
                std::printf("%-28s %4zu blocks, %3d of unknown mirror image\n",
                            file.filename().string().c_str(), original.size(), unknown);
            ASSERT_TRUE(doc.undo());
        }

        const std::vector<BlockCells> cellsBefore = cellsOfBlocks();
        const Track whole = doc.track();
        ASSERT_TRUE(turnWholeOrCentredPart().done);
        const std::vector<bool> turned = selectedPositions();
        EXPECT_LE(overlappingCells(blocksAt(doc.track(), turned), kinds),
                  overlappingCells(blocksAt(whole, turned), kinds));
        // A quarter turn takes (x, y) to (-y, x) and then moves every block alike, so that the
        // centre of the turned cells stays within half a cell of where it was.
        const std::vector<BlockCells> cellsAfter = cellsOfBlocks();
        CellBox from, to;
        std::optional<std::array<int, 2>> shift;
        for (std::size_t i = 0; i < turned.size(); ++i) {
            const BlockCells& was = cellsBefore[i];
            const BlockCells& is = cellsAfter[i];
            if (!turned[i]) {
                EXPECT_EQ(is, was) << "block " << i << " is not in the turned part";
                continue;
            }
            from.add(was);
            to.add(is);
            BlockCells rotated;
            for (const auto& [x, y, z] : was)
                rotated.insert({-y, x, z});
            if (!shift)
                shift = {CellBox(is).low[0] - CellBox(rotated).low[0],
                         CellBox(is).low[1] - CellBox(rotated).low[1]};
            BlockCells expected;
            for (const auto& [x, y, z] : rotated)
                expected.insert({x + (*shift)[0], y + (*shift)[1], z});
            EXPECT_EQ(is, expected) << "block " << i;
        }
        for (int a : {0, 1}) {
            EXPECT_EQ(to.high[a] - to.low[a], from.high[1 - a] - from.low[1 - a]);
            EXPECT_LE(std::abs(to.low[a] + to.high[a] - from.low[a] - from.high[a]), 1) << a;
        }
    }
    EXPECT_EQ(tracks, 5);
}

} // namespace
