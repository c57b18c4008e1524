#include "app/main_window.h"

#include <algorithm>
#include <filesystem>

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

#include "app/anchor_layout.h"
#include "app/edit_commands.h"
#include "app/main_window_ids.h"
#include "app/piece_commands.h"
#include "app/qt_prompts.h"
#include "app/recent_kinds_strip.h"
#include "app/recent_tracks.h"
#include "app/reshape_commands.h"
#include "app/track_comparison.h"
#include "app/track_panels.h"
#include "assets/bitmap.h"
#include "catalog/environment.h"
#include "seams/prompts.h"
#include "ui/area_page.h"
#include "ui/blocks_page.h"
#include "ui/dialog_units.h"
#include "ui/pieces_page.h"

namespace {

// A sans-serif face of the dialog font's proportions, at a size whose texts fit their controls.
constexpr int kFontPixelSize = 11;

QFont dialogFont(QFont font) {
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")});
    font.setPixelSize(kFontPixelSize);
    return font;
}

} // namespace

MainWindow::MainWindow(EditorContext& ctx)
    : QMainWindow(nullptr), ctx_(ctx),
      modelStore_(ctx.folders, [&ctx]() -> Prompts& { return ctx.prompts(); }),
      renderer_(ctx.document, ctx.catalog, ctx.areaEditor, viewState_, modelStore_,
                modelStore_.lists()) {
    setWindowTitle(QString::fromLatin1(kProgramCaption));
    setFont(dialogFont(font()));
    setAcceptDrops(true);

    panel_ = new QWidget(this);
    layout_ =
        new AnchorLayout(panel_, QSize(dialogX(kMainWindowWidth), dialogY(kMainWindowHeight)));
    setCentralWidget(panel_);

    // The program hands its folders in; a window without them works in the current folder.
    if (ctx_.folders.base.empty()) {
        ctx_.folders.base = std::filesystem::current_path();
        ctx_.folders.converter = converterSiteIn(ctx_.folders.base);
    }
    createControls();
    createPages();
    createView();

    // The ground takes the colour of the data pack's own ground texture of each environment.
    EnvironmentNames environments;
    initEnvironmentNames(environments);
    for (int e = 0; e < kEnvironmentCount; ++e)
        if (const std::optional<Rgb> colour = averageColour(
                ctx_.folders.base / "data" / environments[static_cast<std::size_t>(e)] /
                "textures" / "ground0.bmp"))
            renderer_.setGroundColour(e, *colour);

    viewPort_ = std::make_unique<GlViewPort>(*view_, renderer_);
    view_->setPort(*viewPort_);
    renderer_.setFrameRateText(
        [this](const std::string& text) { frameRate_->setText(QString::fromStdString(text)); });
    renderer_.setStatusMessage(
        [this](const std::string& text) { showStatusMessage(QString::fromStdString(text)); });

    TrackCommands::Hooks hooks;
    hooks.resolveModels = [this] {
        CurrentContext current(*view_);
        if (current.held())
            renderer_.resolveModels();
    };
    hooks.showEnvironmentName = [this](const std::string& name) {
        environmentName_->setText(QString::fromStdString(name));
    };
    hooks.trackOpened = [this](const std::string& path) { rememberTrack(path); };
    commands_ = std::make_unique<TrackCommands>(ctx_, launcher_, std::move(hooks));
    recovery_ = std::make_unique<RecoveryKeeper>(ctx_);

    const auto showStatus = [this](const std::string& text) {
        showStatusMessage(QString::fromStdString(text));
    };
    editCommands_ = new EditCommands(
        ctx_, *blocksPage_, *this, [this] { commandDone(false); }, showStatus);
    reshapeCommands_ = new ReshapeCommands(
        ctx_, *this, *view_, [this] { commandDone(false); }, showStatus);
    createPieces();
    createPlacing();
    documentListener_ =
        ctx_.document.addListener([this](const DocumentChange& change) { heard(change); });
    areaListener_ = ctx_.areaEditor.addListener([this](AreaEditor::Change change) {
        if (change == AreaEditor::Change::Level)
            levelChanged();
        refreshStatus();
    });

    comparison_ = std::make_unique<TrackComparison>(ctx_, renderer_, viewState_, launcher_, *this,
                                                    [this] { commandDone(false); });
    trackPanels_ =
        std::make_unique<TrackPanels>(ctx_, viewState_, *this, [this] { commandDone(false); });
    connectButtons();
    createMenus();
    refreshRecentMenu();

    statusMessageTimer_.setSingleShot(true);
    connect(&statusMessageTimer_, &QTimer::timeout, this, &MainWindow::refreshStatus);
    refreshStatus();

    // The menu bar takes its height on top of the panel, so the view keeps its designed size.
    resize(sizeHint());
    move(0, 0);
    restoreGeometry(settings_.windowGeometry());
}

