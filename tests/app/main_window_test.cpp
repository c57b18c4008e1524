#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "app/main_window_ids.h"
#include "app_fixture.h"
#include "seams/view_port.h"
#include "ui/area_page.h"
#include "ui/blocks_page.h"
#include "ui/control_ids.h"
#include "ui/dialog_units.h"

using MainWindowTest = AppFixture;

TEST_F(MainWindowTest, HasItsCaptionAndTheDesignedSizeUnderTheMenuBar) {
    EXPECT_EQ(window_->windowTitle(), "Blockyard 0.1 alpha");
    EXPECT_EQ(window_->panel()->size(), QSize(942, 614));
    const int menuHeight = window_->menuBar()->height();
    EXPECT_GT(menuHeight, 0);
    EXPECT_EQ(window_->panel()->geometry().top(), menuHeight);
    EXPECT_EQ(window_->size(), QSize(942, 614 + menuHeight));
    // Resizable, but never smaller than the layout.
    EXPECT_EQ(window_->minimumSizeHint(), window_->size());
    EXPECT_GT(window_->maximumSize().width(), 942);
}

TEST_F(MainWindowTest, StartsUpWithTheFixedModelsAndNoMessage) {
    EXPECT_TRUE(startUpMessages_.empty()) << startUpMessages_.front().text;
    EXPECT_TRUE(ctx_.document.blocks().empty());
    EXPECT_EQ(ctx_.catalog.environmentNames[kStadium], "Stadium");
}

TEST_F(MainWindowTest, ButtonsHaveTheirTextsAndPlaces) {
    struct Expected {
        int id;
        const char* text;
        QRect rect;
    };
    const Expected buttons[] = {
        {kOpenTrackButton, "Open track", dialogRect(404, 7, 48, 15)},
        {kReloadButton, "Reload", dialogRect(460, 7, 49, 15)},
        {kSaveTrackButton, "Save track", dialogRect(517, 7, 48, 15)},
        {kSaveAsButton, "Save as...", dialogRect(573, 7, 48, 15)},
    };
    for (const Expected& e : buttons) {
        auto* button = qobject_cast<QPushButton*>(window_->control(e.id));
        ASSERT_NE(button, nullptr) << e.id;
        EXPECT_EQ(button->text(), e.text);
        EXPECT_EQ(button->geometry(), e.rect) << e.text;
        EXPECT_TRUE(button->isVisible());
        EXPECT_TRUE(button->isEnabled());
        // The text fits the button at the window's font.
        EXPECT_LT(button->fontMetrics().horizontalAdvance(button->text()), e.rect.width() - 4);
    }
}

TEST_F(MainWindowTest, StaticsShowTheirStartTexts) {
    auto* environment = qobject_cast<QLabel*>(window_->control(kEnvironmentLabel));
    ASSERT_NE(environment, nullptr);
    EXPECT_EQ(environment->text(), "...");
    EXPECT_EQ(environment->geometry(), dialogRect(448, 361, 90, 10));
    auto* frameRate = qobject_cast<QLabel*>(window_->control(kFrameRateStatic));
    ASSERT_NE(frameRate, nullptr);
    EXPECT_EQ(frameRate->geometry(), dialogRect(6, 364, 236, 9));

    bool captionFound = false;
    for (QLabel* label : window_->panel()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->text() == "Environment:") {
            captionFound = true;
            EXPECT_EQ(label->geometry(), dialogRect(404, 361, 43, 10));
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
        }
    }
    EXPECT_TRUE(captionFound);
}

TEST_F(MainWindowTest, ViewIsAtItsPlaceWithACompatibilityContext) {
    DrawArea* view = window_->view();
    EXPECT_EQ(view->geometry(), QRect(11, 11, 584, 571));
    EXPECT_EQ(view->format().profile(), QSurfaceFormat::CompatibilityProfile);
    EXPECT_GE(view->format().depthBufferSize(), 16);
    EXPECT_DOUBLE_EQ(window_->viewState().aspect, 584.0 / 571.0);
    EXPECT_EQ(window_->focusWidget(), view);
}

TEST_F(MainWindowTest, TabsSwitchThePages) {
    auto* tabs = qobject_cast<QTabWidget*>(window_->control(kPageTabs));
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "Blocks");
    EXPECT_EQ(tabs->tabText(1), "Area");
    EXPECT_EQ(tabs->tabText(2), "Pieces");
    EXPECT_EQ(tabs->geometry(), dialogRect(404, 29, 217, 328));
    EXPECT_TRUE(window_->blocksPage()->isVisible());
    EXPECT_FALSE(window_->areaPage()->isVisible());

    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    EXPECT_FALSE(window_->blocksPage()->isVisible());
    EXPECT_TRUE(window_->areaPage()->isVisible());

    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    EXPECT_TRUE(window_->blocksPage()->isVisible());
    EXPECT_FALSE(window_->areaPage()->isVisible());
}

