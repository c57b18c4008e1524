// Steps on a real track of the game, undone and redone: the saved bytes come back exactly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "document_blocks.h"
#include "edit/area_blocks.h"
#include "edit/area_cells.h"
#include "edit/block_edits.h"
#include "edit/block_placing.h"
#include "edit/edit_step.h"
#include "edit/editor_context.h"
#include "file_bytes.h"
#include "real_tracks.h"
#include "temp_folder.h"
#include "track/track_reader.h"
#include "track/track_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class RealTrackUndo : public ::testing::Test {
  protected:
    TempFolder folder;
    EditorContext ctx;
    TrackDocument& doc = ctx.document;
    Area area;

    void SetUp() override {
        const std::filesystem::path source = realTracksFolder() / "A01-Race.Challenge.Gbx";
        if (!std::filesystem::exists(source))
            GTEST_SKIP() << "no real tracks beside the repository";
        const std::filesystem::path plain = folder.path() / "A01.Gbx";
        std::filesystem::copy_file(source, plain);
        const std::string command = "'" GRIDSMITH_PATH "' '" + plain.string() + "' >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
        // Names the track does not use, so that its blocks keep their own and new kinds exist.
        for (BlockCatalog& catalog : ctx.catalog.catalogs) {
            catalog.entries.resize(2);
            catalog.entries[0].name = "TestKindOne";
            catalog.entries[0].units = {{0, 0, 0}};
            catalog.entries[1].name = "TestKindTwo";
            catalog.entries[1].units = {{0, 0, 0}, {1, 0, 0}};
            catalog.entries[1].halfSizeX = 0.5f;
        }
        Track track;
        TrackEnvelope envelope;
        ASSERT_TRUE(parseConvertedTrack(readFile(plain), ctx.catalog, track, envelope));
        doc.replaceTrack(std::move(track), std::move(envelope), plain.string());
        ctx.catalog.currentEnvironment = doc.track().environment;
        ASSERT_GT(doc.blocks().size(), 300u);
    }

    Bytes saved() {
        std::optional<Bytes> bytes = serialiseTrack(doc.track(), doc.envelope(), ctx.catalog);
        return bytes ? *bytes : Bytes{};
    }

    const BlockRecord& block(std::size_t position) {
        return blockAt(doc, static_cast<int>(position));
    }

    void select(std::initializer_list<std::size_t> positions) {
        doc.clearSelection();
        for (std::size_t position : positions)
            doc.select(&block(position), true);
    }

    // Copies as the Copy command does: nothing selected leaves the clipboard as it was.
    void copy() {
        if (!doc.selection().empty())
            ctx.clipboard = copySelection(doc, ctx.catalog);
    }
};

TEST_F(RealTrackUndo, EveryKindOfStepUndoesAndRedoesToTheSameBytes) {
    const std::vector<std::function<void()>> steps = {
        [&] {
            select({3, 40, 7}), moveSelection(doc, 1, -2, 1);
        },
        [&] { rotateSelection(doc, 1); },
        [&] { rotateSelectionGroup(doc, -1); },
        [&] { select({12}), setVariantByte(doc, block(12), 0, 9); },
        [&] {
            select({5, 6}), hideSelection(doc);
        },
        [&] { unhideAll(doc); },
        [&] {
            select({0, 100, 200, 399 - 3}), deleteSelection(doc);
        },
        [&] {
            clearArea(area);
            toggleAreaBox(area, 0, 0, 0);
            toggleAreaBox(area, 12, 12, 6);
            hideBlocksInArea(doc, ctx.catalog, area);
        },
        [&] { deleteBlocksInArea(doc, ctx.catalog, area); },
        [&] { fillArea(doc, ctx.catalog, area, 2); },
        [&] { select({50}), placeBlock(doc, ctx.catalog, 1, {}); },
        [&] {
            select({60, 61, 62}), copy(), pasteClipboard(doc, ctx.catalog, ctx.clipboard);
        },
        [&] { duplicateSelection(doc, ctx.catalog); },
    };
    std::vector<Bytes> states{saved()};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i]();
        states.push_back(saved());
        ASSERT_FALSE(states.back().empty()) << "step " << i;
    }
    ASSERT_EQ(doc.history().stepCount(), steps.size());
    // Hiding and unhiding leave the file as it is; every other step changes it.
    int changing = 0;
    for (std::size_t i = 1; i < states.size(); ++i)
        changing += states[i] != states[i - 1];
    EXPECT_EQ(changing, 10);
    for (std::size_t i = steps.size(); i > 0; --i) {
        ASSERT_TRUE(doc.undo());
        EXPECT_EQ(saved(), states[i - 1]) << "undo of step " << i - 1;
    }
    EXPECT_FALSE(doc.history().modified());
    for (std::size_t i = 1; i <= steps.size(); ++i) {
        ASSERT_TRUE(doc.redo());
        EXPECT_EQ(saved(), states[i]) << "redo of step " << i - 1;
    }
}

TEST_F(RealTrackUndo, ALongRandomSequenceUndoneToTheStartSavesTheOriginalBytes) {
    const Bytes original = saved();
    std::mt19937 random(15);
    auto any = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    for (int i = 0; i < 400; ++i) {
        const std::size_t size = doc.blocks().size();
        if (any(3) == 0 && size > 0) {
            doc.clearSelection();
            for (std::size_t k = any(6) + 1; k > 0; --k)
                doc.select(&block(any(size)), false);
        }
        switch (any(9)) {
        case 0:
            moveSelection(doc, int(any(5)) - 2, int(any(5)) - 2, int(any(3)) - 1);
            break;
        case 1:
            rotateSelection(doc, int(any(4)));
            break;
        case 2:
            rotateSelectionGroup(doc, any(2) ? 1 : -1);
            break;
        case 3:
            if (const BlockRecord* first = doc.selection().first())
                setVariantByte(doc, *first, int(any(4)), std::uint8_t(any(256)));
            break;
        case 4:
            any(2) ? hideSelection(doc) : unhideAll(doc);
            break;
        case 5:
            deleteSelection(doc);
            break;
        case 6:
            placeBlock(doc, ctx.catalog, std::uint32_t(any(2) + 1), {});
            break;
        case 7:
            copy();
            pasteClipboard(doc, ctx.catalog, ctx.clipboard);
            break;
        default:
            if (any(4) == 0) // now and then an undo or a redo in between
                doc.undo();
            else
                duplicateSelection(doc, ctx.catalog);
            break;
        }
    }
    EXPECT_GT(doc.history().doneCount(), 100u);
    while (doc.undo()) {
    }
    EXPECT_EQ(saved(), original);
    EXPECT_FALSE(doc.history().modified());
}

} // namespace