MainWindow::~MainWindow() {
    tearDown();
}

void MainWindow::createControls() {
    struct Button {
        int id;
        const char* text;
        QRect rect;
    };
    const Button buttons[] = {
        {kOpenTrackButton, "Open track", dialogRect(404, 7, 48, 15)},
        {kReloadButton, "Reload", dialogRect(460, 7, 49, 15)},
        {kSaveTrackButton, "Save track", dialogRect(517, 7, 48, 15)},
        {kSaveAsButton, "Save as...", dialogRect(573, 7, 48, 15)},
    };
    for (const Button& b : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(b.text), panel_);
        layout_->addWidget(button, b.rect, Anchor::TopRight);
        controls_[b.id] = button;
    }

    tabs_ = new QTabWidget(panel_);
    layout_->addWidget(tabs_, dialogRect(404, 29, 217, 328), Anchor::TopRight);
    controls_[kPageTabs] = tabs_;

    frameRate_ = new QLabel(panel_);
    layout_->addWidget(frameRate_, dialogRect(6, 364, 236, 9), Anchor::BottomLeft);
    controls_[kFrameRateStatic] = frameRate_;

    // In the bottom line's free stretch under the view, against its right edge.
    statusLine_ = new QLabel(panel_);
    statusLine_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout_->addWidget(statusLine_, dialogRect(244, 364, 153, 9), Anchor::BottomRight);
    controls_[kStatusLine] = statusLine_;

    auto* environmentCaption = new QLabel(QStringLiteral("Environment:"), panel_);
    layout_->addWidget(environmentCaption, dialogRect(404, 361, 43, 10), Anchor::BottomRight);

    environmentName_ = new QLabel(QStringLiteral("..."), panel_);
    layout_->addWidget(environmentName_, dialogRect(448, 361, 90, 10), Anchor::BottomRight);
    controls_[kEnvironmentLabel] = environmentName_;
}

void MainWindow::createPages() {
    blocksPage_ = new BlocksPage(ctx_, viewState_);
    areaPage_ = new AreaPage(ctx_);
    const auto done = [this](bool focusView) { commandDone(focusView); };
    blocksPage_->setCommandDone(done);
    areaPage_->setCommandDone(done);
    // The tab widget places both pages in its display area and shows the current one only.
    tabs_->addTab(blocksPage_, QStringLiteral("Blocks"));
    tabs_->addTab(areaPage_, QStringLiteral("Area"));
    tabs_->setCurrentIndex(0);
}

void MainWindow::createView() {
    view_ = new DrawArea(viewState_, ctx_.document, ctx_.areaEditor, panel_);
    layout_->addWidget(view_, QRect(11, 11, DrawArea::kWidth, DrawArea::kHeight), Anchor::Stretch);
    renderer_.setPresent([this] {
        if (!view_)
            return;
        view_->update();
        refreshStatus();
    });
    connect(view_, &DrawArea::contextCreated, this, [this] { renderer_.setContextReady(true); });
    view_->setFocus();
}

void MainWindow::connectButtons() {
    // The new track at once: a picture left from the old one reads as a failed open.
    connect(static_cast<QPushButton*>(control(kOpenTrackButton)), &QPushButton::clicked, this,
            [this] {
                if (commands_->openTrackCommand())
                    commandDone(false);
            });
    connect(static_cast<QPushButton*>(control(kReloadButton)), &QPushButton::clicked, this, [this] {
        if (commands_->reloadCommand())
            commandDone(false);
    });
    connect(static_cast<QPushButton*>(control(kSaveTrackButton)), &QPushButton::clicked, this,
            [this] { commands_->saveTrackCommand(); });
    connect(static_cast<QPushButton*>(control(kSaveAsButton)), &QPushButton::clicked, this,
            [this] { commands_->saveAsCommand(); });
}

