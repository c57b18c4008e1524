// The Checks, Track information and Statistics docks over a real track (a sample when the real
// tracks are absent): the checks follow every edit, a chosen finding selects its blocks and
// brings the camera to them.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QTreeWidget>

#include "app/track_panels.h"
#include "app_fixture.h"
#include "edit/block_edits.h"
#include "real_tracks.h"
#include "ui/checks_panel.h"
#include "ui/facts_panel.h"

namespace {

QString factValue(const FactsPanel& panel, const QString& label) {
    const QList<QTreeWidgetItem*> found = panel.tree()->findItems(label, Qt::MatchExactly, 0);
    return found.isEmpty() ? QString() : found.front()->text(1);
}

TEST_F(AppFixture, ChecksFollowTheEditsAndAFindingBringsItsBlocksIntoView) {
    const std::filesystem::path real = realTracksFolder() / "A01-Race.Challenge.Gbx";
    std::optional<std::string> file = copySample("Stadium");
    if (std::filesystem::exists(real)) {
        std::filesystem::copy_file(real, tracks_ / real.filename());
        file = (tracks_ / real.filename()).string();
    }
    ASSERT_TRUE(file);
    openThroughButton(*file);
    TrackPanels& panels = *window_->trackPanels();
    QCoreApplication::processEvents();
    EXPECT_FALSE(panels.checksDock()->isVisible());
    panels.viewActions().front()->trigger();
    EXPECT_TRUE(panels.checksDock()->isVisible());
    const std::vector<Finding>& findings = panels.checker().findings();
    std::size_t rows = findings.size();
    for (const Finding& finding : findings)
        rows += finding.unlisted > 0;
    EXPECT_EQ(panels.checks()->lines()->count(), static_cast<int>(rows));
    EXPECT_EQ(factValue(*panels.statistics(), "Blocks"),
              QString::number(ctx_.document.blocks().size()));
    if (std::filesystem::exists(real)) {
        EXPECT_EQ(factValue(*panels.information(), "Author"), "Nadeo");
        EXPECT_EQ(factValue(*panels.information(), "Author time"), "0:24.54");
        EXPECT_EQ(factValue(*panels.information(), "Not in the head"), "checkpoints");
    }

    // Deleting the start is heard.
    const auto start = std::find_if(
        ctx_.document.blocks().begin(), ctx_.document.blocks().end(), [this](const BlockRecord& r) {
            const CatalogEntry* entry = catalogEntry(ctx_.catalog, r.catalogIndex);
            return entry && entry->role == KindRole::Start;
        });
    ASSERT_NE(start, ctx_.document.blocks().end());
    ctx_.document.setSelection({&*start});
    deleteSelection(ctx_.document);
    // Checked once the event loop is free: the frame showing the edit does not wait for it.
    EXPECT_TRUE(panels.checker().stale());
    QCoreApplication::processEvents();
    EXPECT_EQ(panels.checks()->lines()->item(0)->text(), "The track has no start.");
    EXPECT_EQ(panels.checks()->summary()->text().left(8), "1 error,");
    ctx_.document.undo();
    QCoreApplication::processEvents();
    EXPECT_NE(panels.checks()->lines()->item(0)->text(), "The track has no start.");

    // A finding of blocks, chosen in the list: they become the selection and come into view.
    const std::vector<Finding>& now = panels.checker().findings();
    const auto withBlocks = std::find_if(now.begin(), now.end(), [](const Finding& f) {
        return f.severity == Severity::Warning && !f.blocks.empty();
    });
    ASSERT_NE(withBlocks, now.end());
    const std::vector<const BlockRecord*> blocks = withBlocks->blocks;
    const Vec3 before = window_->viewState().camera.position;
    QListWidget* lines = panels.checks()->lines();
    for (int row = 0; row < lines->count(); ++row)
        if (lines->item(row)->text() == QString::fromStdString(withBlocks->text)) {
            lines->setCurrentRow(row);
            emit lines->itemClicked(lines->item(row));
            break;
        }
    EXPECT_EQ(ctx_.document.selection().members(), blocks);
    const Vec3 after = window_->viewState().camera.position;
    EXPECT_TRUE(after.x != before.x || after.y != before.y || after.z != before.z);

    window_->viewPort().renderFrame(true);
    const QImage shot = window_->grab().toImage();
    QDir().mkpath(QStringLiteral(BLOCKYARD_SCREENSHOT_DIR));
    EXPECT_TRUE(shot.save(QStringLiteral(BLOCKYARD_SCREENSHOT_DIR "/checks.png")));
}

} // namespace
