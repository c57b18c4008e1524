// The main window's menu bar, its recent tracks and dropped tracks: the ways to a command besides
// the buttons and keys. Every menu command runs the code of its button or view key.
#include <filesystem>

#include <QAbstractButton>
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

#include "app/edit_commands.h"
#include "app/help_texts.h"
#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "app/piece_commands.h"
#include "app/recent_tracks.h"
#include "app/reshape_commands.h"
#include "app/track_comparison.h"
#include "app/track_panels.h"
#include "seams/prompts.h"
#include "ui/blocks_page.h"
#include "ui/control_ids.h"
#include "view/view_input.h"

namespace {

// The first local .gbx file of a drop, or an empty string.
QString droppedTrack(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() &&
            url.toLocalFile().endsWith(QStringLiteral(".gbx"), Qt::CaseInsensitive))
            return url.toLocalFile();
    return {};
}

std::string missingTrackQuestion(const std::string& path) {
    return "The track " + path + " is not there any more.\n\nRemove it from the recent tracks?";
}

void clickButton(QWidget* button) {
    if (auto* pressable = qobject_cast<QAbstractButton*>(button))
        pressable->click();
}

} // namespace

void MainWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    const auto addButtonCommand = [this](QMenu* menu, const QString& text, QWidget* button,
                                         const QKeySequence& keys = {}) {
        QAction* action = menu->addAction(text, this, [button] { clickButton(button); });
        action->setShortcut(keys);
        return action;
    };
    addButtonCommand(file, QStringLiteral("&Open track..."), control(kOpenTrackButton),
                     QKeySequence(Qt::CTRL | Qt::Key_O));
    addButtonCommand(file, QStringLiteral("&Reload"), control(kReloadButton),
                     QKeySequence(Qt::Key_F5));
    addButtonCommand(file, QStringLiteral("&Save track"), control(kSaveTrackButton),
                     QKeySequence(Qt::CTRL | Qt::Key_S));
    addButtonCommand(file, QStringLiteral("Save &as..."), control(kSaveAsButton),
                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    file->addAction(QStringLiteral("&Compare with..."), this, [this] {
        if (comparison_->compareCommand())
            commandDone(false);
    });
    QAction* endComparison = file->addAction(QStringLiteral("&End comparison"), this, [this] {
        comparison_->end();
        commandDone(false);
    });
    connect(file, &QMenu::aboutToShow, endComparison,
            [this, endComparison] { endComparison->setEnabled(comparison_->active()); });
    file->addSeparator();
    recentMenu_ = file->addMenu(QStringLiteral("Recent &tracks"));
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("&Quit"), this, [this] { close(); });
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    editMenu_ = menuBar()->addMenu(QStringLiteral("&Edit"));
    const auto addActions = [this](const QList<QAction*>& actions) {
        for (QAction* action : actions) {
            if (action)
                editMenu_->addAction(action);
            else
                editMenu_->addSeparator();
        }
    };
    addActions(editCommands_->actions());
    editMenu_->addSeparator();
    using namespace control_id;
    addActions(reshapeCommands_->selectActions());
    addButtonCommand(editMenu_, QStringLiteral("&Invert selection"),
                     blocksPage_->control(kInvertSelection));
    addButtonCommand(editMenu_, QStringLiteral("&Hide"), blocksPage_->control(kHide));
    addButtonCommand(editMenu_, QStringLiteral("&Unhide all"), blocksPage_->control(kUnhideAll));
    editMenu_->addSeparator();
    addActions(reshapeCommands_->reshapeActions());
    editMenu_->addSeparator();
    editMenu_->addAction(pieceCommands_->saveAction());

    // The view's own keys, pressed from the menu. The key is only named after a tab: as a
    // shortcut it would take the key from the view, whose camera keys need its presses.
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    struct Toggle {
        const char* text;
        bool ViewSwitches::*flag;
        int key;
        bool onRelease;
    };
    const Toggle toggles[] = {
        {"&Grid\tG", &ViewSwitches::showGrid, kKeyG, true},
        {"&Wireframe\tZ", &ViewSwitches::solidFill, kKeyZ, false},
        {"&Stadium surroundings\tX", &ViewSwitches::showStadium, kKeyX, false},
    };
    for (const Toggle& t : toggles) {
        QAction* action = view->addAction(QString::fromLatin1(t.text), this, [this, t] {
            if (t.onRelease)
                onKeyUp(viewState_, t.key);
            else
                onKeyDown(viewState_, t.key);
            commandDone(false);
        });
        action->setCheckable(true);
        // Wireframe is on while solid fill is off.
        const bool inverted = t.flag == &ViewSwitches::solidFill;
        connect(view, &QMenu::aboutToShow, action, [this, action, t, inverted] {
            action->setChecked((viewState_.switches.*t.flag) != inverted);
        });
    }
    addViewAids(view);
    view->addSeparator();
    for (QAction* action : trackPanels_->viewActions())
        view->addAction(action);
    view->addSeparator();
    view->addAction(QStringLiteral("&Reset camera"), this, [this] {
        resetCamera(viewState_);
        commandDone(false);
    });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Keys and mouse"), this, [this] {
        ctx_.prompts().message(kKeysAndMouseText, kKeysCaption, MessageIcon::Information);
    });
    help->addAction(QStringLiteral("&About Blockyard"), this, [this] {
        ctx_.prompts().message(kAboutText, kAboutCaption, MessageIcon::Information);
    });
}

void MainWindow::refreshRecentMenu() {
    recentMenu_->clear();
    const std::vector<std::string> tracks = settings_.recentTracks();
    if (tracks.empty()) {
        recentMenu_->addAction(QStringLiteral("No recent tracks"))->setEnabled(false);
        return;
    }
    int number = 0;
    for (const std::string& track : tracks) {
        const QString text =
            QStringLiteral("&%1 %2").arg(++number % 10).arg(QString::fromStdString(track));
        recentMenu_->addAction(text, this, [this, track] { openRecent(track); });
    }
}

void MainWindow::openRecent(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        if (ctx_.prompts().askYesNo(missingTrackQuestion(path), kProgramCaption)) {
            settings_.setRecentTracks(withoutRecentTrack(settings_.recentTracks(), path));
            refreshRecentMenu();
        }
        return;
    }
    if (commands_->confirmUnsavedChanges() && commands_->openPathCommand(path))
        commandDone(false);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedTrack(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString track = droppedTrack(event->mimeData());
    if (track.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop is over: the open may show a message box, whose event loop must
    // not run inside the drag and drop exchange.
    QTimer::singleShot(0, this, [this, path = track.toStdString()] {
        if (commands_->confirmUnsavedChanges() && commands_->openPathCommand(path))
            commandDone(false);
    });
}