TEST_F(MainWindowTest, PaintShowsTheLastFrameWithoutACameraStep) {
    window_->viewState().keys.forward = true;
    const Vec3 before = window_->viewState().camera.position;
    window_->view()->update();
    QTest::qWait(50);
    const QImage shown = window_->view()->grabFramebuffer();
    EXPECT_FALSE(shown.isNull());
    EXPECT_TRUE(window_->viewState().camera.position == before);
    // A frame asked for through the view port is what steps the camera.
    window_->viewPort().renderFrame(true);
    EXPECT_FALSE(window_->viewState().camera.position == before);
}

TEST_F(MainWindowTest, CloseTearsDownReleasesTheTrackAndStopsFollowingTheDocument) {
    const std::optional<std::string> sample = copySample("Stadium");
    ASSERT_TRUE(sample);
    openThroughButton(*sample);
    ASSERT_FALSE(ctx_.document.blocks().empty());
    const QString title = window_->windowTitle();
    window_->close();
    EXPECT_EQ(window_->view(), nullptr);
    EXPECT_EQ(window_->blocksPage(), nullptr);
    EXPECT_EQ(window_->editCommands(), nullptr);
    EXPECT_TRUE(ctx_.document.blocks().empty());
    // A track taken after the close, with changes to save, leaves the title as it was.
    Track track;
    track.blocks.emplace_back();
    ctx_.document.replaceTrack(std::move(track), {}, "A.Challenge.Gbx", false);
    EXPECT_EQ(window_->windowTitle(), title);
}

TEST(MainWindowBeforeShow, FramesAskedBeforeTheContextDrawNothing) {
    ensureApplication();
    EditorContext ctx;
    RecordingPrompts prompts;
    ctx.setPrompts(&prompts);
    MainWindow window(ctx);
    EXPECT_FALSE(window.view()->contextReady());
    window.viewState().keys.forward = true;
    const Vec3 before = window.viewState().camera.position;
    window.viewPort().renderFrame(true);
    EXPECT_TRUE(window.viewState().camera.position == before);
    EXPECT_EQ(window.viewPort().readPickColour(10, 10), (Rgb{255, 255, 255}));
}

TEST_F(MainWindowTest, TheStatusLineCountsBlocksSelectionAndTheCursorCell) {
    auto* status = qobject_cast<QLabel*>(window_->control(kStatusLine));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), "Blocks: 0  Selected: 0");
    const std::optional<std::string> sample = copySample("Stadium");
    ASSERT_TRUE(sample);
    openThroughButton(*sample);
    const QString blocks = QString::number(ctx_.document.blocks().size());
    EXPECT_EQ(status->text(), "Blocks: " + blocks + "  Selected: 0");

    const std::optional<std::pair<QPoint, const BlockRecord*>> found = findBlockPixel();
    ASSERT_TRUE(found);
    QTest::mouseClick(window_->view(), Qt::LeftButton, {}, found->first);
    EXPECT_EQ(status->text(), "Blocks: " + blocks + "  Selected: 1");

    // Area editing adds the cell under the pointer and its level.
    QTest::mouseClick(window_->areaPage()->control(control_id::kEditCurrentArea), Qt::LeftButton);
    QTest::mouseMove(window_->view(), found->first);
    const QString cell = QStringLiteral("  Cell: %1, %2, %3")
                             .arg(ctx_.areaEditor.cursor().x)
                             .arg(ctx_.areaEditor.cursor().y)
                             .arg(ctx_.areaEditor.level());
    EXPECT_EQ(status->text(), "Blocks: " + blocks + "  Selected: 1" + cell);
    // The longest text the grid allows fits the line.
    EXPECT_LE(
        status->fontMetrics().horizontalAdvance("Blocks: 32768  Selected: 32768  Cell: -1, -1, 31"),
        status->width());

    // A message stands for its time, then the counts come back.
    window_->showStatusMessage(QStringLiteral("Copied 3 blocks"), 50);
    window_->viewPort().renderFrame(true);
    EXPECT_EQ(status->text(), "Copied 3 blocks");
    QTRY_COMPARE(status->text(), "Blocks: " + blocks + "  Selected: 1" + cell);
}
