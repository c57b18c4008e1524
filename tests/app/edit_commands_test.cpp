#include <filesystem>

#include <QAction>
#include <QTest>

#include "app/edit_commands.h"
#include "app/main_window_ids.h"
#include "app/track_commands.h"
#include "app_fixture.h"
#include "edit/block_edits.h"
#include "edit/edit_step.h"
#include "edit/selection_ops.h"
#include "file_bytes.h"

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
        selectBlock(ctx_, &ctx_.currentTrack.blocks.front(), false);
        moveSelection(ctx_, 1, 0, 0);
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

    clearSelection(ctx_);
    selectBlock(ctx_, &ctx_.currentTrack.blocks.front(), true);
    selectBlock(ctx_, &ctx_.currentTrack.blocks.back(), true);
    moveSelection(ctx_, 0, 1, 0);
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
    EXPECT_EQ(ctx_.history.doneCount(), 1u); // nothing left to redo
    // The menu order, with separators as null entries.
    EXPECT_EQ(commands.actions().size(), 9);
    EXPECT_EQ(commands.actions().front(), commands.undoAction());
}

TEST_F(EditCommandsTest, CtrlKeysCopyAndPasteWithoutMovingTheCamera) {
    activateWindow();
    selectBlock(ctx_, &ctx_.currentTrack.blocks.front(), false);
    const std::size_t before = ctx_.currentTrack.blocks.size();
    const Vec3 eye = ctx_.viewCamera.position;
    QTest::keyClick(window_->view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(window_->editCommands()->pasteAction()->isEnabled());
    QTest::keyClick(window_->view(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(window_->view(), Qt::Key_D, Qt::ControlModifier);
    QTest::keyPress(window_->view(), Qt::Key_W, Qt::ControlModifier);
    QTest::keyRelease(window_->view(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(ctx_.currentTrack.blocks.size(), before + 2);
    EXPECT_EQ(ctx_.history.undoName(), "Duplicate 1 block");
    EXPECT_TRUE(ctx_.viewCamera.position == eye);
    EXPECT_FALSE(ctx_.cameraKeys.forward);
}

TEST_F(EditCommandsTest, OpenAndReloadAskBeforeDroppingChanges) {
    editOnce();
    const int movedX = ctx_.currentTrack.blocks.front().x;
    const std::uint64_t serial = ctx_.history.changeSerial();
    // Cancel: nothing happens, not even the file dialog.
    prompts_.saveChoices = {SaveChoice::Cancel};
    prompts_.openPaths = {path_};
    clickControl(kOpenTrackButton);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].text, question());
    EXPECT_EQ(prompts_.openPaths.size(), 1u);
    EXPECT_EQ(ctx_.history.changeSerial(), serial);
    EXPECT_TRUE(ctx_.history.modified());

    // Save: the file is written, then reloaded as saved.
    prompts_.shown.clear();
    prompts_.saveChoices = {SaveChoice::Save};
    clickControl(kReloadButton);
    ASSERT_EQ(prompts_.shown.size(), 2u);
    EXPECT_EQ(prompts_.shown[1].caption, "Saved!");
    EXPECT_EQ(ctx_.currentTrack.blocks.front().x, movedX);
    EXPECT_FALSE(ctx_.history.modified());
    EXPECT_FALSE(ctx_.history.canUndo());
    const std::vector<std::uint8_t> saved = readFile(path_);

    // Discard: the edit is dropped, the file is as it was.
    editOnce();
    prompts_.shown.clear();
    prompts_.saveChoices = {SaveChoice::Discard};
    openThroughButton(path_);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_FALSE(ctx_.history.modified());
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
    clearSelection(ctx_);
    invertSelection(ctx_);
    deleteSelection(ctx_);
    ASSERT_TRUE(ctx_.currentTrack.blocks.empty());
    prompts_.saveChoices = {SaveChoice::Save};
    EXPECT_FALSE(window_->close());
    ASSERT_TRUE(undoStep(ctx_)); // undo after the failed save still works
    EXPECT_FALSE(ctx_.currentTrack.blocks.empty());

    prompts_.saveChoices = {SaveChoice::Discard};
    EXPECT_TRUE(window_->close());
}

} // namespace
