// Placing by pointing from the main window: the mode over the view, its ways in (the picker, the
// strip of recent kinds, paste, duplicate, pieces) and the levels shown.
#include <QMenu>

#include "app/anchor_layout.h"
#include "app/edit_commands.h"
#include "app/main_window.h"
#include "app/recent_kinds_strip.h"
#include "view/view_input.h"

void MainWindow::createPlacing() {
    placing_ = std::make_unique<PlacingMode>(ctx_.document, ctx_.catalog, ctx_.areaEditor,
                                             viewState_, renderer_, *viewPort_);
    placing_->setChanged([this] { refreshStatus(); });
    view_->setPlacing(placing_.get());
    editCommands_->setPlacers(
        [this](const BlockClipboard& group, const std::string& what) { startPlacing(group, what); },
        [this](std::uint32_t kind) { startPlacingKind(kind); });

    recentKinds_ =
        new RecentKindsStrip([this](std::uint32_t kind) { startPlacingKind(kind); }, panel_);
    layout_->addWidget(recentKinds_,
                       QRect(13, 11 + DrawArea::kHeight - 24, DrawArea::kWidth - 4, 22),
                       Anchor::BottomLeft);
    recentKinds_->raise();
}

bool MainWindow::startPlacing(const BlockClipboard& group, const std::string& what) {
    if (!placing_->start(group, what)) {
        showStatusMessage(group.entries.empty()
                              ? QStringLiteral("Nothing to place.")
                              : QStringLiteral("Nothing to place: this environment has none of "
                                               "its kinds."));
        return false;
    }
    // The ghost shows at once where the pointer stands.
    const qreal ratio = view_->devicePixelRatioF();
    placing_->pointAt(viewState_.lastPointer.x, viewState_.lastPointer.y,
                      static_cast<int>(view_->width() * ratio),
                      static_cast<int>(view_->height() * ratio));
    commandDone(true);
    return true;
}

bool MainWindow::startPlacingKind(std::uint32_t catalogIndex) {
    const CatalogEntry* entry = catalogEntry(ctx_.catalog, catalogIndex);
    if (!entry)
        return false;
    BlockClipboard group;
    group.trackUid = ctx_.document.track().uid;
    BlockRecord record;
    record.catalogIndex = catalogIndex;
    group.entries.push_back({record, entry->name});
    recentKinds_->note(catalogIndex, entry->name);
    return startPlacing(group, entry->name);
}

void MainWindow::levelChanged() {
    if (viewState_.levelLimit)
        viewState_.levelLimit = ctx_.areaEditor.level();
    if (placing_)
        placing_->levelChanged();
}

void MainWindow::addViewAids(QMenu* view) {
    view->addSeparator();
    QAction* ground = view->addAction(QStringLiteral("G&round"), this, [this](bool on) {
        viewState_.switches.showGround = on;
        commandDone(false);
    });
    QAction* top = view->addAction(QStringLiteral("&Top view\tV"), this, [this] {
        onKeyDown(viewState_, kKeyV);
        commandDone(false);
    });
    QAction* levels =
        view->addAction(QStringLiteral("Show &levels up to the cursor level\tL"), this, [this] {
            onLevelKey(viewState_, ctx_.areaEditor, kKeyL);
            commandDone(false);
        });
    for (QAction* action : {ground, top, levels})
        action->setCheckable(true);
    connect(view, &QMenu::aboutToShow, this, [this, ground, top, levels] {
        ground->setChecked(viewState_.switches.showGround);
        top->setChecked(viewState_.switches.topView);
        levels->setChecked(viewState_.levelLimit.has_value());
    });
}
