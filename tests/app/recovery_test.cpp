#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include <QCoreApplication>
#include <QTest>
#include <QToolButton>

#include <sys/wait.h>
#include <unistd.h>

#include "app/main_window_ids.h"
#include "app_fixture.h"
#include "recovery/recovery_store.h"
#include "ui/arrow_spinner.h"
#include "ui/blocks_page.h"
#include "ui/control_ids.h"

namespace fs = std::filesystem;

namespace {

// Where the killed editor tells its test what it did (read back after the kill).
constexpr const char* kReportVariable = "BLOCKYARD_TEST_EDITOR_REPORT";

std::string describe(const std::vector<BlockShape>& shapes) {
    std::ostringstream out;
    for (const BlockShape& s : shapes)
        out << s.catalogIndex << ' ' << s.x << ' ' << s.y << ' ' << s.z << ' ' << s.rotation << ' '
            << int(s.variant[0]) << ' ' << int(s.variant[1]) << ' ' << int(s.variant[2]) << ' '
            << int(s.variant[3]) << '\n';
    return out.str();
}

// A window of the editor started by hand, in this process.
class Editor : public AppFixture {
  public:
    void TestBody() override {}
    void start() { SetUp(); }
    void stop() { TearDown(); }
    using AppFixture::clickControl;
    using AppFixture::copySample;
    using AppFixture::ctx_;
    using AppFixture::findBlockPixel;
    using AppFixture::openThroughButton;
    using AppFixture::prompts_;
    using AppFixture::startUpMessages_;
    using AppFixture::window_;
};

} // namespace

// The editor that the next test kills: it opens a sample, makes fifty edits with the mouse (one
// copy is due then), waits for the copy, reports what it holds and waits to be killed.
TEST(RecoveryEditor, DISABLED_EditsUntilKilled) {
    const char* report = std::getenv(kReportVariable);
    ASSERT_NE(report, nullptr);
    Editor editor;
    editor.start();
    const std::optional<std::string> sample = editor.copySample("Stadium");
    ASSERT_TRUE(sample);
    editor.openThroughButton(*sample);
    const auto block = editor.findBlockPixel();
    ASSERT_TRUE(block);
    QTest::mouseClick(editor.window_->view(), Qt::LeftButton, {}, block->first);
    ASSERT_EQ(editor.ctx_.document.selection().count(), 1);
    auto* spinner =
        qobject_cast<ArrowSpinner*>(editor.window_->blocksPage()->control(control_id::kXSpinner));
    ASSERT_NE(spinner, nullptr);
    // Each click is handled as the event loop hands it over, one after another.
    for (int i = 0; i < 50; ++i) {
        QTest::mouseClick(spinner->upButton(), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    const fs::path copy = recoveryFilePath(RecoveryKeeper::defaultFolder(), *sample);
    for (int i = 0; i < 200 && !fs::exists(copy); ++i)
        QTest::qWait(50);
    ASSERT_TRUE(fs::exists(copy));
    std::ofstream(fs::path(report) / "edited") << *sample << '\n'
                                               << describe(shapesOf(editor.ctx_.document.track()));
    std::ofstream(fs::path(report) / "ready") << "ready";
    // Killed long before this ends, unless its test is gone.
    QTest::qWait(120000);
}

TEST(Recovery, AKilledEditorsEditsComeBackAtTheNextStart) {
    TempFolder shared;
    const fs::path userData = shared.path() / "user";
    const fs::path report = shared.path() / "report";
    fs::create_directories(userData);
    fs::create_directories(report);
    setenv(kUserDataVariable, userData.c_str(), 1);
    setenv("XDG_DATA_HOME", userData.c_str(), 1);
    setenv(kReportVariable, report.c_str(), 1);

    const pid_t editor = fork();
    if (editor == 0) {
        execl("/proc/self/exe", "app_widget_tests", "--gtest_also_run_disabled_tests",
              "--gtest_filter=RecoveryEditor.DISABLED_EditsUntilKilled", nullptr);
        _exit(127);
    }
    ASSERT_GT(editor, 0);
    int status = 0;
    bool ready = false;
    for (int i = 0; i < 1200 && !ready; ++i) {
        if (waitpid(editor, &status, WNOHANG) == editor)
            break; // it ended by itself: its test failed
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ready = fs::exists(report / "ready");
    }
    kill(editor, SIGKILL);
    waitpid(editor, &status, 0);
    ASSERT_TRUE(ready) << "the editor never made its copy";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    std::ifstream in(report / "edited");
    std::string trackPath;
    std::getline(in, trackPath);
    const std::string edited{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};

    Editor next;
    next.prompts_.answers.push_back(true);
    next.start();
    ASSERT_EQ(next.startUpMessages_.size(), 1u);
    EXPECT_TRUE(next.startUpMessages_[0].question);
    EXPECT_TRUE(next.startUpMessages_[0].text.starts_with(
        "Recover unsaved changes to " + fs::path(trackPath).filename().string() + " from "))
        << next.startUpMessages_[0].text;
    EXPECT_EQ(describe(shapesOf(next.ctx_.document.track())), edited);
    EXPECT_EQ(next.ctx_.document.path(), trackPath);

    // Save track writes the recovered blocks to the track's own file; the copy goes.
    next.clickControl(kSaveTrackButton);
    ASSERT_EQ(next.prompts_.shown.size(), 1u);
    EXPECT_EQ(next.prompts_.shown[0].text, trackPath);
    next.openThroughButton(trackPath);
    EXPECT_EQ(describe(shapesOf(next.ctx_.document.track())), edited);
    const fs::path folder = RecoveryKeeper::defaultFolder();
    next.stop();
    EXPECT_TRUE(findRecoveryFiles(folder).empty());
    fs::remove_all(fs::path(trackPath).parent_path().parent_path());
}

// Declined copies go; damaged ones are reported and stay; copies older than their track go
// without a question.
TEST(Recovery, DeclinedStaleAndDamagedCopiesAtStart) {
    Editor editor;
    ensureApplication();
    const fs::path folder = RecoveryKeeper::defaultFolder();
    TempFolder tracks;
    const fs::path track = tracks.path() / "t.Challenge.Gbx";
    std::ofstream(track) << "track";
    const fs::path declined = recoveryFilePath(folder, track.string());
    ASSERT_TRUE(writeRecoveryFile(declined, {track.string(), 4102444800000, {1}}));
    const fs::path stale = recoveryFilePath(folder, "old");
    ASSERT_TRUE(writeRecoveryFile(stale, {track.string(), 1000, {1}}));
    const fs::path damaged = folder / "damaged.recovery";
    std::ofstream(damaged) << "BYRECOV1 but not much more";

    editor.prompts_.answers.push_back(false);
    editor.start();
    ASSERT_EQ(editor.startUpMessages_.size(), 2u);
    EXPECT_TRUE(editor.startUpMessages_[0].question);
    EXPECT_EQ(editor.startUpMessages_[1].text, damagedRecoveryMessage(damaged));
    EXPECT_TRUE(editor.ctx_.document.path().empty());
    EXPECT_FALSE(fs::exists(declined));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(damaged));
    editor.stop();
}
