#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "app/edit_commands.h"
#include "app/main_window_ids.h"
#include "app_fixture.h"
#include "edit/block_edits.h"

namespace {

// The text of a menu command as a user reads it: no mnemonic mark, no key named after a tab.
QString plain(const QAction* action) {
    return action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
}

} // namespace

class MenuTest : public ActiveViewFixture {
  protected:
    QMenu* menu(const QString& title) {
        for (QAction* top : window_->menuBar()->actions())
            if (plain(top) == title)
                return top->menu();
        return nullptr;
    }

    QAction* command(const QString& title, const QString& text) {
        if (QMenu* found = menu(title))
            for (QAction* action : found->actions())
                if (plain(action) == text)
                    return action;
        ADD_FAILURE() << "no " << title.toStdString() << " > " << text.toStdString();
        return nullptr;
    }

    void trigger(const QString& menu, const QString& text) {
        if (QAction* action = command(menu, text))
            action->trigger();
    }

    void keys(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(window_->view(), key, modifiers);
    }

    std::string openSample() {
        const std::optional<std::string> sample = copySample("Stadium");
        EXPECT_TRUE(sample);
        return sample.value_or("");
    }
};

TEST_F(MenuTest, TheMenusInTheirOrder) {
    QStringList menus;
    for (QAction* top : window_->menuBar()->actions())
        menus << plain(top);
    EXPECT_EQ(menus, (QStringList{"File", "Edit", "View", "Help"}));
    EXPECT_EQ(window_->editMenu(), menu("Edit"));

    EXPECT_NE(window_->recentTracksMenu(), nullptr);
    // The view's keys are named beside their commands, not bound as shortcuts.
    for (const char* text : {"Grid\tG", "Wireframe\tZ", "Stadium surroundings\tX"}) {
        QAction* action = command("View", QString::fromLatin1(text).section('\t', 0, 0));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text().remove('&'), text);
        EXPECT_TRUE(action->shortcut().isEmpty());
    }
}

TEST_F(MenuTest, FileShortcutsRunTheTrackCommands) {
    const std::string sample = openSample();
    prompts_.openPaths.push_back(sample);
    keys(Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(prompts_.shown.empty()) << prompts_.shown.front().text;
    ASSERT_EQ(ctx_.document.path(), sample);
    const std::vector<BlockShape> opened = shapesOf(ctx_.document.track());
    ASSERT_FALSE(opened.empty());

    // Reload reads the file again, dropping a change made since once the user lets it go.
    ctx_.document.select(&ctx_.document.blocks().front(), false);
    moveSelection(ctx_.document, 1, 0, 0);
    prompts_.saveChoices = {SaveChoice::Discard};
    keys(Qt::Key_F5, Qt::NoModifier);
    EXPECT_EQ(shapesOf(ctx_.document.track()), opened);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_TRUE(prompts_.shown[0].question);
    prompts_.shown.clear();

    keys(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].caption, "Saved!");
    EXPECT_EQ(prompts_.shown[0].text, sample);

    const std::filesystem::path copy = tracks_ / "Copy";
    prompts_.savePaths.push_back(copy.string());
    keys(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(std::filesystem::exists(tracks_ / "Copy.Challenge.Gbx"));

    keys(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(window_->view(), nullptr);
}

TEST_F(MenuTest, ViewCommandsAreTheViewKeys) {
    trigger("View", "Grid");
    EXPECT_TRUE(window_->viewState().switches.showGrid);
    trigger("View", "Wireframe");
    EXPECT_FALSE(window_->viewState().switches.solidFill);
    trigger("View", "Stadium surroundings");
    EXPECT_TRUE(window_->viewState().switches.showStadium);

    // The check marks follow the state, also after a key changed it.
    QTest::keyClick(window_->view(), Qt::Key_G);
    QMenu* view = menu("View");
    ASSERT_NE(view, nullptr);
    emit view->aboutToShow();
    EXPECT_FALSE(command("View", "Grid")->isChecked());
    EXPECT_TRUE(command("View", "Wireframe")->isChecked());
    EXPECT_TRUE(command("View", "Stadium surroundings")->isChecked());

    const Camera start;
    window_->viewState().camera.moveForward(200);
    window_->viewState().camera.turn(1);
    trigger("View", "Reset camera");
    EXPECT_TRUE(window_->viewState().camera.position == start.position);
    EXPECT_TRUE(window_->viewState().camera.direction == start.direction);
    EXPECT_TRUE(window_->viewState().camera.up == start.up);
}

TEST_F(MenuTest, EditCommandsAreThePageButtons) {
    prompts_.openPaths.push_back(openSample());
    clickControl(kOpenTrackButton);
    ASSERT_GT(ctx_.document.blocks().size(), 0u);
    trigger("Edit", "Invert selection");
    EXPECT_EQ(ctx_.document.selection().count(), static_cast<int>(ctx_.document.blocks().size()));
    trigger("Edit", "Hide");
    for (const BlockRecord& r : ctx_.document.blocks())
        EXPECT_TRUE(r.flags & BLOCK_HIDDEN);
    // The window's undo and redo are the Edit menu's own commands.
    const QList<QAction*> listed = window_->editMenu()->actions();
    ASSERT_TRUE(listed.contains(window_->editCommands()->undoAction()));
    ASSERT_TRUE(listed.contains(window_->editCommands()->redoAction()));
    ASSERT_TRUE(listed.contains(window_->editCommands()->deleteAction()));
    window_->editCommands()->undoAction()->trigger();
    for (const BlockRecord& r : ctx_.document.blocks())
        EXPECT_FALSE(r.flags & BLOCK_HIDDEN);
    window_->editCommands()->redoAction()->trigger();
    trigger("Edit", "Unhide all");
    for (const BlockRecord& r : ctx_.document.blocks())
        EXPECT_FALSE(r.flags & BLOCK_HIDDEN);
}

TEST_F(MenuTest, HelpShowsTheKeysAndTheVersionWithTheDataLicences) {
    trigger("Help", "Keys and mouse");
    trigger("Help", "About Blockyard");
    ASSERT_EQ(prompts_.shown.size(), 2u);
    EXPECT_EQ(prompts_.shown[0].caption, "Keys and mouse");
    EXPECT_NE(prompts_.shown[0].text.find("G: grid on/off"), std::string::npos);
    EXPECT_EQ(prompts_.shown[1].caption, "About Blockyard");
    EXPECT_NE(prompts_.shown[1].text.find("Blockyard 0.1 alpha"), std::string::npos);
    EXPECT_NE(prompts_.shown[1].text.find("MIT licence"), std::string::npos);
}
