#include <filesystem>
#include <fstream>

#include <QLabel>
#include <QListWidget>

#include "app/main_window_ids.h"
#include "app/track_commands.h"
#include "app_fixture.h"
#include "edit/block_edits.h"
#include "ui/blocks_page.h"

namespace fs = std::filesystem;

namespace {

QString environmentText(MainWindow& window) {
    return qobject_cast<QLabel*>(window.control(kEnvironmentLabel))->text();
}

} // namespace

class TrackCommandsTest : public AppFixture {
  protected:
    void openSample(const std::string& environment) {
        const std::optional<std::string> sample = copySample(environment);
        ASSERT_TRUE(sample) << "no " << environment << " sample in the runtime folder";
        samplePath_ = *sample;
        openThroughButton(samplePath_);
        ASSERT_TRUE(prompts_.shown.empty()) << prompts_.shown.front().text;
        ASSERT_GT(countedBlocks(ctx_.document.track()), 0u);
    }

    void expectOpenError() {
        ASSERT_EQ(prompts_.shown.size(), 1u);
        EXPECT_EQ(prompts_.shown[0].text,
                  "An error occurred while opening your file.\n\nMake sure that Gridsmith can "
                  "correctly open your track.");
        EXPECT_EQ(prompts_.shown[0].caption, "Blockyard 0.1 alpha");
        EXPECT_EQ(prompts_.shown[0].icon, MessageIcon::Error);
    }

    std::string samplePath_;
};

TEST_F(TrackCommandsTest, OpenShowsTheEnvironmentAndListsTheBlocks) {
    openSample("Stadium");
    EXPECT_EQ(environmentText(*window_), "Stadium");
    EXPECT_EQ(ctx_.catalog.currentEnvironment, kStadium);
    EXPECT_EQ(ctx_.document.path(), samplePath_);
    EXPECT_EQ(ctx_.folders.models, base_.path() / "data" / "Stadium" / "models" / "");
    EXPECT_EQ(ctx_.folders.textures, base_.path() / "data" / "Stadium" / "textures" / "");
    auto* list = window_->blocksPage()->findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), static_cast<int>(countedBlocks(ctx_.document.track())));
    // Every block has its model list: its own or the fallback.
    for (const BlockRecord& r : ctx_.document.blocks())
        EXPECT_GE(window_->renderer().blockTable().modelOf(&r), 1);
}

TEST_F(TrackCommandsTest, EveryEnvironmentOpens) {
    for (const char* environment : {"Alpine", "Bay", "Coast", "Island", "Rally", "Speed"}) {
        prompts_.shown.clear();
        openSample(environment);
        EXPECT_EQ(environmentText(*window_), environment);
    }
}

TEST_F(TrackCommandsTest, CancellingTheOpenDialogDoesNothing) {
    clickControl(kOpenTrackButton);
    EXPECT_TRUE(prompts_.shown.empty());
    EXPECT_EQ(environmentText(*window_), "...");
    EXPECT_TRUE(ctx_.document.path().empty());
}

TEST_F(TrackCommandsTest, ReloadDiscardsEditsAndKeepsTheArea) {
    openSample("Stadium");
    const std::vector<BlockShape> opened = shapesOf(ctx_.document.track());
    ctx_.document.select(&ctx_.document.blocks().front(), false);
    moveSelection(ctx_.document, 3, 0, 0);
    ctx_.areaEditor.setCursor({2, 3});
    ctx_.areaEditor.clickAtCursor(false);
    ctx_.areaEditor.setCursor({2, 4});
    ctx_.areaEditor.clickAtCursor(false);

    prompts_.saveChoices = {SaveChoice::Discard};
    clickControl(kReloadButton);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].text,
              "Save changes to " + fs::path(samplePath_).filename().string() + "?");
    EXPECT_EQ(shapesOf(ctx_.document.track()), opened);
    EXPECT_EQ(ctx_.areaEditor.area().count(), 2);
    EXPECT_EQ(ctx_.document.selection().count(), 0);
    EXPECT_EQ(environmentText(*window_), "Stadium");

    // Open, unlike Reload, starts a new area.
    openThroughButton(samplePath_);
    EXPECT_EQ(ctx_.areaEditor.area().count(), 0);
}

TEST_F(TrackCommandsTest, ReloadBeforeAnyOpenFails) {
    clickControl(kReloadButton);
    expectOpenError();
}

TEST_F(TrackCommandsTest, FailingConverterGivesTheOpenError) {
    openSample("Stadium");
    breakConverter();
    ctx_.document.select(&ctx_.document.blocks().front(), false);
    openThroughButton(samplePath_);
    expectOpenError();
    // The list, the selection and the track agree after the failure.
    auto* list = window_->blocksPage()->findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), static_cast<int>(ctx_.document.blocks().size()));
    EXPECT_EQ(ctx_.document.selection().count(), 0);
    EXPECT_TRUE(list->selectedItems().isEmpty());
}

