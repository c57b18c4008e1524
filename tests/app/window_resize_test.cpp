
#include <QDir>
#include <QImage>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include "app/main_window_ids.h"
#include "app_fixture.h"
#include "real_tracks.h"
#include "ui/dialog_units.h"

namespace {

// A window manager for one test: under a bare X server nothing grants a maximised state.
class WindowManager {
  public:
    WindowManager() {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (program.isEmpty())
            return;
        process_.start(program, {QStringLiteral("--sm-disable")});
        // It takes the windows over once it runs; a little longer for a loaded machine.
        started_ = process_.waitForStarted();
        QTest::qWait(500);
    }
    ~WindowManager() {
        process_.terminate();
        process_.waitForFinished(3000);
    }
    bool started() const { return started_; }

  private:
    QProcess process_;
    bool started_ = false;
};

} // namespace

class WindowResizeTest : public AppFixture {
  protected:
    // The extra room of the window over its default size goes to the view, whatever the size.
    void expectAnchoredFor(QSize extra) {
        const int dx = extra.width();
        const int dy = extra.height();
        EXPECT_EQ(window_->view()->geometry(), QRect(11, 11, 584 + dx, 571 + dy));
        EXPECT_DOUBLE_EQ(window_->viewState().aspect, (584.0 + dx) / (571.0 + dy));
        EXPECT_EQ(window_->control(kOpenTrackButton)->geometry(),
                  dialogRect(404, 7, 48, 15).translated(dx, 0));
        EXPECT_EQ(window_->control(kSaveAsButton)->geometry(),
                  dialogRect(573, 7, 48, 15).translated(dx, 0));
        EXPECT_EQ(window_->control(kPageTabs)->geometry(),
                  dialogRect(404, 29, 217, 328).translated(dx, 0));
        EXPECT_EQ(window_->control(kFrameRateStatic)->geometry(),
                  dialogRect(6, 364, 236, 9).translated(0, dy));
        EXPECT_EQ(window_->control(kEnvironmentLabel)->geometry(),
                  dialogRect(448, 361, 90, 10).translated(dx, dy));
        EXPECT_EQ(window_->control(kStatusLine)->geometry(),
                  dialogRect(244, 364, 153, 9).translated(dx, dy));
    }

    QSize extraRoom() const { return window_->panel()->size() - QSize(942, 614); }
};

TEST_F(WindowResizeTest, TheViewTakesTheExtraRoomAndPickingFollows) {
    expectAnchoredFor({0, 0});
    window_->resize(window_->width() + 300, window_->height() + 160);
    QTest::qWait(20);
    ASSERT_EQ(extraRoom(), QSize(300, 160));
    expectAnchoredFor({300, 160});

    // A window made smaller than the layout stops at the layout's size.
    window_->resize(400, 300);
    QTest::qWait(20);
    expectAnchoredFor({0, 0});

    window_->resize(window_->width() + 250, window_->height() + 90);
    QTest::qWait(20);
    const std::optional<std::string> sample = copySample("Stadium");
    ASSERT_TRUE(sample);
    openThroughButton(*sample);
    ASSERT_TRUE(prompts_.shown.empty()) << prompts_.shown.front().text;
    // A block in the part of the view that the larger window added.
    const std::optional<std::pair<QPoint, const BlockRecord*>> found = findBlockPixel();
    ASSERT_TRUE(found);
    QTest::mouseClick(window_->view(), Qt::LeftButton, {}, found->first);
    ASSERT_EQ(ctx_.document.selection().count(), 1);
    EXPECT_EQ(ctx_.document.selection().first(), found->second);
}

TEST_F(WindowResizeTest, MaximisedWithARealTrack) {
    const std::vector<std::filesystem::path> tracks = realTrackFiles();
    if (tracks.empty())
        GTEST_SKIP() << "no real tracks beside the repository";
    const auto a01 = std::find_if(tracks.begin(), tracks.end(), [](const auto& path) {
        return path.filename().string().starts_with("A01");
    });
    ASSERT_TRUE(window_->openTrackAt((a01 == tracks.end() ? tracks.front() : *a01).string()));
    ASSERT_TRUE(prompts_.shown.empty()) << prompts_.shown.front().text;

    WindowManager manager;
    if (!manager.started())
        GTEST_SKIP() << "no window manager (openbox) to maximise the window";
    window_->showMaximized();
    QTRY_VERIFY_WITH_TIMEOUT(extraRoom().width() > 0 && extraRoom().height() > 0, 5000);
    QTest::qWait(100);
    EXPECT_TRUE(window_->isMaximized());
    const QSize extra = extraRoom();
    EXPECT_GT(extra.width(), 0);
    EXPECT_GT(extra.height(), 0);
    expectAnchoredFor(extra);
    // The resize drew the track into the larger view at once.
    EXPECT_GT(coloursShown(window_->view()->grabFramebuffer()), 50u);

    window_->viewState().switches.showGrid = true;
    window_->viewState().switches.showStadium = true;
    window_->viewPort().renderFrame(true);
    const QString folder = QStringLiteral(BLOCKYARD_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    EXPECT_TRUE(window_->grab().toImage().save(folder + "/maximised.png"));

    // The next start is maximised again.
    startWindow();
    EXPECT_TRUE(window_->isMaximized());
    QTRY_VERIFY_WITH_TIMEOUT(extraRoom() == extra, 5000);
}
