#include <fstream>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "app_fixture.h"

namespace fs = std::filesystem;

class SettingsTest : public AppFixture {
  protected:
    QStringList recentTexts() const {
        QStringList texts;
        for (QAction* action : window_->recentTracksMenu()->actions())
            texts << action->text();
        return texts;
    }

    fs::path settingsFile() const {
        return base_.path() / "settings" / "Blockyard" / "Blockyard.ini";
    }
};

TEST_F(SettingsTest, RecentTracksOutliveARestartAndAMissingOneIsOfferedForRemoval) {
    EXPECT_EQ(recentTexts(), QStringList{"No recent tracks"});
    const std::optional<std::string> stadium = copySample("Stadium");
    const std::optional<std::string> alpine = copySample("Alpine");
    ASSERT_TRUE(stadium && alpine);
    openThroughButton(*stadium);
    openThroughButton(*alpine);
    openThroughButton(*stadium);
    ASSERT_TRUE(prompts_.shown.empty()) << prompts_.shown.front().text;

    startWindow();
    const QStringList expected{"&1 " + QString::fromStdString(*stadium),
                               "&2 " + QString::fromStdString(*alpine)};
    ASSERT_EQ(recentTexts(), expected);

    // The second one opens from the menu and comes first.
    window_->recentTracksMenu()->actions()[1]->trigger();
    EXPECT_EQ(ctx_.document.path(), *alpine);
    EXPECT_EQ(ctx_.catalog.environmentNames[ctx_.catalog.currentEnvironment], "Alpine");
    EXPECT_TRUE(recentTexts().front().endsWith(QString::fromStdString(*alpine)));

    // A missing file is not opened; No keeps it, Yes takes it out.
    fs::remove(*stadium);
    prompts_.answers = {false, true};
    window_->recentTracksMenu()->actions()[1]->trigger();
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_TRUE(prompts_.shown[0].question);
    EXPECT_NE(prompts_.shown[0].text.find(*stadium), std::string::npos);
    EXPECT_EQ(recentTexts().size(), 2);
    window_->recentTracksMenu()->actions()[1]->trigger();
    EXPECT_EQ(recentTexts(), QStringList{"&1 " + QString::fromStdString(*alpine)});
    EXPECT_EQ(ctx_.document.path(), *alpine);
}

TEST_F(SettingsTest, TheWindowComesBackWhereAndAsLargeAsItWas) {
    window_->setGeometry(40, 60, 1100, 760);
    QTest::qWait(20);
    const QRect left = window_->geometry();
    startWindow();
    EXPECT_EQ(window_->geometry(), left);
    EXPECT_EQ(window_->view()->size(),
              QSize(584 + 1100 - 942, 571 + left.height() - 614 - window_->menuBar()->height()));
}

TEST_F(SettingsTest, DamagedSettingsGiveTheDefaults) {
    window_.reset();
    fs::create_directories(settingsFile().parent_path());
    std::ofstream(settingsFile(), std::ios::binary)
        << "[General\n\x01\xff=\nrecentTracks=@Variant(\\0\\0\\0\x7f\\0\\0)\n"
           "window\\geometry=@ByteArray(garbage)\ndialogFolder\n";
    startWindow();
    EXPECT_EQ(recentTexts(), QStringList{"No recent tracks"});
    EXPECT_EQ(window_->panel()->size(), QSize(942, 614));

    // A settings location that cannot be written (a file where the folder should be).
    window_.reset();
    fs::remove_all(base_.path() / "settings");
    std::ofstream(base_.path() / "settings") << "not a folder";
    startWindow();
    EXPECT_EQ(window_->panel()->size(), QSize(942, 614));
    const std::optional<std::string> sample = copySample("Stadium");
    ASSERT_TRUE(sample);
    openThroughButton(*sample);
    EXPECT_TRUE(prompts_.shown.empty());
    EXPECT_EQ(ctx_.document.path(), *sample);
}
