#include <QDir>
#include <QImage>
#include <QLabel>

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
