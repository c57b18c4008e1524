// Whole-selection turn, mirror, shift, stack and kind replace, and the selections by kind.
#include <array>
#include <climits>
#include <functional>
#include <set>
#include <tuple>

#include "block_cells.h"
#include "edit/area_blocks.h"
#include "edit/area_cells.h"
#include "edit/reshape.h"
#include "edit_fixture.h"

namespace {

using Cells = BlockCells;

enum Kind : std::uint32_t {
    Single = 1,
    Double = 2,
    Triple = 3,
    Ell = 4,    // (0,0) (1,0) (0,1): its own mirror image, a quarter turn on
    LongL = 5,  // (0,0) (1,0) (2,0) (2,1): mirror image of LongJ
    LongJ = 6,  // (0,0) (1,0) (2,0) (0,1)
    Nook = 7,   // (0,0) (1,0) (1,1): mirror image unknown
    Broken = 8, // one cell; its mirror partner is past the catalogue's end
};

class ReshapeTest : public EditTest {
  protected:
    ReshapeTest() {
        auto& entries = ctx.catalog.catalogs[0].entries;
        entries.resize(8);
        kind(Ell, "Ell", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, Ell, 1);
        kind(LongL, "LongL", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {2, 1, 0}}, LongJ, 0);
        kind(LongJ, "LongJ", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 0}}, LongL, 0);
        kind(Nook, "Nook", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, 0, 0);
        kind(Broken, "Broken", {{0, 0, 0}}, 99, 0);
        entries[Triple - 1].mirrorPartner = Triple;
    }

    void kind(std::uint32_t index, const char* name, std::vector<BlockUnit> units,
              std::uint32_t partner, std::uint8_t turn) {
        CatalogEntry& entry = ctx.catalog.catalogs[0].entries[index - 1];
        entry.name = name;
        int spanX = 0, spanY = 0;
        for (const BlockUnit& u : units)
            spanX = std::max(spanX, int(u.x)), spanY = std::max(spanY, int(u.y));
        entry.units = std::move(units);
        entry.halfSizeX = spanX / 2.0f;
        entry.halfSizeY = spanY / 2.0f;
        entry.mirrorPartner = partner;
        entry.mirrorTurn = turn;
    }

    // The Stadium with the same kinds: its grid is 32 cells each way.
    void inStadium() {
        ctx.catalog.catalogs[kStadium] = ctx.catalog.catalogs[0];
        ctx.catalog.currentEnvironment = kStadium;
    }

    const BlockRecord& addNamed(int x, int y, const std::string& name) {
        BlockRecord record = recordAt(x, y, 1, 0);
        record.keptName = name;
        return addToDocument(doc, record);
    }

    Cells cellsOf(const BlockRecord& record) const { return blockCells(ctx.catalog, record); }

    using BlockState =
        std::tuple<std::uint32_t, std::uint32_t, int, int, int, int, std::array<std::uint8_t, 4>,
                   std::string, std::string, std::uint32_t>;
    // Everything of every block that a file or the editor keeps, in list order.
    std::vector<BlockState> state() const {
        std::vector<BlockState> blocks;
        for (const BlockRecord& r : doc.blocks())
            blocks.emplace_back(r.catalogIndex, r.flags, r.x, r.y, r.z, r.rotation, r.variant,
                                r.keptName, r.skin.author, r.skin.skin.number);
        return blocks;
    }

    void selectPositions(std::initializer_list<int> positions) {
        doc.clearSelection();
        for (int p : positions)
            doc.select(&block(p), true);
    }

    // Runs an operation that must be done as one step; its undo gives back the track and the
    // selection before it, its redo the track after it.
    ReshapeResult doneAndUndone(const std::function<ReshapeResult()>& operation) {
        const auto before = state();
        const auto selectedBefore = members();
        const std::size_t steps = doc.history().doneCount();
        const ReshapeResult result = operation();
        EXPECT_TRUE(result.done) << result.message;
        EXPECT_EQ(doc.history().doneCount(), steps + 1);
        const auto after = state();
        EXPECT_NE(after, before);
        EXPECT_TRUE(doc.undo());
        EXPECT_EQ(state(), before);
        EXPECT_EQ(members(), selectedBefore);
        EXPECT_TRUE(doc.redo());
        EXPECT_EQ(state(), after);
        expectSelectionInStep();
        return result;
    }

    // Runs an operation that must be refused: nothing changes and no step is made.
    ReshapeResult refused(const std::function<ReshapeResult()>& operation) {
        const auto before = state();
        const std::size_t steps = doc.history().stepCount();
        const std::size_t heard = list.heardChanges.size();
        const ReshapeResult result = operation();
        EXPECT_FALSE(result.done);
        EXPECT_FALSE(result.message.empty());
        EXPECT_EQ(state(), before);
        EXPECT_EQ(doc.history().stepCount(), steps);
        EXPECT_EQ(list.heardChanges.size(), heard);
        return result;
    }

    // A selection of every kind, turned and placed so that its box is 13 by 10 cells.
    void addMixedSelection() {
        addBlock(3, 4, 1, Single);
        addBlock(5, 5, 2, Triple, 1);
        addBlock(8, 3, 1, Ell, 2);
        addBlock(4, 9, 3, LongL, 5); // the turn's high bits are the file's
        addBlock(10, 6, 1, LongJ, 3);
        addBlock(12, 8, 1, Nook, 1);
        addBlock(6, 12, 1, Broken);
        addBlock(14, 7, 2, Double, 2);
        addNamed(9, 10, "Mystery");
        addBlock(20, 20, 1, Triple); // not selected
        std::vector<const BlockRecord*> chosen;
        for (int i = 0; i < 9; ++i)
            chosen.push_back(&block(i));
        doc.setSelection(chosen);
    }
};

