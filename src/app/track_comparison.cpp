#include "app/track_comparison.h"

#include <filesystem>

#include <QDockWidget>
#include <QListWidget>
#include <QMainWindow>

#include "edit/kind_names.h"
#include "seams/prompts.h"
#include "track/track_reader.h"
#include "ui/comparison_panel.h"
#include "view/block_placement.h"
#include "view/camera_aim.h"

namespace {

constexpr float kGhostOpacity = 0.4f;

} // namespace

TrackComparison::TrackComparison(EditorContext& ctx, FrameRenderer& renderer, ViewState& view,
                                 ConverterLauncher& launcher, QMainWindow& window,
                                 std::function<void()> frame)
    : ctx_(ctx), renderer_(renderer), view_(view), launcher_(launcher), frame_(std::move(frame)) {
    dock_ = new QDockWidget(QStringLiteral("Differences"), &window);
    dock_->setObjectName(QStringLiteral("differences"));
    dock_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    panel_ = new ComparisonPanel(dock_);
    dock_->setWidget(panel_);
    window.addDockWidget(Qt::RightDockWidgetArea, dock_);
    dock_->hide();
    panel_->setLineChosen([this](int line) { showDifference(line); });
    panel_->setEndClicked([this] {
        end();
        frame_();
    });
}

TrackComparison::~TrackComparison() {
    // The dock goes with the window; only what the comparison lent out is taken back here.
    if (active_) {
        renderer_.setBlockTints(nullptr);
        renderer_.removeOverlay(overlay_);
        ctx_.document.removeListener(listener_);
    }
}

bool TrackComparison::compareCommand() {
    const std::optional<std::string> chosen = ctx_.prompts().chooseOpenPath();
    return chosen && compareWith(*chosen);
}

bool TrackComparison::compareWith(const std::string& path) {
    Track track;
    TrackEnvelope envelope;
    CatalogState catalog = ctx_.catalog;
    if (!openTrack(ctx_.folders.base, ctx_.folders.converter, path, track, envelope, catalog,
                   ctx_.prompts(), launcher_)) {
        ctx_.prompts().message(kCompareErrorText, kProgramCaption, MessageIcon::Error);
        return false;
    }
    end();
    otherPath_ = path;
    other_ = std::move(track);
    otherEnvelope_ = std::move(envelope);
    otherCatalog_ = std::move(catalog);
    active_ = true;
    listener_ = ctx_.document.addListener([this](const DocumentChange& change) {
        if (change.trackChanged())
            refresh();
    });
    overlay_ = renderer_.addOverlay([this] {
        for (const BlockRecord& ghost : ghosts_)
            renderer_.drawModelAt(ghost, differenceColour(DifferenceKind::Removed), kGhostOpacity);
    });
    renderer_.setBlockTints(&tints_);
    refresh();
    dock_->show();
    return true;
}

void TrackComparison::end() {
    if (!active_)
        return;
    active_ = false;
    renderer_.setBlockTints(nullptr);
    renderer_.removeOverlay(overlay_);
    ctx_.document.removeListener(listener_);
    clearTrack(&other_);
    diff_ = {};
    ghosts_.clear();
    tints_.colours.clear();
    ++tints_.serial;
    dock_->hide();
}

void TrackComparison::refresh() {
    diff_ = diffTracks(other_, otherCatalog_, ctx_.document.track(), ctx_.catalog);
    tints_.colours.clear();
    ghosts_.clear();
    // The ghosts are drawn with the open track's catalogue: each takes its kind's index there.
    const auto indexes = kindIndexesByName(ctx_.catalog);
    for (const BlockDifference& d : diff_.differences) {
        if (d.b) {
            tints_.colours[d.b] = differenceColour(d.kind);
            continue;
        }
        const auto index = indexes.find(kindNameOf(otherCatalog_, *d.a));
        if (index == indexes.end())
            continue;
        BlockRecord ghost = *d.a;
        ghost.catalogIndex = index->second;
        ghosts_.push_back(ghost);
    }
    ++tints_.serial;
    panel_->showDifferences(
        QString::fromStdString(std::filesystem::path(otherPath_).filename().string()), diff_,
        otherCatalog_, ctx_.catalog);
}

void TrackComparison::showDifference(int line) {
    if (line < 0 || static_cast<std::size_t>(line) >= diff_.differences.size())
        return;
    const BlockDifference& d = diff_.differences[static_cast<std::size_t>(line)];
    if (d.b) {
        ctx_.document.setSelection({d.b});
        aimCameraAt(view_.camera, blockBox(*d.b, ctx_.catalog, Box3{}));
    } else {
        aimCameraAt(view_.camera, blockBox(*d.a, otherCatalog_, Box3{}));
    }
    frame_();
}
