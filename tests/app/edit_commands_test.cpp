#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QTest>

#include "app/edit_commands.h"
#include "app/main_window_ids.h"
#include "app/track_commands.h"
#include "app_fixture.h"
#include "edit/block_edits.h"
#include "file_bytes.h"
#include "ui/blocks_page.h"
#include "ui/control_ids.h"

namespace fs = std::filesystem;

namespace {

class EditCommandsTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        const std::optional<std::string> sample = copySample("Stadium");
        ASSERT_TRUE(sample);
        path_ = *sample;
        name_ = fs::path(path_).filename().string();
        openThroughButton(path_);
        ASSERT_TRUE(prompts_.shown.empty());
    }

    void editOnce() {
        ctx_.document.select(&ctx_.document.blocks().front(), false);
        moveSelection(ctx_.document, 1, 0, 0);
    }
    std::string title() const { return window_->windowTitle().toStdString(); }
    std::string question() const { return "Save changes to " + name_ + "?"; }

    std::string path_;
    std::string name_;
};

TEST_F(EditCommandsTest, UndoAndRedoNameTheStepAndGreyOutWithNothingToDo) {
    EditCommands& commands = *window_->editCommands();
    EXPECT_EQ(commands.undoAction()->text(), "Undo");
    EXPECT_FALSE(commands.undoAction()->isEnabled());
    EXPECT_FALSE(commands.redoAction()->isEnabled());
    EXPECT_FALSE(commands.pasteAction()->isEnabled());
    EXPECT_EQ(title(), "Blockyard 0.1 alpha - " + name_);

    ctx_.document.clearSelection();
    ctx_.document.select(&ctx_.document.blocks().front(), true);
    ctx_.document.select(&ctx_.document.blocks().back(), true);
    moveSelection(ctx_.document, 0, 1, 0);
    EXPECT_EQ(commands.undoAction()->text(), "Undo Move 2 blocks");
    EXPECT_TRUE(commands.undoAction()->isEnabled());
    EXPECT_EQ(title(), "Blockyard 0.1 alpha - " + name_ + "*");

    activateWindow();
    QTest::keyClick(window_->view(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(commands.redoAction()->text(), "Redo Move 2 blocks");
    EXPECT_FALSE(commands.undoAction()->isEnabled());
    EXPECT_EQ(title(), "Blockyard 0.1 alpha - " + name_); // back at the saved state
    QTest::keyClick(window_->view(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(commands.undoAction()->text(), "Undo Move 2 blocks");
    QTest::keyClick(window_->view(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(ctx_.document.history().doneCount(), 1u); // nothing left to redo
    // The menu order, with separators as null entries.
    EXPECT_EQ(commands.actions().size(), 9);
    EXPECT_EQ(commands.actions().front(), commands.undoAction());
}

TEST_F(EditCommandsTest, UndoAndRedoDrawAFrameEachAndLeaveTheFocusWhereItIs) {
    activateWindow();
    editOnce();
    QWidget* list = window_->blocksPage()->control(control_id::kBlockList);
    ASSERT_NE(list, nullptr);
    list->setFocus();
    QApplication::processEvents();
    FrameStats& stats = window_->renderer().frameStats();
    stats.interval = 0xFFFFFFFFu; // frames are counted, never a window of the rate closed
    const std::uint32_t before = stats.frameCount;
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(ctx_.document.history().canUndo());
    EXPECT_EQ(stats.frameCount, before + 1);
    QTest::keyClick(list, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(ctx_.document.history().canUndo());
    EXPECT_EQ(stats.frameCount, before + 2);
    EXPECT_TRUE(list->hasFocus());
}

TEST_F(EditCommandsTest, CtrlKeysCopyAndPasteWithoutMovingTheCamera) {
    activateWindow();
    ctx_.document.select(&ctx_.document.blocks().front(), false);
    const std::size_t before = ctx_.document.blocks().size();
    const Vec3 eye = window_->viewState().camera.position;
    QTest::keyClick(window_->view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(window_->editCommands()->pasteAction()->isEnabled());
    QTest::keyClick(window_->view(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(window_->view(), Qt::Key_D, Qt::ControlModifier);
    QTest::keyPress(window_->view(), Qt::Key_W, Qt::ControlModifier);
    QTest::keyRelease(window_->view(), Qt::Key_W, Qt::ControlModifier);
    // Paste and duplicate take their blocks up to be placed by pointing.
    EXPECT_EQ(ctx_.document.blocks().size(), before);
    EXPECT_EQ(window_->placing().what(), "a copy of the selection");
    EXPECT_TRUE(window_->viewState().camera.position == eye);
    EXPECT_FALSE(window_->viewState().keys.forward);
}

TEST_F(EditCommandsTest, OpenAndReloadAskBeforeDroppingChanges) {
    editOnce();
    const int movedX = ctx_.document.blocks().front().x;
    const std::uint64_t serial = ctx_.document.history().changeSerial();
    // Cancel: nothing happens, not even the file dialog.
    prompts_.saveChoices = {SaveChoice::Cancel};
    prompts_.openPaths = {path_};
    clickControl(kOpenTrackButton);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].text, question());
    EXPECT_EQ(prompts_.openPaths.size(), 1u);
    EXPECT_EQ(ctx_.document.history().changeSerial(), serial);
    EXPECT_TRUE(ctx_.document.history().modified());

    // Save: the file is written, then reloaded as saved.
    prompts_.shown.clear();
    prompts_.saveChoices = {SaveChoice::Save};
    clickControl(kReloadButton);
    ASSERT_EQ(prompts_.shown.size(), 2u);
    EXPECT_EQ(prompts_.shown[1].caption, "Saved!");
    EXPECT_EQ(ctx_.document.blocks().front().x, movedX);
    EXPECT_FALSE(ctx_.document.history().modified());
    EXPECT_FALSE(ctx_.document.history().canUndo());
    const std::vector<std::uint8_t> saved = readFile(path_);

    // Discard: the edit is dropped, the file is as it was.
    editOnce();
    prompts_.shown.clear();
    prompts_.saveChoices = {SaveChoice::Discard};
    openThroughButton(path_);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_FALSE(ctx_.document.history().modified());
    EXPECT_EQ(readFile(path_), saved);
}

TEST_F(EditCommandsTest, ClosingAsksAndCancelKeepsTheWindow) {
    editOnce();
    prompts_.saveChoices = {SaveChoice::Cancel};
    EXPECT_FALSE(window_->close());
    EXPECT_TRUE(window_->isVisible());
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].text, question());

    // A save that fails is a Cancel too: the edits are still there to save.
    ctx_.document.clearSelection();
    ctx_.document.invertSelection();
    deleteSelection(ctx_.document);
    ASSERT_TRUE(ctx_.document.blocks().empty());
    prompts_.saveChoices = {SaveChoice::Save};
    EXPECT_FALSE(window_->close());
    ASSERT_TRUE(ctx_.document.undo()); // undo after the failed save still works
    EXPECT_FALSE(ctx_.document.blocks().empty());

    prompts_.saveChoices = {SaveChoice::Discard};
    EXPECT_TRUE(window_->close());
}

} // namespace
