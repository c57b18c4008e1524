#include <cstdio>

#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "app/command_line.h"
#include "app/main_window_ids.h"
#include "app_fixture.h"
#include "edit/block_edits.h"

namespace fs = std::filesystem;

namespace {

// What the program prints and its exit code.
std::pair<std::string, int> runProgram(const std::string& arguments) {
    const std::string command = "'" BLOCKYARD_RUNTIME_DIR "/blockyard' " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return {"", -1};
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = pclose(pipe);
    return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

} // namespace

using OpenPathsTest = AppFixture;

TEST_F(OpenPathsTest, ATrackFromTheCommandLineIsDrawnAtOnce) {
    const std::optional<std::string> sample = copySample("Stadium");
    ASSERT_TRUE(sample);
    const CommandLine line = parseCommandLine({*sample});
    ASSERT_EQ(line.kind, CommandLine::Kind::Start);
    const std::size_t sky = coloursShown(window_->view()->grabFramebuffer());
    ASSERT_TRUE(window_->openTrackAt(*line.track));
    EXPECT_TRUE(prompts_.shown.empty());
    EXPECT_EQ(ctx_.document.path(), *sample);
    // No input since the open, and the view shows the track.
    EXPECT_GT(coloursShown(window_->view()->grabFramebuffer()), sky + 20);
}

TEST_F(OpenPathsTest, AMissingTrackGivesTheOpenError) {
    EXPECT_FALSE(window_->openTrackAt((tracks_ / "Gone.Challenge.Gbx").string()));
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(prompts_.shown[0].text.rfind("An error occurred while opening your file.", 0), 0u);
    EXPECT_TRUE(ctx_.document.path().empty());
}

TEST_F(OpenPathsTest, ReloadDrawsTheTrackAtOnce) {
    const std::optional<std::string> sample = copySample("Stadium");
    ASSERT_TRUE(sample);
    ASSERT_TRUE(window_->openTrackAt(*sample));
    const QImage opened = window_->view()->grabFramebuffer();
    ctx_.document.invertSelection();
    hideSelection(ctx_.document);
    ctx_.document.clearSelection();
    window_->viewPort().renderFrame(true);
    ASSERT_NE(window_->view()->grabFramebuffer(), opened);
    prompts_.saveChoices = {SaveChoice::Discard};
    clickControl(kReloadButton);
    EXPECT_EQ(window_->view()->grabFramebuffer(), opened);
}

TEST_F(OpenPathsTest, ADroppedGbxFileOpensLikeOpenTrack) {
    const std::optional<std::string> sample = copySample("Stadium");
    ASSERT_TRUE(sample);
    const auto drop = [this](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = window_->view()->mapTo(window_.get(), QPoint(100, 100));
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &dropped);
        QTest::qWait(20);
        return dropped.isAccepted();
    };
    const fs::path text = tracks_ / "notes.txt";
    EXPECT_FALSE(drop({QUrl::fromLocalFile(QString::fromStdString(text.string()))}));
    EXPECT_FALSE(drop({QUrl(QStringLiteral("https://example.org/a.Challenge.Gbx"))}));
    EXPECT_TRUE(ctx_.document.path().empty());

    ASSERT_TRUE(drop({QUrl::fromLocalFile(QString::fromStdString(text.string())),
                      QUrl::fromLocalFile(QString::fromStdString(*sample))}));
    EXPECT_TRUE(prompts_.shown.empty());
    EXPECT_EQ(ctx_.document.path(), *sample);
    EXPECT_GT(countedBlocks(ctx_.document.track()), 0u);
}

TEST(CommandLineProgram, HelpAndVersionPrintAndExitWithoutADisplay) {
    const auto [help, helpCode] = runProgram("--help");
    EXPECT_EQ(helpCode, 0);
    EXPECT_EQ(help.rfind("Usage: blockyard [TRACK]\n", 0), 0u) << help;
    const auto [version, versionCode] = runProgram("-platform none --version");
    EXPECT_EQ(versionCode, 0);
    EXPECT_EQ(version, "Blockyard 0.1 alpha\n");
    const auto [wrong, wrongCode] = runProgram("-platform offscreen --frobnicate");
    EXPECT_EQ(wrongCode, 2);
    EXPECT_NE(wrong.find("unknown option '--frobnicate'"), std::string::npos) << wrong;
}
