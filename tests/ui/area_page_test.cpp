#include "ui_fixture.h"

#include "edit/block_edits.h"

namespace {

using namespace control_id;

class AreaPageTest : public PagesTest {
  protected:
    // Two blocks in cells (1, 1, 1) and (2, 1, 1), one outside; an area of three cells holding
    // the first two.
    void buildArea() {
        addBlock(1, 1, 1, 1);
        addBlock(2, 2, 1, 1);
        addBlock(3, 9, 9, 1);
        ctx.areaEditor.setLevel(1);
        for (int x = 1; x <= 3; ++x) {
            ctx.areaEditor.setCursor({static_cast<std::int8_t>(x), 1});
            ctx.areaEditor.clickAtCursor(false);
        }
    }
};

TEST_F(AreaPageTest, StartsWithItsInitialTexts) {
    EXPECT_EQ(text(area, kAreaCellCount), "0");
    EXPECT_EQ(text(area, kAreaBlockCount), "0");
    EXPECT_EQ(text(area, kCursorX), "...");
    EXPECT_EQ(text(area, kCursorY), "...");
    EXPECT_EQ(text(area, kCursorLevel), "...");
    EXPECT_EQ(button(area, kEditCurrentArea)->text(), "Edit Current Area");
    EXPECT_TRUE(button(area, kEditCurrentArea)->isCheckable());
}

TEST_F(AreaPageTest, CountsAndCursorFollowTheAreaEditorAndTheTrack) {
    buildArea();
    EXPECT_EQ(text(area, kAreaCellCount), "3");
    EXPECT_EQ(text(area, kAreaBlockCount), "2");
    EXPECT_EQ(text(area, kCursorX), "3");
    EXPECT_EQ(text(area, kCursorY), "1");
    EXPECT_EQ(text(area, kCursorLevel), "1");
    ctx.areaEditor.setCursor({-1, -1});
    ctx.areaEditor.setLevel(4);
    EXPECT_EQ(text(area, kCursorX), "-1");
    EXPECT_EQ(text(area, kCursorLevel), "4");
    // A block moved out of the area leaves the count.
    doc.select(&block(1), false);
    moveSelection(doc, 5, 0, 0);
    EXPECT_EQ(text(area, kAreaBlockCount), "1");
    EXPECT_EQ(frames, 0);
}

TEST_F(AreaPageTest, EditCurrentAreaSwitchesAreaEditing) {
    click(area, kEditCurrentArea);
    EXPECT_TRUE(ctx.areaEditor.editing());
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(focusCalls, 1);
    click(area, kEditCurrentArea);
    EXPECT_FALSE(ctx.areaEditor.editing());
    EXPECT_EQ(frames, 2);
}

TEST_F(AreaPageTest, ClearAreaOnAnEmptyAreaAsksNothing) {
    click(area, kClearArea);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(frames, 0);
    EXPECT_EQ(focusCalls, 0);
}

TEST_F(AreaPageTest, ClearAreaAsksAndClearsOnlyOnYes) {
    buildArea();
    prompts.answers = {false};
    click(area, kClearArea);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Are you sure you want to delete current area?");
    EXPECT_EQ(prompts.shown[0].caption, "Blockyard 0.1 alpha");
    EXPECT_TRUE(prompts.shown[0].question);
    EXPECT_EQ(ctx.areaEditor.area().count(), 3);
    EXPECT_EQ(frames, 0);

    prompts.answers = {true};
    click(area, kClearArea);
    EXPECT_EQ(ctx.areaEditor.area().count(), 0);
    EXPECT_EQ(text(area, kAreaCellCount), "0");
    EXPECT_EQ(text(area, kAreaBlockCount), "0");
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(focusCalls, 1);
}

TEST_F(AreaPageTest, SelectAndHideTheBlocksInTheArea) {
    buildArea();
    click(area, kSelectBlocksInArea);
    EXPECT_EQ(doc.selection().count(), 2);
    EXPECT_EQ(markedLines(), (std::vector<int>{0, 1}));
    click(area, kHideBlocksInArea);
    EXPECT_EQ(lines(), (QStringList{"1: (h) Kind1", "2: (h) Kind2", "3: Kind3"}));
    // Hidden blocks still count.
    EXPECT_EQ(text(area, kAreaBlockCount), "2");
    EXPECT_EQ(frames, 2);
    EXPECT_EQ(focusCalls, 2);
}

TEST_F(AreaPageTest, DeleteBlocksInAreaAsksAndRefreshesTheCounts) {
    buildArea();
    EXPECT_TRUE(button(area, kDeleteBlocksInArea)->isEnabled());
    prompts.answers = {false};
    click(area, kDeleteBlocksInArea);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Are you sure you want to delete all blocks in current area?");
    EXPECT_EQ(prompts.shown[0].caption, "Blockyard 0.1 alpha");
    EXPECT_EQ(doc.blocks().size(), 3u);

    prompts.answers = {true};
    click(area, kDeleteBlocksInArea);
    EXPECT_EQ(lines(), QStringList{"1: Kind3"});
    EXPECT_EQ(text(area, kAreaCellCount), "3");
    EXPECT_EQ(text(area, kAreaBlockCount), "0");
    EXPECT_EQ(frames, 1);
}

TEST_F(AreaPageTest, FillPlacesThePickedKindAndRefreshesTheCounts) {
    buildArea();
    EXPECT_TRUE(button(area, kFillArea)->isEnabled());
    prompts.pickedBlocks = {0};
    click(area, kFillArea); // closed without a choice
    EXPECT_EQ(doc.blocks().size(), 3u);

    prompts.pickedBlocks = {42};
    click(area, kFillArea);
    ASSERT_EQ(doc.blocks().size(), 6u);
    EXPECT_EQ(block(3).catalogIndex, 42u);
    EXPECT_EQ(lines().back(), "6: Kind42");
    EXPECT_EQ(text(area, kAreaBlockCount), "5");
    EXPECT_TRUE(prompts.shown.empty());
}

} // namespace
