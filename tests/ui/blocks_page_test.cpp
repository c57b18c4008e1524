#include "ui_fixture.h"

#include <chrono>

#include "edit/block_edits.h"
#include "edit/reshape.h"
#include "ui/block_list.h"

namespace {

using namespace control_id;

class BlocksPageTest : public PagesTest {
  protected:
    // Added as an opened track holds it, with its own turn and variants.
    const BlockRecord& addBlockWith(std::uint32_t kind, int x, std::uint8_t rotation,
                                    std::array<std::uint8_t, 4> variant = {}) {
        BlockRecord r;
        r.catalogIndex = kind;
        r.x = static_cast<std::int8_t>(x);
        r.z = 1;
        r.rotation = rotation;
        r.variant = variant;
        return addToDocument(doc, r);
    }
};

TEST_F(BlocksPageTest, EmptyTrackGivesAnEmptyList) {
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(text(blocks, kBlockName), "");
}

TEST_F(BlocksPageTest, ListsBlocksInTrackOrderWithTheHiddenMark) {
    addBlock(5, 0, 0, 1);
    addBlock(17, 1, 0, 1, BLOCK_HIDDEN);
    addBlock(308, 2, 0, 1);
    // Each new track replaces the lines rather than adding to them.
    EXPECT_EQ(lines(), (QStringList{"1: Kind5", "2: (h) Kind17", "3: Kind308"}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(blockOfLine(list()->item(i)), &block(i));
    EXPECT_TRUE(markedLines().empty());
}

TEST_F(BlocksPageTest, KindsOutsideTheCatalogueShowTheKeptName) {
    BlockRecord kept;
    kept.keptName = "FileOnlyName";
    const BlockRecord& unknown = addToDocument(doc, kept);
    addBlock(0, 1, 0, 1);   // nothing kept: an empty name
    addBlock(999, 2, 0, 1); // past the catalogue's end
    EXPECT_EQ(lines(), (QStringList{"1: FileOnlyName", "2: ", "3: "}));
    // The panel shows the same name.
    doc.select(&unknown, false);
    EXPECT_EQ(text(blocks, kBlockName), "FileOnlyName");
}

TEST_F(BlocksPageTest, ClickingALineTogglesItsBlock) {
    addBlock(1, 0, 0, 1);
    addBlock(2, 3, 4, 5);

    clickLine(1);
    EXPECT_EQ(doc.selection().count(), 1);
    EXPECT_EQ(doc.selection().first(), &block(1));
    EXPECT_TRUE(Selection::contains(block(1)));
    EXPECT_EQ(markedLines(), std::vector<int>{1});
    EXPECT_EQ(text(blocks, kBlockName), "Kind2");
    EXPECT_EQ(text(blocks, kXEdit), "3");
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(focusCalls, 1);

    clickLine(0);
    EXPECT_EQ(doc.selection().count(), 2);
    EXPECT_EQ(markedLines(), (std::vector<int>{0, 1}));
    EXPECT_EQ(text(blocks, kBlockName), "");

    clickLine(1);
    EXPECT_EQ(doc.selection().count(), 1);
    EXPECT_FALSE(Selection::contains(block(1)));
    EXPECT_EQ(markedLines(), std::vector<int>{0});
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(focusCalls, 3);
}

TEST_F(BlocksPageTest, SelectionMadeElsewhereMarksTheLines) {
    for (int i = 0; i < 6; ++i)
        addBlock(1 + i, i, 0, 1);
    doc.select(&block(2), false);
    EXPECT_EQ(markedLines(), std::vector<int>{2});
    doc.invertSelection();
    EXPECT_EQ(markedLines(), (std::vector<int>{0, 1, 3, 4, 5}));
    // Runs of lines and single lines, given out of order, in one change.
    doc.setSelection({&block(5), &block(3), &block(0), &block(2)});
    EXPECT_EQ(markedLines(), (std::vector<int>{0, 2, 3, 5}));
    doc.deselect(&block(3));
    EXPECT_EQ(markedLines(), (std::vector<int>{0, 2, 5}));
    doc.clearSelection();
    EXPECT_TRUE(markedLines().empty());
    // Marks set by the program are not clicks: nothing toggled back, no frame drawn.
    doc.setSelection({&block(1), &block(4)});
    EXPECT_EQ(doc.selection().count(), 2);
    EXPECT_EQ(markedLines(), (std::vector<int>{1, 4}));
    EXPECT_EQ(frames, 0);
}

TEST_F(BlocksPageTest, MarksReachTheListBeforeTheNextClick) {
    addBlock(1, 0, 0, 1);
    addBlock(2, 0, 0, 1);
    addBlock(3, 0, 0, 1);
    doc.select(&block(0), false);
    hideSelection(doc);
    EXPECT_EQ(markedLines(), std::vector<int>{0});

    // A click on a selected block's line deselects it.
    doc.select(&block(2), false);
    hideSelection(doc);
    clickLine(2);
    EXPECT_EQ(markedLines(), std::vector<int>{0});
    EXPECT_EQ(doc.selection().count(), 1);
    EXPECT_FALSE(Selection::contains(block(2)));
}

TEST_F(BlocksPageTest, AWholeGridOfBlocksInvertsAndHides) {
    Track track;
    for (int i = 0; i < 32768; ++i) {
        BlockRecord r;
        r.catalogIndex = static_cast<std::uint32_t>(1 + i % 300);
        r.x = static_cast<std::int8_t>(i % 32);
        r.y = static_cast<std::int8_t>((i / 32) % 32);
        r.z = static_cast<std::int8_t>(i / 1024);
        track.blocks.push_back(r);
    }
    doc.replaceTrack(std::move(track), {}, {});
    ASSERT_EQ(list()->count(), 32768);
    doc.invertSelection();
    EXPECT_EQ(list()->selectedItems().size(), 32768);
    clickLine(5);
    EXPECT_EQ(list()->selectedItems().size(), 32767);
    EXPECT_FALSE(list()->item(5)->isSelected());
    hideSelection(doc);
    EXPECT_EQ(list()->selectedItems().size(), 32767);
    EXPECT_EQ(list()->item(5)->text(), "6: Kind6");
    EXPECT_EQ(list()->item(6)->text(), "7: (h) Kind7");
    doc.invertSelection();
    EXPECT_EQ(markedLines(), std::vector<int>{5});
}

TEST_F(BlocksPageTest, SelectAllInTheListSelectsEveryBlock) {
    addBlock(1, 0, 0, 1);
    addBlock(2, 0, 0, 1);
    clickLine(0);
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(doc.selection().count(), 2);
    EXPECT_EQ(markedLines(), (std::vector<int>{0, 1}));
}

TEST_F(BlocksPageTest, TheFilterHidesLinesWhoseNamesLackItsTextAndKeepsTheNumbers) {
    for (std::uint32_t kind : {5, 17, 150, 1})
        addBlock(kind, 0, 0, 1);
    const auto shownLines = [this] {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            if (!list()->isRowHidden(i))
                out << list()->item(i)->text();
        return out;
    };
    auto* filter = qobject_cast<QLineEdit*>(blocks->control(kBlockFilter));
    ASSERT_NE(filter, nullptr);
    QTest::keyClicks(filter, "KIND1");
    EXPECT_EQ(shownLines(), (QStringList{"2: Kind17", "3: Kind150", "4: Kind1"}));

    // Lines filled again for a new block, and a line written again for a new kind, follow it.
    BlockRecord added;
    added.catalogIndex = 2;
    appendBlock(doc, added);
    ASSERT_EQ(list()->count(), 5);
    EXPECT_EQ(shownLines(), (QStringList{"2: Kind17", "3: Kind150", "4: Kind1"}));
    replaceKinds(doc, ctx.catalog, {{17, 5}, {2, 12}}, ReplaceScope::Track, {});
    EXPECT_EQ(shownLines(), (QStringList{"3: Kind150", "4: Kind1", "5: Kind12"}));

    filter->clear();
    EXPECT_EQ(shownLines(), lines());
    EXPECT_EQ(lines().size(), 5);
}

TEST_F(BlocksPageTest, OneBlockSpinnersFollowTheBlock) {
    const BlockRecord& b = addBlockWith(1, 0, 3);
    clickLine(0);
    const int framesBefore = frames;
    const int focusBefore = focusCalls;

    clickDown(kXSpinner);
    EXPECT_EQ(b.x, -1);
    EXPECT_EQ(text(blocks, kXEdit), "-1");
    EXPECT_EQ(spinner(kXSpinner)->position(), -1);
    clickUp(kYSpinner);
    clickUp(kYSpinner);
    EXPECT_EQ(b.y, 2);
    EXPECT_EQ(text(blocks, kYEdit), "2");

    // The rotation spinner ends at 3: the up arrow changes nothing.
    clickUp(kRotationSpinner);
    EXPECT_EQ(b.rotation, 3);
    EXPECT_EQ(text(blocks, kRotationEdit), "3");
    clickDown(kRotationSpinner);
    EXPECT_EQ(b.rotation, 2);
    EXPECT_EQ(text(blocks, kRotationEdit), "2");

    // Each spinner change draws a frame but leaves the focus where it is.
    EXPECT_EQ(frames, framesBefore + 4);
    EXPECT_EQ(focusCalls, focusBefore);
}

TEST_F(BlocksPageTest, ClicksOfASpinnerInARowAreOneUndoStep) {
    using namespace std::chrono_literals;
    auto now = EditHistory::Clock::time_point{} + 1h;
    doc.setHistoryClock([&now] { return now; });
    const BlockRecord& b = addBlockWith(1, 4, 0);
    clickLine(0);

    for (int i = 0; i < 9; ++i)
        clickUp(kXSpinner);
    EXPECT_EQ(b.x, 13);
    EXPECT_TRUE(doc.undo());
    EXPECT_EQ(b.x, 4);
    EXPECT_FALSE(doc.history().canUndo());
    EXPECT_EQ(text(blocks, kXEdit), "4");

    // A pause longer than the collating window between clicks: a step each.
    for (int i = 0; i < 9; ++i) {
        clickUp(kXSpinner);
        now += 1100ms;
    }
    EXPECT_EQ(b.x, 13);
    EXPECT_EQ(doc.history().doneCount(), 9u);
    EXPECT_TRUE(doc.undo());
    EXPECT_EQ(b.x, 12);
}

TEST_F(BlocksPageTest, XWrapsRoundAtTheTopOfItsRange) {
    const BlockRecord& b = addBlock(1, 127, 0, 1);
    clickLine(0);
    clickUp(kXSpinner);
    EXPECT_EQ(b.x, -128);
    EXPECT_EQ(text(blocks, kXEdit), "-128"); // what the block holds, not the spinner's 128
    clickUp(kXSpinner);                      // 128 is the spinner's end
    EXPECT_EQ(b.x, -128);
    clickDown(kXSpinner);
    EXPECT_EQ(b.x, 127);
    EXPECT_EQ(text(blocks, kXEdit), "127");

    // A block read at -128 lies below the spinner's range: the up arrow still steps by one.
    const BlockRecord& low = addBlock(1, -128, 0, 1);
    doc.select(&low, false);
    clickDown(kXSpinner); // already below the bottom end: nothing
    EXPECT_EQ(low.x, -128);
    clickUp(kXSpinner);
    EXPECT_EQ(low.x, -127);
    clickDown(kXSpinner); // -127 is the bottom end
    EXPECT_EQ(low.x, -127);
}

TEST_F(BlocksPageTest, SeveralBlocksStepTogetherAndTheSpinnerReturnsToOne) {
    const BlockRecord& a = addBlock(1, 4, 0, 1);
    const BlockRecord& b = addBlock(2, 10, 0, 1);
    clickLine(0);
    clickLine(1);
    for (int id : {kRotationEdit, kXEdit, kYEdit, kZEdit, kVar1Edit, kVar4Edit})
        EXPECT_EQ(text(blocks, id), "") << id;
    EXPECT_EQ(text(blocks, kBlockName), "");
    EXPECT_EQ(spinner(kXSpinner)->position(), 1);
    EXPECT_EQ(spinner(kVar1Spinner)->position(), 0);

    clickUp(kXSpinner);
    EXPECT_EQ(a.x, 5);
    EXPECT_EQ(b.x, 11);
    EXPECT_EQ(spinner(kXSpinner)->position(), 1);
    EXPECT_EQ(text(blocks, kXEdit), "");
    clickUp(kXSpinner);
    EXPECT_EQ(a.x, 6);
    clickDown(kXSpinner);
    clickDown(kXSpinner);
    clickDown(kXSpinner);
    EXPECT_EQ(a.x, 3);
    EXPECT_EQ(b.x, 9);
    EXPECT_EQ(spinner(kXSpinner)->position(), 1);

    clickDown(kZSpinner);
    EXPECT_EQ(a.z, 0);
    EXPECT_EQ(b.z, 0);
    clickUp(kRotationSpinner);
    EXPECT_EQ(a.rotation, 1);
    EXPECT_EQ(b.rotation, 1);

    // The variant spinners act on one block only.
    const std::size_t steps = doc.history().doneCount();
    clickUp(kVar2Spinner);
    EXPECT_EQ(a.variant[1], 0);
    EXPECT_EQ(b.variant[1], 0);
    EXPECT_EQ(spinner(kVar2Spinner)->position(), 0);
    EXPECT_EQ(doc.history().doneCount(), steps);
}

TEST_F(BlocksPageTest, VariantSpinnersChangeTheBlocksVariant) {
    const BlockRecord& b = addBlockWith(7, 0, 0, {1, 2, 3, 4});
    clickLine(0);
    std::vector<DocumentChange> heard;
    const int id = doc.addListener([&heard](const DocumentChange& c) { heard.push_back(c); });
    EXPECT_EQ(text(blocks, kVar2Edit), "2");
    for (int i = 0; i < 3; ++i)
        clickUp(kVar2Spinner);
    EXPECT_EQ(b.variant, (std::array<std::uint8_t, 4>{1, 5, 3, 4}));
    EXPECT_EQ(text(blocks, kVar2Edit), "5");
    // Whoever draws the block hears that its variant changed.
    ASSERT_EQ(heard.size(), 3u);
    ASSERT_EQ(heard.back().changed.size(), 1u);
    EXPECT_EQ(heard.back().changed[0].record, &b);
    EXPECT_EQ(heard.back().changed[0].properties, unsigned{kVariantChanged});
    doc.removeListener(id);

    // Var 1 cannot go below 0.
    clickDown(kVar1Spinner);
    EXPECT_EQ(b.variant[0], 0);
    clickDown(kVar1Spinner);
    EXPECT_EQ(b.variant[0], 0);
    EXPECT_EQ(text(blocks, kVar1Edit), "0");
}

TEST_F(BlocksPageTest, SpinnersChangeNothingWithoutASelection) {
    const BlockRecord& b = addBlock(1, 0, 0, 1);
    clickUp(kXSpinner);
    clickUp(kVar1Spinner);
    EXPECT_EQ(b.x, 0);
    EXPECT_EQ(b.variant[0], 0);
    EXPECT_FALSE(doc.history().canUndo());
    EXPECT_EQ(frames, 0);
    // The ignored clicks leave the spinners where the panel put them.
    EXPECT_EQ(spinner(kXSpinner)->position(), 1);
    EXPECT_EQ(spinner(kVar1Spinner)->position(), 0);
}

TEST_F(BlocksPageTest, GizmoBoxesSetTheViewSwitches) {
    click(blocks, kMoveGizmo);
    EXPECT_TRUE(viewState.switches.showMoveGizmo);
    EXPECT_TRUE(button(blocks, kMoveGizmo)->isChecked());
    click(blocks, kRotateGizmo);
    EXPECT_TRUE(viewState.switches.showRotateGizmo);
    click(blocks, kMoveGizmo);
    EXPECT_FALSE(viewState.switches.showMoveGizmo);
    EXPECT_TRUE(viewState.switches.showRotateGizmo);
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(focusCalls, 3);
}

TEST_F(BlocksPageTest, HideUnhideAndInvertRunOnTheSelection) {
    addBlock(1, 0, 0, 1);
    addBlock(2, 1, 0, 1);
    addBlock(3, 2, 0, 1);
    clickLine(1);
    // Each line tagged, to tell the same line objects from new ones.
    constexpr int kTagRole = Qt::UserRole + 1;
    std::vector<QListWidgetItem*> items;
    for (int i = 0; i < list()->count(); ++i) {
        items.push_back(list()->item(i));
        items.back()->setData(kTagRole, i);
    }
    const auto sameLines = [&] {
        for (int i = 0; i < list()->count(); ++i)
            if (list()->item(i) != items[i] || items[i]->data(kTagRole) != i)
                return false;
        return list()->count() == static_cast<int>(items.size());
    };

    // The hidden block's line is written again in place; the list is not filled again.
    click(blocks, kHide);
    EXPECT_TRUE(block(1).flags & BLOCK_HIDDEN);
    EXPECT_EQ(lines(), (QStringList{"1: Kind1", "2: (h) Kind2", "3: Kind3"}));
    EXPECT_TRUE(sameLines());
    EXPECT_EQ(markedLines(), std::vector<int>{1});

    click(blocks, kInvertSelection);
    EXPECT_EQ(markedLines(), (std::vector<int>{0, 2}));
    EXPECT_EQ(doc.selection().count(), 2);

    click(blocks, kUnhideAll);
    EXPECT_EQ(lines(), (QStringList{"1: Kind1", "2: Kind2", "3: Kind3"}));
    EXPECT_TRUE(sameLines());
    EXPECT_EQ(markedLines(), (std::vector<int>{0, 2}));
    EXPECT_EQ(frames, 4);
    EXPECT_EQ(focusCalls, 4);
}

TEST_F(BlocksPageTest, AddBlockPlacesThePickedKindBesideTheSelection) {
    addBlock(1, 4, 5, 2);
    clickLine(0);
    EXPECT_TRUE(button(blocks, kDelete)->isEnabled());
    prompts.pickedBlocks = {0}; // closed without a choice
    click(blocks, kAddBlock);
    EXPECT_EQ(doc.blocks().size(), 1u);
    prompts.pickedBlocks = {3};
    click(blocks, kAddBlock);
    ASSERT_EQ(doc.blocks().size(), 2u);
    const BlockRecord& placed = doc.blocks().back();
    EXPECT_EQ(placed.x, 5);
    EXPECT_EQ(placed.y, 5);
    EXPECT_EQ(placed.z, 2);
    EXPECT_EQ(lines(), (QStringList{"1: Kind1", "2: Kind3"}));
    EXPECT_EQ(markedLines(), std::vector<int>{1});
    EXPECT_EQ(text(blocks, kBlockName), "Kind3");
    EXPECT_EQ(text(blocks, kXEdit), "5");
}

TEST_F(BlocksPageTest, DeleteAsksTheMainWindowAndGoesAheadOnlyOnYes) {
    addBlock(1, 0, 0, 1);
    addBlock(2, 0, 0, 1);
    clickLine(0);
    const int framesBefore = frames;

    prompts.answers = {false};
    click(blocks, kDelete);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].question);
    EXPECT_EQ(prompts.shown[0].text, "Are you sure you want to delete selected blocks?");
    EXPECT_EQ(prompts.shown[0].caption, "Blockyard 0.1 alpha");
    EXPECT_EQ(doc.blocks().size(), 2u);
    EXPECT_EQ(frames, framesBefore);

    prompts.answers = {true};
    click(blocks, kDelete);
    EXPECT_EQ(doc.blocks().size(), 1u);
    EXPECT_EQ(lines(), QStringList{"1: Kind2"});
    EXPECT_EQ(frames, framesBefore + 1);
}

} // namespace