TEST_F(ReshapeTest, FourQuarterTurnsOrOneEachWayGiveBackTheTrack) {
    addMixedSelection();
    const GridCell extent = selectionExtent(doc, ctx.catalog);
    ASSERT_EQ(extent.x, 13);
    ASSERT_EQ(extent.y, 10); // an odd difference: the centre falls between cells
    const auto original = state();
    for (int sense : {1, -1}) {
        for (int i = 0; i < 4; ++i) {
            doneAndUndone([&] { return turnSelection(doc, ctx.catalog, sense); });
            if (i < 3) {
                EXPECT_NE(state(), original);
            }
        }
        EXPECT_EQ(state(), original) << "four turns of " << sense;
    }
    doneAndUndone([&] { return turnSelection(doc, ctx.catalog, 1); });
    doneAndUndone([&] { return turnSelection(doc, ctx.catalog, -1); });
    EXPECT_EQ(state(), original);
    EXPECT_EQ(block(9).x, 20);
}

TEST_F(ReshapeTest, AHalfTurnIsTwoQuarterTurnsAndThreeAreOneTheOtherWay) {
    addMixedSelection();
    const auto turnedBy = [&](std::vector<int> senses) {
        for (int sense : senses)
            EXPECT_TRUE(turnSelection(doc, ctx.catalog, sense).done);
        const auto turned = state();
        while (doc.undo()) {
        }
        return turned;
    };
    EXPECT_EQ(turnedBy({2}), turnedBy({1, 1}));
    EXPECT_EQ(turnedBy({-2}), turnedBy({1, 1}));
    EXPECT_EQ(turnedBy({3}), turnedBy({-1}));
    EXPECT_EQ(turnedBy({-3}), turnedBy({1}));
    EXPECT_EQ(turnedBy({2, 2}), state());
    EXPECT_FALSE(turnSelection(doc, ctx.catalog, 4).done);

    // In the Stadium's last row a quarter turn leaves the grid; a half turn keeps the box.
    const BlockRecord& row = addBlock(29, 31, 1, Triple);
    const BlockRecord& above = addBlock(29, 31, 2, Single);
    doc.setSelection({&row, &above});
    inStadium();
    refused([&] { return turnSelection(doc, ctx.catalog, 1); });
    doneAndUndone([&] { return turnSelection(doc, ctx.catalog, 2); });
    EXPECT_EQ(cellsOf(row), (Cells{{29, 31, 1}, {30, 31, 1}, {31, 31, 1}}));
    EXPECT_EQ(cellsOf(above), (Cells{{31, 31, 2}}));
}