TEST_F(TrackCommandsTest, SaveTrackWritesTheOpenedFileBack) {
    openSample("Stadium");
    ctx_.document.select(&ctx_.document.blocks().front(), false);
    moveSelection(ctx_.document, 0, 1, 0);
    const std::vector<BlockShape> edited = shapesOf(ctx_.document.track());

    clickControl(kSaveTrackButton);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].text, samplePath_);
    EXPECT_EQ(prompts_.shown[0].caption, "Saved!");
    EXPECT_EQ(prompts_.shown[0].icon, MessageIcon::Information);

    prompts_.shown.clear();
    clickControl(kReloadButton);
    EXPECT_TRUE(prompts_.shown.empty());
    EXPECT_EQ(shapesOf(ctx_.document.track()), edited);
}

TEST_F(TrackCommandsTest, SaveTrackOfAnEmptyTrackIsTheBlueSky) {
    clickControl(kSaveTrackButton);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].text, "Hmm... What do you want to save? This blue sky?");
    EXPECT_EQ(prompts_.shown[0].caption, "Blockyard 0.1 alpha");
    EXPECT_EQ(prompts_.shown[0].icon, MessageIcon::Error);
}

TEST_F(TrackCommandsTest, SaveAsAppendsTheSuffixAndKeepsTheOpenedPath) {
    openSample("Stadium");
    const std::vector<BlockShape> opened = shapesOf(ctx_.document.track());
    const std::string chosen = (tracks_ / "copy.gbx").string();
    prompts_.savePaths.push_back(chosen);
    clickControl(kSaveAsButton);
    const std::string written = chosen + ".Challenge.Gbx";
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].text, written);
    EXPECT_EQ(prompts_.shown[0].caption, "Saved!");
    EXPECT_EQ(prompts_.shown[0].icon, MessageIcon::Information);
    EXPECT_TRUE(fs::exists(written));
    EXPECT_FALSE(fs::exists(chosen));
    EXPECT_EQ(ctx_.document.path(), samplePath_);

    // Save track still writes to the file that was opened.
    prompts_.shown.clear();
    clickControl(kSaveTrackButton);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].text, samplePath_);

    prompts_.shown.clear();
    openThroughButton(written);
    EXPECT_TRUE(prompts_.shown.empty());
    EXPECT_EQ(shapesOf(ctx_.document.track()), opened);
}

TEST_F(TrackCommandsTest, SaveAsKeepsASuffixInAnyCase) {
    openSample("Stadium");
    const std::string chosen = (tracks_ / "upper.CHALLENGE.gbx").string();
    prompts_.savePaths.push_back(chosen);
    clickControl(kSaveAsButton);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].text, chosen);
    EXPECT_TRUE(fs::exists(chosen));
    EXPECT_FALSE(fs::exists(chosen + ".Challenge.Gbx"));
}

// The suffix makes the name of a file that exists: it is replaced only after a Yes.
TEST_F(TrackCommandsTest, SaveAsAsksBeforeReplacingTheSuffixedFile) {
    openSample("Stadium");
    const fs::path existing = tracks_ / "MyTrack.Challenge.Gbx";
    { std::ofstream(existing) << "mine"; }
    prompts_.savePaths.push_back((tracks_ / "MyTrack").string());
    prompts_.answers.push_back(false);
    clickControl(kSaveAsButton);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_TRUE(prompts_.shown[0].question);
    EXPECT_EQ(prompts_.shown[0].text,
              existing.string() + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(fs::file_size(existing), 4u);

    prompts_.shown.clear();
    prompts_.savePaths.push_back((tracks_ / "MyTrack").string());
    prompts_.answers.push_back(true);
    clickControl(kSaveAsButton);
    ASSERT_EQ(prompts_.shown.size(), 2u);
    EXPECT_EQ(prompts_.shown[1].caption, "Saved!");
    EXPECT_GT(fs::file_size(existing), 4u);
}

TEST_F(TrackCommandsTest, SaveAsOnAnEmptyTrackShowsNothing) {
    prompts_.savePaths.push_back((tracks_ / "never.gbx").string());
    clickControl(kSaveAsButton);
    EXPECT_TRUE(prompts_.shown.empty());
    // The dialog was not shown either: its scripted answer is still there.
    EXPECT_EQ(prompts_.savePaths.size(), 1u);
    EXPECT_FALSE(fs::exists(tracks_ / "never.gbx.Challenge.Gbx"));
}

TEST_F(TrackCommandsTest, SaveAsToAnUnwritablePlaceIsAnError) {
    openSample("Stadium");
    prompts_.savePaths.push_back((tracks_ / "no-such-folder" / "x.gbx").string());
    clickControl(kSaveAsButton);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].text, "ERROR!!!!!11");
    EXPECT_EQ(prompts_.shown[0].caption, "Blockyard 0.1 alpha");
    EXPECT_EQ(prompts_.shown[0].icon, MessageIcon::None);
}
