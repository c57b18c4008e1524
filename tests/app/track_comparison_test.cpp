// "Compare with...": another version kept beside the open track, its differences tinted, drawn
// as ghosts and listed, following the document's edits until the comparison ends.
#include <algorithm>

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>

#include "app/track_comparison.h"
#include "app_fixture.h"
#include "edit/block_edits.h"
#include "ui/comparison_panel.h"
#include "view/block_placement.h"
#include "view/camera_aim.h"

namespace {

QAction* fileAction(MainWindow& window, const QString& text) {
    QMenu* file = window.menuBar()->actions().front()->menu();
    emit file->aboutToShow();
    for (QAction* action : file->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

TEST_F(AppFixture, ComparisonTintsListsAndFollowsTheEditsUntilItEnds) {
    const std::optional<std::string> sample = copySample("Stadium");
    ASSERT_TRUE(sample);
    openThroughButton(*sample);
    TrackComparison& comparison = *window_->comparison();
    ASSERT_FALSE(fileAction(*window_, "&End comparison")->isEnabled());

    prompts_.openPaths.push_back(*sample);
    fileAction(*window_, "&Compare with...")->trigger();
    ASSERT_TRUE(comparison.active());
    EXPECT_TRUE(comparison.dock()->isVisible());
    EXPECT_TRUE(comparison.diff().differences.empty());
    EXPECT_EQ(comparison.panel()->lines()->count(), 0);

    // One block deleted, one turned, one moved, each a step of the open track.
    const auto block = [&](int i) { return &*std::next(ctx_.document.blocks().begin(), i); };
    const BlockRecord removed = *block(0);
    const BlockRecord* turned = block(1);
    const BlockRecord* moved = block(2);
    ctx_.document.setSelection({block(0)});
    deleteSelection(ctx_.document);
    ctx_.document.setSelection({turned});
    rotateSelection(ctx_.document, 1);
    ctx_.document.setSelection({moved});
    moveSelection(ctx_.document, 0, 0, 1);
    ctx_.document.clearSelection();

    ASSERT_EQ(comparison.diff().differences.size(), 3u);
    EXPECT_EQ(comparison.panel()->lines()->count(), 3);
    const auto& tints = comparison.tints().colours;
    EXPECT_EQ(tints.size(), 2u);
    EXPECT_EQ(tints.at(turned), differenceColour(DifferenceKind::Turned));
    EXPECT_EQ(tints.at(moved), differenceColour(DifferenceKind::Moved));
    ASSERT_EQ(comparison.ghosts().size(), 1u);
    EXPECT_EQ(comparison.ghosts()[0].x, removed.x);
    EXPECT_EQ(comparison.ghosts()[0].z, removed.z);

    // A line selects its block and brings the camera to it.
    const auto line =
        std::find_if(comparison.diff().differences.begin(), comparison.diff().differences.end(),
                     [&](const BlockDifference& d) { return d.b == moved; });
    const Vec3 before = window_->viewState().camera.position;
    QListWidget* lines = comparison.panel()->lines();
    QListWidgetItem* item =
        lines->item(static_cast<int>(line - comparison.diff().differences.begin()));
    emit lines->itemClicked(item);
    EXPECT_EQ(ctx_.document.selection().count(), 1u);
    EXPECT_TRUE(Selection::contains(*moved));
    EXPECT_FALSE(window_->viewState().camera.position == before);

    // The picture: every difference in view, nothing selected so that each shows its own tint.
    ctx_.document.clearSelection();
    Box3 changed = blockBox(removed, ctx_.catalog, Box3{});
    changed.add(blockBox(*turned, ctx_.catalog, Box3{}));
    changed.add(blockBox(*moved, ctx_.catalog, Box3{}));
    aimCameraAt(window_->viewState().camera, changed);
    window_->viewPort().renderFrame(true);
    const QImage shot = window_->grab().toImage();
    QDir().mkpath(QStringLiteral(BLOCKYARD_SCREENSHOT_DIR));
    EXPECT_TRUE(shot.save(QStringLiteral(BLOCKYARD_SCREENSHOT_DIR "/comparison.png")));

    ctx_.document.undo();
    ctx_.document.undo();
    ctx_.document.undo();
    EXPECT_TRUE(comparison.diff().differences.empty());
    EXPECT_TRUE(comparison.tints().colours.empty());

    fileAction(*window_, "&End comparison")->trigger();
    EXPECT_FALSE(comparison.active());
    EXPECT_FALSE(comparison.dock()->isVisible());
    ctx_.document.setSelection({block(0)});
    deleteSelection(ctx_.document);
    EXPECT_TRUE(comparison.diff().differences.empty());
}

TEST_F(AppFixture, AComparisonWithAnUnreadableTrackSaysSoAndStartsNothing) {
    const std::optional<std::string> sample = copySample("Stadium");
    ASSERT_TRUE(sample);
    openThroughButton(*sample);
    prompts_.openPaths.push_back((tracks_ / "Missing.Challenge.Gbx").string());
    EXPECT_FALSE(window_->comparison()->compareCommand());
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_EQ(prompts_.shown[0].text, kCompareErrorText);
    EXPECT_FALSE(window_->comparison()->active());
}

} // namespace