TEST_F(ReshapeTest, ATurnMovesEveryCellOfEveryBlockAboutTheCentreOfTheSelection) {
    // A 3 x 3 box about the cell (3, 3): a quarter turn takes (x, y) to (6 - y, x).
    const BlockRecord& triple = addBlock(2, 2, 1, Triple);
    const BlockRecord& single = addBlock(2, 4, 1, Single);
    const BlockRecord& ell = addBlock(3, 3, 1, Ell);
    selectAll(doc);
    EXPECT_EQ(turnSelection(doc, ctx.catalog, 1).blocks, 3);
    EXPECT_EQ(cellsOf(triple), (Cells{{4, 2, 1}, {4, 3, 1}, {4, 4, 1}}));
    EXPECT_EQ(cellsOf(single), (Cells{{2, 2, 1}}));
    EXPECT_EQ(cellsOf(ell), (Cells{{3, 3, 1}, {3, 4, 1}, {2, 3, 1}}));

    // A 3 x 1 x 2 box about (6, 5): it becomes 1 x 3, its levels kept.
    doc.clearSelection();
    const BlockRecord& lying = addBlock(5, 5, 1, Triple);
    const BlockRecord& above = addBlock(5, 5, 2, Single);
    doc.select(&lying, true);
    doc.select(&above, true);
    EXPECT_TRUE(turnSelection(doc, ctx.catalog, 1).done);
    EXPECT_EQ(cellsOf(lying), (Cells{{6, 4, 1}, {6, 5, 1}, {6, 6, 1}}));
    EXPECT_EQ(cellsOf(above), (Cells{{6, 4, 2}}));
    EXPECT_TRUE(turnSelection(doc, ctx.catalog, -1).done);
    EXPECT_EQ(cellsOf(above), (Cells{{5, 5, 2}}));
}

TEST_F(ReshapeTest, ATurnThatWouldLeaveTheGridIsRefusedWholeWithTheCount) {
    // Turned about (30, 31), the last row's three cells stand from y 30 to 32.
    addBlock(29, 31, 1, Triple);
    addBlock(30, 31, 2, Single);
    selectAll(doc);
    inStadium();
    const ReshapeResult result = refused([&] { return turnSelection(doc, ctx.catalog, 1); });
    EXPECT_EQ(result.leaving, 1);
    EXPECT_NE(result.message.find("1 block"), std::string::npos) << result.message;
    // Other environments' maps are larger: only negative coordinates, or those past what a
    // block's coordinates can hold, are outside.
    ctx.catalog.currentEnvironment = 0;
    doneAndUndone([&] { return turnSelection(doc, ctx.catalog, 1); });
    doc.undo();

    for (int x : {0, 125}) {
        doc.select(&addBlock(x, x == 0 ? 0 : 127, 1, Triple), false);
        for (int sense : {1, -1})
            EXPECT_EQ(refused([&] { return turnSelection(doc, ctx.catalog, sense); }).leaving, 1)
                << x;
    }
}

TEST_F(ReshapeTest, MirroringTwiceOnEitherAxisGivesBackTheTrack) {
    addMixedSelection();
    const auto original = state();
    for (MirrorAxis axis : {MirrorAxis::X, MirrorAxis::Y}) {
        const ReshapeResult once =
            doneAndUndone([&] { return mirrorSelection(doc, ctx.catalog, axis); });
        EXPECT_NE(state(), original);
        doneAndUndone([&] { return mirrorSelection(doc, ctx.catalog, axis); });
        EXPECT_EQ(state(), original);
        // Single, Nook, Broken, Double and the kind the catalogue lacks.
        EXPECT_EQ(once.unknownMirror, 5);
    }
}

