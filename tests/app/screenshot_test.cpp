#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>

#include "app/main_window_ids.h"
#include "app_fixture.h"

// Opens the sample of each environment with the grid on (and the Stadium surroundings for
// Stadium), checks that the view shows a scene, and writes the whole window to the screenshot
// folder as <Environment>.png.
class ScreenshotTest : public AppFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(ScreenshotTest, SampleShowsAScene) {
    const std::string environment = GetParam();
    const std::optional<std::string> sample = copySample(environment);
    ASSERT_TRUE(sample);
    openThroughButton(*sample);
    ASSERT_TRUE(prompts_.shown.empty()) << prompts_.shown.front().text;

    window_->viewState().switches.showGrid = true;
    window_->viewState().switches.showStadium = environment == "Stadium";
    window_->viewPort().renderFrame(true);
    const QImage window = window_->grab().toImage();

    const QImage view = window.copy(
        QRect(window_->view()->mapTo(window_.get(), QPoint(0, 0)), window_->view()->size()));
    // Sky, ground grid and textured blocks: far more than a cleared or single-coloured view.
    EXPECT_GT(coloursShown(view), 50u);
    EXPECT_EQ(qobject_cast<QLabel*>(window_->control(kEnvironmentLabel))->text(),
              QString::fromStdString(environment));

    const QString folder = QStringLiteral(BLOCKYARD_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    EXPECT_TRUE(window.save(folder + "/" + QString::fromStdString(environment) + ".png"));
}

INSTANTIATE_TEST_SUITE_P(Environments, ScreenshotTest,
                         ::testing::Values("Alpine", "Bay", "Coast", "Island", "Rally", "Speed",
                                           "Stadium"));

// The Edit menu open with its Nudge submenu over a track with a block selected, as the screen
// shows it: edit_menu.png.
TEST_F(AppFixture, EditMenuOpen) {
    const std::optional<std::string> sample = copySample("Stadium");
    ASSERT_TRUE(sample);
    openThroughButton(*sample);
    ctx_.document.select(&ctx_.document.blocks().front(), false);
    QMenu* edit = window_->editMenu();
    window_->menuBar()->setActiveAction(edit->menuAction());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    for (QAction* action : edit->actions())
        if (action->menu() && action->text() == "Nudge")
            edit->setActiveAction(action);
    QTest::qWait(200);
    const QPixmap screen = window_->screen()->grabWindow(0);
    const QString folder = QStringLiteral(BLOCKYARD_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    EXPECT_TRUE(screen.copy(window_->frameGeometry()).save(folder + "/edit_menu.png"));
    edit->hide();
}
