// Steps on a real track of the game, undone and redone: the saved bytes come back exactly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "edit/area_blocks.h"
#include "edit/area_cells.h"
#include "edit/block_edits.h"
#include "edit/block_placing.h"
#include "edit/edit_step.h"
#include "edit/editor_context.h"
#include "edit/selection_ops.h"
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
        ASSERT_TRUE(
            parseConvertedTrack(readFile(plain), ctx.catalog, ctx.currentTrack, ctx.envelope));
        ctx.catalog.currentEnvironment = ctx.currentTrack.environment;
        ASSERT_GT(ctx.currentTrack.blocks.size(), 300u);
    }

    Bytes saved() {
        std::optional<Bytes> bytes = serialiseTrack(ctx.currentTrack, ctx.envelope, ctx.catalog);
        return bytes ? *bytes : Bytes{};
    }

    BlockRecord& block(std::size_t position) {
        return *std::next(ctx.currentTrack.blocks.begin(), static_cast<long>(position));
    }

    void select(std::initializer_list<std::size_t> positions) {
        clearSelection(ctx);
        for (std::size_t position : positions)
            selectBlock(ctx, &block(position), true);
    }
};

TEST_F(RealTrackUndo, EveryKindOfStepUndoesAndRedoesToTheSameBytes) {
    const std::vector<std::function<void()>> steps = {
        [&] {
            select({3, 40, 7}), moveSelection(ctx, 1, -2, 1);
        },
        [&] { rotateSelection(ctx, 1); },
        [&] { rotateSelectionGroup(ctx, -1); },
        [&] { select({12}), setVariantByte(ctx, block(12), 0, 9); },
        [&] {
            select({5, 6}), hideSelection(ctx);
        },
        [&] { unhideAll(ctx); },
        [&] {
            select({0, 100, 200, 399 - 3}), deleteSelection(ctx);
        },
        [&] {
            clearArea(ctx);
            toggleAreaBox(ctx, 0, 0, 0);
            toggleAreaBox(ctx, 12, 12, 6);
            hideBlocksInArea(ctx);
        },
        [&] { deleteBlocksInArea(ctx); },
        [&] { fillArea(ctx, 2); },
        [&] { select({50}), placeBlock(ctx, 1); },
        [&] {
            select({60, 61, 62}), copySelection(ctx), pasteClipboard(ctx);
        },
        [&] { duplicateSelection(ctx); },
    };
    std::vector<Bytes> states{saved()};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i]();
        states.push_back(saved());
        ASSERT_FALSE(states.back().empty()) << "step " << i;
    }
    ASSERT_EQ(ctx.history.stepCount(), steps.size());
    // Hiding and unhiding leave the file as it is; every other step changes it.
    int changing = 0;
    for (std::size_t i = 1; i < states.size(); ++i)
        changing += states[i] != states[i - 1];
    EXPECT_EQ(changing, 10);
    for (std::size_t i = steps.size(); i > 0; --i) {
        ASSERT_TRUE(undoStep(ctx));
        EXPECT_EQ(saved(), states[i - 1]) << "undo of step " << i - 1;
    }
    EXPECT_FALSE(ctx.history.modified());
    for (std::size_t i = 1; i <= steps.size(); ++i) {
        ASSERT_TRUE(redoStep(ctx));
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
        const std::size_t size = ctx.currentTrack.blocks.size();
        if (any(3) == 0 && size > 0) {
            clearSelection(ctx);
            for (std::size_t k = any(6) + 1; k > 0; --k)
                selectBlock(ctx, &block(any(size)), false);
        }
        switch (any(9)) {
        case 0:
            moveSelection(ctx, int(any(5)) - 2, int(any(5)) - 2, int(any(3)) - 1);
            break;
        case 1:
            rotateSelection(ctx, int(any(4)));
            break;
        case 2:
            rotateSelectionGroup(ctx, any(2) ? 1 : -1);
            break;
        case 3:
            if (BlockRecord* first = ctx.selection.first())
                setVariantByte(ctx, *first, int(any(4)), std::uint8_t(any(256)));
            break;
        case 4:
            any(2) ? hideSelection(ctx) : unhideAll(ctx);
            break;
        case 5:
            deleteSelection(ctx);
            break;
        case 6:
            placeBlock(ctx, std::uint32_t(any(2) + 1));
            break;
        case 7:
            copySelection(ctx);
            pasteClipboard(ctx);
            break;
        default:
            if (any(4) == 0) // now and then an undo or a redo in between
                undoStep(ctx);
            else
                duplicateSelection(ctx);
            break;
        }
    }
    EXPECT_GT(ctx.history.doneCount(), 100u);
    while (undoStep(ctx)) {
    }
    EXPECT_EQ(saved(), original);
    EXPECT_FALSE(ctx.history.modified());
}

} // namespace