TEST_F(ReshapeTest, AKindWithAMirrorImageTakesTheKindAndTurnThatCoverTheMirroredCells) {
    // Across x in a box from x 2 to 7: x becomes 9 - x.
    const BlockRecord& l = addBlock(2, 2, 1, LongL, 1); // cells (3,2) (3,3) (3,4) (2,4)
    const BlockRecord& single = addBlock(7, 2, 1, Single);
    selectAll(doc);
    EXPECT_EQ(mirrorSelection(doc, ctx.catalog, MirrorAxis::X).unknownMirror, 1);
    EXPECT_EQ(l.catalogIndex, LongJ);
    EXPECT_EQ(l.rotation, 3);
    EXPECT_EQ(cellsOf(l), (Cells{{6, 2, 1}, {6, 3, 1}, {6, 4, 1}, {7, 4, 1}}));
    EXPECT_EQ(cellsOf(single), (Cells{{2, 2, 1}}));

    // Across y in a box from y 2 to 6: y becomes 8 - y.
    doc.clearSelection();
    const BlockRecord& l2 = addBlock(12, 2, 1, LongL); // cells (12,2) (13,2) (14,2) (14,3)
    addBlock(12, 6, 1, Single);
    selectPositions({2, 3});
    EXPECT_TRUE(mirrorSelection(doc, ctx.catalog, MirrorAxis::Y).done);
    EXPECT_EQ(l2.catalogIndex, LongJ);
    EXPECT_EQ(cellsOf(l2), (Cells{{12, 6, 1}, {13, 6, 1}, {14, 6, 1}, {14, 5, 1}}));

    // Its own mirror image: across x in a box from x 0 to 4, x becomes 4 - x.
    const BlockRecord& ell = addBlock(3, 12, 1, Ell); // cells (3,12) (4,12) (3,13)
    addBlock(0, 12, 1, Single);
    selectPositions({4, 5});
    EXPECT_TRUE(mirrorSelection(doc, ctx.catalog, MirrorAxis::X).done);
    EXPECT_EQ(ell.catalogIndex, Ell);
    EXPECT_EQ(ell.rotation, 1);
    EXPECT_EQ(ell.x, 0);
    EXPECT_EQ(cellsOf(ell), (Cells{{0, 12, 1}, {1, 12, 1}, {1, 13, 1}}));
}

TEST_F(ReshapeTest, AKindWhoseMirrorImageIsUnknownKeepsKindAndTurnOnItsMirroredBox) {
    // Across x in a box from x 2 to 6: x becomes 8 - x.
    const BlockRecord& nook = addBlock(2, 2, 1, Nook, 1); // cells (3,2) (3,3) (2,3)
    const BlockRecord& broken = addBlock(6, 2, 1, Broken);
    const BlockRecord& named = addNamed(6, 3, "Mystery");
    selectAll(doc);
    const ReshapeResult result = mirrorSelection(doc, ctx.catalog, MirrorAxis::X);
    EXPECT_TRUE(result.done);
    EXPECT_EQ(result.unknownMirror, 3);
    EXPECT_NE(result.message.find("3 blocks"), std::string::npos) << result.message;
    EXPECT_EQ(nook.catalogIndex, Nook);
    EXPECT_EQ(nook.rotation, 1);
    EXPECT_EQ(cellsOf(nook), (Cells{{6, 2, 1}, {6, 3, 1}, {5, 3, 1}}));
    EXPECT_EQ(broken.catalogIndex, Broken);
    EXPECT_EQ(cellsOf(broken), (Cells{{2, 2, 1}}));
    EXPECT_EQ(named.keptName, "Mystery");
    EXPECT_EQ(cellsOf(named), (Cells{{2, 3, 1}}));
}