QWidget* MainWindow::control(int id) const {
    auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

void MainWindow::ownDialogs(QtPrompts& prompts) {
    prompts.setOwner(this);
    prompts.setAfterDialog([this] {
        if (view_)
            view_->restoreContext();
    });
    prompts.setDialogFolder(settings_.dialogFolder().toStdString(),
                            [this](const std::string& folder) {
                                settings_.setDialogFolder(QString::fromStdString(folder));
                            });
}

void MainWindow::startUp() {
    initEnvironmentNames(ctx_.catalog.environmentNames);
    {
        CurrentContext current(*view_);
        if (current.held() && modelStore_.reserveLists())
            modelStore_.loadFixedModels();
    }
    viewState_.aspect = static_cast<double>(view_->width()) / view_->height();
    renderer_.frameStatsReset();
    viewPort_->renderFrame(true);
    view_->setFocus();
    recovery_->offerAtStart(
        [this](const std::string& path, const std::vector<std::uint8_t>& bytes) {
            return commands_->openRecovered(path, bytes);
        });
}

bool MainWindow::openTrackAt(const std::string& path) {
    if (!commands_->openPathCommand(path))
        return false;
    commandDone(false);
    return true;
}

void MainWindow::commandDone(bool focusView) {
    if (viewPort_)
        viewPort_->renderFrame(true);
    if (focusView && view_)
        view_->setFocus();
}

void MainWindow::heard(const DocumentChange& change) {
    if (change.cause == DocumentChange::Cause::Replaced && recentKinds_)
        recentKinds_->setEnvironment(ctx_.catalog.currentEnvironment);
    setWindowTitle(QString::fromStdString(mainWindowTitle(ctx_.document)));
    if (change.droppedSteps > 0) {
        const std::size_t dropped = change.droppedSteps;
        showStatusMessage(
            QString::fromStdString("Undo history full: the oldest " + std::to_string(dropped) +
                                   (dropped == 1 ? " step was" : " steps were") + " dropped."));
    }
    // New blocks and new variants get their models while no frame is under way: a model that
    // fails to load says so in a message box.
    const bool newModels = !change.added.empty() ||
                           std::any_of(change.changed.begin(), change.changed.end(),
                                       [](const DocumentChange::Changed& c) {
                                           return c.properties & (kVariantChanged | kKindChanged);
                                       });
    if (newModels && view_) {
        CurrentContext current(*view_);
        if (current.held())
            renderer_.resolveModels();
    }
    refreshStatus();
}

void MainWindow::rememberTrack(const std::string& path) {
    // Kept absolute: the working folder is the data's, not where the user typed the path.
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    settings_.setRecentTracks(
        withRecentTrack(settings_.recentTracks(), ec ? path : absolute.string()));
    refreshRecentMenu();
}

void MainWindow::showStatusMessage(const QString& text, int milliseconds) {
    statusLine_->setText(text);
    statusLine_->setToolTip(text);
    statusMessageTimer_.start(milliseconds);
}

void MainWindow::refreshStatus() {
    if (statusMessageTimer_.isActive())
        return;
    if (placing_ && placing_->active()) {
        const QString text = QString::fromStdString(placing_->status());
        statusLine_->setText(text);
        statusLine_->setToolTip(text);
        return;
    }
    QString text = QStringLiteral("Blocks: %1  Selected: %2")
                       .arg(ctx_.document.blocks().size())
                       .arg(ctx_.document.selection().count());
    const AreaEditor& area = ctx_.areaEditor;
    if (area.editing())
        text += QStringLiteral("  Cell: %1, %2, %3")
                    .arg(area.cursor().x)
                    .arg(area.cursor().y)
                    .arg(area.level());
    statusLine_->setText(text);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!tornDown_ && !commands_->confirmUnsavedChanges()) {
        event->ignore();
        return;
    }
    tearDown();
    event->accept();
}

bool MainWindow::focusNextPrevChild(bool) {
    return false;
}

void MainWindow::tearDown() {
    if (tornDown_)
        return;
    tornDown_ = true;
    settings_.setWindowGeometry(saveGeometry());
    // A clean close: the recovery copy goes with the track.
    recovery_.reset();
    comparison_.reset();
    trackPanels_.reset();
    // The GL context goes with the view; nothing may draw or compile through it afterwards.
    renderer_.setContextReady(false);
    ctx_.document.removeListener(documentListener_);
    ctx_.areaEditor.removeListener(areaListener_);
    placing_.reset();
    delete view_;
    view_ = nullptr;
    viewPort_.reset();

    delete editCommands_;
    editCommands_ = nullptr;
    delete reshapeCommands_;
    reshapeCommands_ = nullptr;
    delete blocksPage_;
    blocksPage_ = nullptr;
    delete areaPage_;
    areaPage_ = nullptr;
    delete pieceCommands_;
    pieceCommands_ = nullptr;
    delete piecesPage_;
    piecesPage_ = nullptr;

    // The closed window's track goes with it; the document keeps its file's name.
    ctx_.document.releaseTrack();
}
