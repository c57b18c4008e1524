#include "app/track_panels.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QTimer>

#include "check/track_statistics.h"
#include "track/track_head_info.h"
#include "ui/checks_panel.h"
#include "ui/facts_panel.h"
#include "view/block_placement.h"
#include "view/camera_aim.h"

namespace {

QDockWidget* addDock(QMainWindow& window, const char* title, QWidget* panel) {
    auto* dock = new QDockWidget(QString::fromUtf8(title), &window);
    dock->setObjectName(QString::fromUtf8(title));
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                      QDockWidget::DockWidgetFloatable);
    panel->setParent(dock);
    dock->setWidget(panel);
    window.addDockWidget(Qt::RightDockWidgetArea, dock);
    return dock;
}

std::string cellText(const GridCell& c) {
    return "(" + std::to_string(c.x) + ", " + std::to_string(c.y) + ", " + std::to_string(c.z) +
           ")";
}

std::vector<Fact> countFacts(const std::vector<std::pair<std::string, std::size_t>>& counts) {
    std::vector<Fact> facts;
    for (const auto& [name, count] : counts)
        facts.push_back({name, std::to_string(count), {}});
    return facts;
}

} // namespace

TrackPanels::TrackPanels(EditorContext& ctx, ViewState& view, QMainWindow& window,
                         std::function<void()> frame)
    : ctx_(ctx), view_(view), frame_(std::move(frame)),
      checker_(ctx.document, ctx.catalog, [&window](std::function<void()> check) {
          QTimer::singleShot(0, &window, std::move(check));
      }) {
    checks_ = new ChecksPanel;
    information_ = new FactsPanel;
    statistics_ = new FactsPanel;
    checksDock_ = addDock(window, "Checks", checks_);
    QDockWidget* informationDock = addDock(window, "Track information", information_);
    QDockWidget* statisticsDock = addDock(window, "Statistics", statistics_);
    window.tabifyDockWidget(checksDock_, informationDock);
    window.tabifyDockWidget(informationDock, statisticsDock);
    // Shown from the View menu: the window opens at its designed size.
    for (QDockWidget* dock : {checksDock_, informationDock, statisticsDock}) {
        dock->hide();
        viewActions_.push_back(dock->toggleViewAction());
    }
    checks_->setFindingChosen([this](int finding) { showFinding(finding); });

    // The statistics are counted when the checks run, after the frame that shows a change.
    checkerListener_ = checker_.addListener([this] {
        showChecks();
        showStatistics();
    });
    documentListener_ = ctx_.document.addListener([this](const DocumentChange& change) {
        if (change.cause == DocumentChange::Cause::Replaced)
            showInformation();
    });
    showChecks();
    showInformation();
    showStatistics();
}

TrackPanels::~TrackPanels() {
    checker_.removeListener(checkerListener_);
    ctx_.document.removeListener(documentListener_);
}

void TrackPanels::showFinding(int finding) {
    // The list on show may name blocks gone since; it is shown anew instead.
    if (checker_.stale()) {
        checker_.refresh();
        return;
    }
    const std::vector<Finding>& findings = checker_.findings();
    if (finding < 0 || static_cast<std::size_t>(finding) >= findings.size())
        return;
    const std::vector<const BlockRecord*>& blocks =
        findings[static_cast<std::size_t>(finding)].blocks;
    if (blocks.empty())
        return;
    ctx_.document.setSelection(blocks);
    Box3 box;
    for (const BlockRecord* record : blocks)
        box.add(blockBox(*record, ctx_.catalog, Box3{}));
    aimCameraAt(view_.camera, box);
    frame_();
}

void TrackPanels::showChecks() {
    checks_->showFindings(checker_.findings(), checker_.count(Severity::Error),
                          checker_.count(Severity::Warning));
}

void TrackPanels::showInformation() {
    const TrackHeadInfo info = readTrackHead(ctx_.document.envelope().headBytes);
    std::vector<Fact> facts;
    for (const auto& [label, value] : headInfoLines(info))
        facts.push_back({label, value, {}});
    if (!info.unread.empty()) {
        std::string unread;
        for (const std::string& field : info.unread)
            unread += (unread.empty() ? "" : ", ") + field;
        facts.push_back({"Not in the head", unread, {}});
    }
    information_->showFacts(facts);
}

void TrackPanels::showStatistics() {
    const TrackStatistics statistics = trackStatistics(ctx_.document.track(), ctx_.catalog);
    std::vector<Fact> facts = {{"Blocks", std::to_string(statistics.blocks), {}}};
    if (statistics.box)
        facts.push_back(
            {"Cells",
             cellText(statistics.box->first) + " to " + cellText(statistics.box->second),
             {}});
    Fact levels{"Levels used", std::to_string(statistics.levels.size()), {}};
    for (const auto& [level, blocks] : statistics.levels)
        levels.details.push_back(
            {"Level " + std::to_string(level), std::to_string(blocks) + " blocks", {}});
    facts.push_back(std::move(levels));
    facts.push_back(
        {"Families", std::to_string(statistics.families.size()), countFacts(statistics.families)});
    facts.push_back(
        {"Kinds", std::to_string(statistics.kinds.size()), countFacts(statistics.kinds)});
    statistics_->showFacts(facts);
}