TEST_F(ReshapeTest, ShiftMovesTheSelectionOrRefusesToLeaveTheGrid) {
    const BlockRecord& triple = addBlock(3, 4, 2, Triple, 1);
    const BlockRecord& single = addBlock(5, 5, 1, Single);
    const BlockRecord& still = addBlock(9, 9, 1, Single);
    selectPositions({0, 1});
    doneAndUndone([&] { return shiftSelection(doc, ctx.catalog, 1, -2, 3); });
    EXPECT_EQ(cellsOf(single), (Cells{{6, 3, 4}}));
    EXPECT_EQ(cellsOf(still), (Cells{{9, 9, 1}}));
    doc.undo();

    // Repeats of one gesture are one step.
    const auto start = state();
    shiftSelection(doc, ctx.catalog, 1, 0, 0, "keys");
    shiftSelection(doc, ctx.catalog, 1, 0, 0, "keys");
    EXPECT_EQ(single.x, 7);
    EXPECT_EQ(doc.history().doneCount(), 1u);
    doc.undo();
    EXPECT_EQ(state(), start);

    // The lowest corner of the selection's cells to a cell: the triple stands along y at x 3.
    doneAndUndone([&] { return shiftSelectionTo(doc, ctx.catalog, {0, 0, 1}); });
    EXPECT_EQ(cellsOf(triple), (Cells{{0, 0, 2}, {0, 1, 2}, {0, 2, 2}}));
    EXPECT_EQ(cellsOf(single), (Cells{{2, 1, 1}}));
    doc.undo();

    EXPECT_EQ(refused([&] { return shiftSelection(doc, ctx.catalog, -4, 0, 0); }).leaving, 1);
    EXPECT_EQ(refused([&] { return shiftSelection(doc, ctx.catalog, INT_MAX, 0, 0); }).leaving, 2);
    EXPECT_EQ(refused([&] { return shiftSelection(doc, ctx.catalog, 0, INT_MIN, 0); }).leaving, 2);
    inStadium();
    EXPECT_EQ(refused([&] { return shiftSelection(doc, ctx.catalog, 0, 0, 30); }).leaving, 1);
    EXPECT_EQ(refused([&] { return shiftSelectionTo(doc, ctx.catalog, {30, 0, 0}); }).leaving, 1);
}

TEST_F(ReshapeTest, StackAddsSelectedCopiesAsOneStep) {
    const BlockRecord& triple = addBlock(3, 4, 2, Triple, 1);
    addBlock(9, 9, 1, Single);
    addBlock(5, 5, 1, Single);
    selectPositions({0, 2});
    const ReshapeResult result =
        doneAndUndone([&] { return stackSelection(doc, ctx.catalog, 3, 0, 1, 2); });
    EXPECT_EQ(result.blocks, 6);
    ASSERT_EQ(doc.blocks().size(), 9u);
    std::vector<const BlockRecord*> copies;
    for (int i = 3; i < 9; ++i)
        copies.push_back(&block(i));
    EXPECT_EQ(members(), copies);
    for (int copy = 1; copy <= 3; ++copy) {
        const BlockRecord& t = block(1 + 2 * copy);
        const BlockRecord& s = block(2 + 2 * copy);
        EXPECT_EQ(std::tie(t.catalogIndex, t.rotation, t.x, t.y, t.z),
                  std::make_tuple(triple.catalogIndex, triple.rotation, triple.x,
                                  std::int8_t(4 + copy), std::int8_t(2 + 2 * copy)));
        EXPECT_EQ(cellsOf(s), (Cells{{5, 5 + copy, 1 + 2 * copy}}));
    }
    doc.undo();
    EXPECT_EQ(doc.blocks().size(), 3u);

    refused([&] { return stackSelection(doc, ctx.catalog, 0, 0, 0, 1); });
    refused([&] { return stackSelection(doc, ctx.catalog, 2, 0, 0, 0); });
    refused([&] { return stackSelection(doc, ctx.catalog, int(kMaxTrackBlocks), 0, 0, 1); });
    EXPECT_EQ(refused([&] { return stackSelection(doc, ctx.catalog, 3, 0, 0, 1 << 30); }).leaving,
              2);
    inStadium();
    // The triple's third copy would stand at level 32.
    EXPECT_EQ(refused([&] { return stackSelection(doc, ctx.catalog, 3, 0, 0, 10); }).leaving, 1);
    doneAndUndone([&] { return stackSelection(doc, ctx.catalog, 2, 0, 0, 10); });
}

