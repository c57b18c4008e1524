#include "ui_fixture.h"

#include "edit/block_edits.h"
#include "edit/selection_ops.h"
#include "ui/block_list.h"

namespace {

using namespace control_id;

class BlocksPageTest : public PagesTest {};

TEST_F(BlocksPageTest, EmptyTrackGivesAnEmptyList) {
    blocks->fillBlockList();
    EXPECT_EQ(list()->count(), 0);
}

TEST_F(BlocksPageTest, ListsBlocksInTrackOrderWithTheHiddenMark) {
    addBlock(5, 0, 0, 1);
    addBlock(17, 1, 0, 1, BLOCK_HIDDEN);
    addBlock(308, 2, 0, 1);
    blocks->fillBlockList();
    EXPECT_EQ(lines(), (QStringList{"1: Kind5", "2: (h) Kind17", "3: Kind308"}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(blockOfLine(list()->item(i)), &block(i));
    EXPECT_TRUE(markedLines().empty());

    // A refill replaces the lines rather than appending to them.
    block(1).flags = 0;
    blocks->fillBlockList();
    EXPECT_EQ(lines(), (QStringList{"1: Kind5", "2: Kind17", "3: Kind308"}));
}

TEST_F(BlocksPageTest, KindsOutsideTheCatalogueShowTheKeptName) {
    BlockRecord& unknown = addBlock(0, 0, 0, 1);
    unknown.keptName = "FileOnlyName";
    addBlock(0, 1, 0, 1);   // nothing kept: an empty name
    addBlock(999, 2, 0, 1); // past the catalogue's end
    blocks->fillBlockList();
    EXPECT_EQ(lines(), (QStringList{"1: FileOnlyName", "2: ", "3: "}));
    // The panel shows the same name.
    selectBlock(ctx, &unknown, false);
    EXPECT_EQ(text(blocks, kBlockName), "FileOnlyName");
}

TEST_F(BlocksPageTest, ClickingALineTogglesItsBlock) {
    addBlock(1, 0, 0, 1);
    addBlock(2, 3, 4, 5);
    blocks->fillBlockList();

    clickLine(1);
    EXPECT_EQ(ctx.selection.count(), 1);
    EXPECT_EQ(ctx.selection.first(), &block(1));
    EXPECT_TRUE(block(1).flags & BLOCK_SELECTED);
    EXPECT_EQ(markedLines(), std::vector<int>{1});
    EXPECT_EQ(text(blocks, kBlockName), "Kind2");
    EXPECT_EQ(text(blocks, kXEdit), "3");
    EXPECT_EQ(view.displayFrames(), 1);
    EXPECT_EQ(focusCalls, 1);

    clickLine(0);
    EXPECT_EQ(ctx.selection.count(), 2);
    EXPECT_EQ(markedLines(), (std::vector<int>{0, 1}));
    EXPECT_EQ(text(blocks, kBlockName), "");

    clickLine(1);
    EXPECT_EQ(ctx.selection.count(), 1);
    EXPECT_FALSE(block(1).flags & BLOCK_SELECTED);
    EXPECT_EQ(markedLines(), std::vector<int>{0});
    EXPECT_EQ(view.displayFrames(), 3);
    EXPECT_EQ(focusCalls, 3);
}

TEST_F(BlocksPageTest, SelectionMadeElsewhereMarksTheLines) {
    addBlock(1, 0, 0, 1);
    addBlock(2, 0, 0, 1);
    addBlock(3, 0, 0, 1);
    blocks->fillBlockList();
    selectBlock(ctx, &block(2), false);
    EXPECT_EQ(markedLines(), std::vector<int>{2});
    invertSelection(ctx);
    EXPECT_EQ(markedLines(), (std::vector<int>{0, 1}));
    // Marks set by the program are not clicks: nothing toggled back, no frame drawn.
    EXPECT_EQ(ctx.selection.count(), 2);
    EXPECT_EQ(view.displayFrames(), 0);
}

TEST_F(BlocksPageTest, MarksOfABurstReachTheListBeforeAnythingElse) {
    addBlock(1, 0, 0, 1);
    addBlock(2, 0, 0, 1);
    addBlock(3, 0, 0, 1);
    blocks->fillBlockList();
    selectBlock(ctx, &block(0), false);
    // A refill re-marks the selected lines without a panel refresh afterwards: the marks
    // arrive by the next turn of the event loop.
    hideSelection(ctx);
    QApplication::processEvents();
    EXPECT_EQ(markedLines(), std::vector<int>{0});

    // Marks still waiting when the user clicks apply first: a click on a selected block's line
    // deselects it.
    selectBlock(ctx, &block(2), false);
    hideSelection(ctx);
    clickLine(2);
    EXPECT_EQ(markedLines(), std::vector<int>{0});
    EXPECT_EQ(ctx.selection.count(), 1);
    EXPECT_FALSE(block(2).flags & BLOCK_SELECTED);
}

TEST_F(BlocksPageTest, GatheredMarksKeepTheLastRequestForEachLine) {
    for (int i = 0; i < 6; ++i)
        addBlock(1, i, 0, 1);
    blocks->fillBlockList();
    blocks->markBlockLine(5, true);
    blocks->flushLineMarks();
    for (auto [line, marked] : {std::pair{1, true},
                                {2, true},
                                {1, false},
                                {3, true},
                                {5, false},
                                {0, true},
                                {0, false},
                                {0, true},
                                {9, true},
                                {-1, true}})
        blocks->markBlockLine(line, marked);
    blocks->flushLineMarks();
    EXPECT_EQ(markedLines(), (std::vector<int>{0, 2, 3}));
    // Unmarking all drops what was still waiting.
    blocks->markBlockLine(4, true);
    blocks->unmarkAllBlockLines();
    QApplication::processEvents();
    EXPECT_TRUE(markedLines().empty());
}

TEST_F(BlocksPageTest, AWholeGridOfBlocksInvertsAndRefills) {
    for (int i = 0; i < 32768; ++i)
        addBlock(1 + i % 300, i % 32, (i / 32) % 32, i / 1024);
    blocks->fillBlockList();
    ASSERT_EQ(list()->count(), 32768);
    invertSelection(ctx);
    EXPECT_EQ(list()->selectedItems().size(), 32768);
    clickLine(5);
    EXPECT_EQ(list()->selectedItems().size(), 32767);
    EXPECT_FALSE(list()->item(5)->isSelected());
    hideSelection(ctx);
    QApplication::processEvents();
    EXPECT_EQ(list()->selectedItems().size(), 32767);
    EXPECT_EQ(list()->item(5)->text(), "6: Kind6");
    EXPECT_EQ(list()->item(6)->text(), "7: (h) Kind7");
    invertSelection(ctx);
    EXPECT_EQ(markedLines(), std::vector<int>{5});
}

TEST_F(BlocksPageTest, SelectAllInTheListSelectsEveryBlock) {
    addBlock(1, 0, 0, 1);
    addBlock(2, 0, 0, 1);
    blocks->fillBlockList();
    clickLine(0);
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(ctx.selection.count(), 2);
    EXPECT_EQ(markedLines(), (std::vector<int>{0, 1}));
}

TEST_F(BlocksPageTest, OneBlockSpinnersFollowTheBlock) {
    BlockRecord& b = addBlock(1, 0, 0, 1);
    b.rotation = 3;
    blocks->fillBlockList();
    clickLine(0);
    const int framesBefore = view.displayFrames();
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
    EXPECT_EQ(view.displayFrames(), framesBefore + 4);
    EXPECT_EQ(focusCalls, focusBefore);
}

TEST_F(BlocksPageTest, XWrapsRoundAtTheTopOfItsRange) {
    BlockRecord& b = addBlock(1, 127, 0, 1);
    blocks->fillBlockList();
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
    b.x = -128;
    blocks->refreshProperties(&b);
    clickDown(kXSpinner); // already below the bottom end: nothing
    EXPECT_EQ(b.x, -128);
    clickUp(kXSpinner);
    EXPECT_EQ(b.x, -127);
    clickDown(kXSpinner); // -127 is the bottom end
    EXPECT_EQ(b.x, -127);
}

TEST_F(BlocksPageTest, SeveralBlocksStepTogetherAndTheSpinnerReturnsToOne) {
    BlockRecord& a = addBlock(1, 4, 0, 1);
    BlockRecord& b = addBlock(2, 10, 0, 1);
    blocks->fillBlockList();
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
    clickUp(kVar2Spinner);
    EXPECT_EQ(a.variant[1], 0);
    EXPECT_EQ(b.variant[1], 0);
    EXPECT_EQ(spinner(kVar2Spinner)->position(), 0);
    EXPECT_TRUE(resolver.resolved.empty());
}

TEST_F(BlocksPageTest, VariantChangeResolvesTheModelAgain) {
    BlockRecord& b = addBlock(7, 0, 0, 1);
    b.variant = {1, 2, 3, 4};
    blocks->fillBlockList();
    clickLine(0);
    EXPECT_EQ(text(blocks, kVar2Edit), "2");
    for (int i = 0; i < 3; ++i)
        clickUp(kVar2Spinner);
    EXPECT_EQ(b.variant, (std::array<std::uint8_t, 4>{1, 5, 3, 4}));
    EXPECT_EQ(text(blocks, kVar2Edit), "5");
    ASSERT_EQ(resolver.resolved.size(), 3u);
    EXPECT_EQ(resolver.resolved.back(), &b);
    EXPECT_EQ(b.modelList, VariantModelResolver::modelFor(b));

    // Var 1 cannot go below 0.
    b.variant[0] = 0;
    blocks->refreshProperties(&b);
    clickDown(kVar1Spinner);
    EXPECT_EQ(b.variant[0], 0);
}

TEST_F(BlocksPageTest, SpinnersChangeNothingWithoutASelection) {
    BlockRecord& b = addBlock(1, 0, 0, 1);
    blocks->fillBlockList();
    blocks->refreshProperties(nullptr);
    clickUp(kXSpinner);
    clickUp(kVar1Spinner);
    EXPECT_EQ(b.x, 0);
    EXPECT_EQ(b.variant[0], 0);
    EXPECT_EQ(view.displayFrames(), 0);
    // The ignored clicks leave the spinners where the panel put them.
    EXPECT_EQ(spinner(kXSpinner)->position(), 1);
    EXPECT_EQ(spinner(kVar1Spinner)->position(), 0);
}

TEST_F(BlocksPageTest, GizmoBoxesSetTheViewFlags) {
    click(blocks, kMoveGizmo);
    EXPECT_TRUE(ctx.showMoveGizmo);
    EXPECT_TRUE(button(blocks, kMoveGizmo)->isChecked());
    click(blocks, kRotateGizmo);
    EXPECT_TRUE(ctx.showRotateGizmo);
    click(blocks, kMoveGizmo);
    EXPECT_FALSE(ctx.showMoveGizmo);
    EXPECT_TRUE(ctx.showRotateGizmo);
    EXPECT_EQ(view.displayFrames(), 3);
    EXPECT_EQ(focusCalls, 3);
}

TEST_F(BlocksPageTest, HideUnhideAndInvertRunOnTheSelection) {
    addBlock(1, 0, 0, 1);
    addBlock(2, 1, 0, 1);
    addBlock(3, 2, 0, 1);
    blocks->fillBlockList();
    clickLine(1);

    click(blocks, kHide);
    EXPECT_TRUE(block(1).flags & BLOCK_HIDDEN);
    EXPECT_EQ(lines(), (QStringList{"1: Kind1", "2: (h) Kind2", "3: Kind3"}));
    EXPECT_EQ(markedLines(), std::vector<int>{1}); // the refill keeps the mark

    click(blocks, kInvertSelection);
    EXPECT_EQ(markedLines(), (std::vector<int>{0, 2}));
    EXPECT_EQ(ctx.selection.count(), 2);

    click(blocks, kUnhideAll);
    EXPECT_EQ(lines(), (QStringList{"1: Kind1", "2: Kind2", "3: Kind3"}));
    EXPECT_EQ(view.displayFrames(), 4);
    EXPECT_EQ(focusCalls, 4);
}

TEST_F(BlocksPageTest, AddBlockPlacesThePickedKindBesideTheSelection) {
    addBlock(1, 4, 5, 2);
    blocks->fillBlockList();
    clickLine(0);
    EXPECT_TRUE(button(blocks, kDelete)->isEnabled());
    prompts.pickedBlocks = {0}; // closed without a choice
    click(blocks, kAddBlock);
    EXPECT_EQ(ctx.currentTrack.blocks.size(), 1u);
    prompts.pickedBlocks = {3};
    click(blocks, kAddBlock);
    ASSERT_EQ(ctx.currentTrack.blocks.size(), 2u);
    const BlockRecord& placed = ctx.currentTrack.blocks.back();
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
    blocks->fillBlockList();
    clickLine(0);
    const int frames = view.displayFrames();

    prompts.answers = {false};
    click(blocks, kDelete);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].question);
    EXPECT_EQ(prompts.shown[0].text, "Are you sure you want to delete selected blocks?");
    EXPECT_EQ(prompts.shown[0].caption, "Blockyard 0.1 alpha");
    EXPECT_EQ(ctx.currentTrack.blocks.size(), 2u);
    EXPECT_EQ(view.displayFrames(), frames);

    prompts.answers = {true};
    click(blocks, kDelete);
    EXPECT_EQ(ctx.currentTrack.blocks.size(), 1u);
    EXPECT_EQ(lines(), QStringList{"1: Kind2"});
    EXPECT_EQ(view.displayFrames(), frames + 1);
}

} // namespace
