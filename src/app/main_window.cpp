#include "app/main_window.h"

#include <filesystem>

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "app/main_window_ids.h"
#include "app/qt_prompts.h"
#include "catalog/environment.h"
#include "edit/selection_ops.h"
#include "seams/prompts.h"
#include "ui/area_page.h"
#include "ui/blocks_page.h"
#include "ui/dialog_units.h"

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
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      ctx_(ctx), modelStore_(ctx), renderer_(ctx, modelStore_.lists()) {
    setWindowTitle(QString::fromLatin1(kProgramCaption));
    setFont(dialogFont(font()));
    setFixedSize(dialogX(kMainWindowWidth), dialogY(kMainWindowHeight));
    move(0, 0);

    ctx_.baseFolder = std::filesystem::current_path();
    createControls();
    createPages();
    createView();

    viewPort_ = std::make_unique<GlViewPort>(*view_, renderer_);
    modelResolver_ = std::make_unique<GlModelResolver>(*view_, modelStore_);
    panels_ =
        std::make_unique<PagePanels>(*blocksPage_, *areaPage_, [this](const std::string& text) {
            frameRate_->setText(QString::fromStdString(text));
        });
    ctx_.viewPort = viewPort_.get();
    ctx_.modelResolver = modelResolver_.get();
    ctx_.panels = panels_.get();

    TrackCommands::Hooks hooks;
    hooks.rebuildModelLists = [this] {
        CurrentContext current(*view_);
        if (current.held())
            modelStore_.rebuildModelLists();
    };
    hooks.showEnvironmentName = [this](const std::string& name) {
        environmentName_->setText(QString::fromStdString(name));
    };
    hooks.trackOpened = [this] { recovery_->trackOpened(); };
    hooks.trackSaved = [this] { recovery_->trackSaved(); };
    commands_ = std::make_unique<TrackCommands>(ctx_, launcher_, std::move(hooks));
    recovery_ = std::make_unique<RecoveryKeeper>(ctx_);

    connect(static_cast<QPushButton*>(control(kOpenTrackButton)), &QPushButton::clicked, this,
            [this] { commands_->openTrackCommand(); });
    connect(static_cast<QPushButton*>(control(kReloadButton)), &QPushButton::clicked, this,
            [this] { commands_->reloadCommand(); });
    connect(static_cast<QPushButton*>(control(kSaveTrackButton)), &QPushButton::clicked, this,
            [this] { commands_->saveTrackCommand(); });
    connect(static_cast<QPushButton*>(control(kSaveAsButton)), &QPushButton::clicked, this,
            [this] { commands_->saveAsCommand(); });
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
        auto* button = new QPushButton(QString::fromLatin1(b.text), this);
        button->setGeometry(b.rect);
        controls_[b.id] = button;
    }

    tabs_ = new QTabWidget(this);
    tabs_->setGeometry(dialogRect(404, 29, 217, 328));
    controls_[kPageTabs] = tabs_;

    frameRate_ = new QLabel(this);
    frameRate_->setGeometry(dialogRect(6, 364, 236, 9));
    controls_[kFrameRateStatic] = frameRate_;

    auto* environmentCaption = new QLabel(QStringLiteral("Environment:"), this);
    environmentCaption->setGeometry(dialogRect(404, 361, 43, 10));

    environmentName_ = new QLabel(QStringLiteral("..."), this);
    environmentName_->setGeometry(dialogRect(448, 361, 90, 10));
    controls_[kEnvironmentLabel] = environmentName_;
}

void MainWindow::createPages() {
    blocksPage_ = new BlocksPage(ctx_);
    areaPage_ = new AreaPage(ctx_);
    const auto focusView = [this] {
        if (view_)
            view_->setFocus();
    };
    blocksPage_->setFocusView(focusView);
    areaPage_->setFocusView(focusView);
    // The tab widget places both pages in its display area and shows the current one only.
    tabs_->addTab(blocksPage_, QStringLiteral("Blocks"));
    tabs_->addTab(areaPage_, QStringLiteral("Area"));
    tabs_->setCurrentIndex(0);
}

void MainWindow::createView() {
    view_ = new DrawArea(ctx_, this);
    view_->setGeometry(11, 11, DrawArea::kWidth, DrawArea::kHeight);
    renderer_.setPresent([this] {
        if (view_)
            view_->update();
    });
    connect(view_, &DrawArea::contextCreated, this, [this] { renderer_.setContextReady(true); });
    view_->setFocus();
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
}

void MainWindow::startUp() {
    clearTrack(&ctx_.currentTrack);
    initEnvironmentNames(ctx_.catalog.environmentNames);
    {
        CurrentContext current(*view_);
        if (current.held() && modelStore_.reserveLists())
            modelStore_.loadFixedModels();
    }
    ctx_.viewAspect = static_cast<double>(view_->width()) / view_->height();
    renderer_.frameStatsReset();
    viewPort_->renderFrame(true);
    view_->setFocus();
    recovery_->offerAtStart(
        [this](const std::string& path, const std::vector<std::uint8_t>& bytes) {
            return commands_->openRecovered(path, bytes);
        });
}

void MainWindow::closeEvent(QCloseEvent* event) {
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
    // A clean close: the recovery copy goes with the track.
    recovery_.reset();
    // The GL context goes with the view; nothing may draw or compile through it afterwards.
    ctx_.viewPort = nullptr;
    ctx_.modelResolver = nullptr;
    renderer_.setContextReady(false);
    delete view_;
    view_ = nullptr;

    // The selection and the list let go of the records before the track releases them.
    prepareTrackReplace(ctx_);
    clearTrack(&ctx_.currentTrack);

    ctx_.panels = nullptr;
    delete blocksPage_;
    blocksPage_ = nullptr;
    delete areaPage_;
    areaPage_ = nullptr;
}