TEST_F(ReshapeTest, ReplaceGivesTheKindsOfItsScopeTheirNewKindsAndKeepsTheRest) {
    const auto add = [&](std::uint32_t kind, int x, int rotation) {
        BlockRecord record = recordAt(x, 3, 1, kind, rotation);
        record.variant = {std::uint8_t(x), 0x80, 0, 1};
        record.skin.author = "author" + std::to_string(x);
        record.skin.skin.number = static_cast<std::uint32_t>(x);
        return &addToDocument(doc, record);
    };
    add(Single, 1, 1);
    add(Double, 4, 2);
    add(Single, 8, 3);
    add(Triple, 12, 0);
    const auto kindsNow = [&] {
        std::vector<std::uint32_t> kinds;
        for (const BlockRecord& r : doc.blocks())
            kinds.push_back(r.catalogIndex);
        return kinds;
    };
    const auto withKinds = [&](std::vector<std::uint32_t> kinds) {
        auto expected = state();
        for (std::size_t i = 0; i < kinds.size(); ++i)
            std::get<0>(expected[i]) = kinds[i];
        return expected;
    };
    // Pairs apply to the kinds before the replace: a swap swaps.
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> swap = {{Single, Double},
                                                                       {Double, Single}};
    auto expected = withKinds({Double, Single, Double, Triple});
    EXPECT_EQ(doneAndUndone([&] {
                  return replaceKinds(doc, ctx.catalog, swap, ReplaceScope::Track, Area{});
              }).blocks,
              3);
    EXPECT_EQ(state(), expected);
    doc.undo();

    selectPositions({1, 2});
    expected = withKinds({Single, Single, Double, Triple});
    doneAndUndone(
        [&] { return replaceKinds(doc, ctx.catalog, swap, ReplaceScope::Selection, Area{}); });
    EXPECT_EQ(state(), expected);
    doc.undo();

    // The area holds a cell of the double (x 4 and 5) and one of the triple (x 12 to 14).
    Area area;
    toggleAreaCell(area, 5, 3, 1);
    toggleAreaCell(area, 14, 3, 1);
    expected = withKinds({Single, Triple, Single, Double});
    doneAndUndone([&] {
        return replaceKinds(doc, ctx.catalog, {{Double, Triple}, {Triple, Double}},
                            ReplaceScope::Area, area);
    });
    EXPECT_EQ(state(), expected);
    doc.undo();

    const std::vector<std::pair<std::uint32_t, std::uint32_t>> unknown = {
        {Single, 99}, {0, Single}, {99, Single}};
    for (const auto& pair : unknown)
        refused([&] {
            return replaceKinds(doc, ctx.catalog, {{Double, Triple}, pair}, ReplaceScope::Track,
                                Area{});
        });
    EXPECT_EQ(kindsNow(), (std::vector<std::uint32_t>{Single, Double, Single, Triple}));

    // A larger kind that would reach past the grid's edge where the block stands.
    inStadium();
    add(Single, 31, 0);
    EXPECT_EQ(
        refused([&] {
            return replaceKinds(doc, ctx.catalog, {{Single, Triple}}, ReplaceScope::Track, Area{});
        }).leaving,
        1);
}

TEST_F(ReshapeTest, SelectAllAndSelectAllOfTheSelectedKinds) {
    addBlock(1, 1, 1, Single);
    addBlock(2, 1, 1, Double);
    addBlock(3, 1, 1, Single);
    addNamed(4, 1, "Mystery");
    addNamed(5, 1, "Other");
    addNamed(6, 1, "Mystery");
    addBlock(7, 1, 1, Triple);

    selectAllOfSelectedKinds(doc);
    EXPECT_TRUE(doc.selection().empty());
    selectPositions({5, 0});
    selectAllOfSelectedKinds(doc);
    EXPECT_EQ(members(),
              (std::vector<const BlockRecord*>{&block(0), &block(2), &block(3), &block(5)}));
    expectSelectionInStep();
    selectAll(doc);
    EXPECT_EQ(doc.selection().count(), 7u);
    EXPECT_EQ(list.markedLines(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(doc.history().stepCount(), 0u);
}

} // namespace
