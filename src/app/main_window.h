#pragma once

#include <map>
#include <memory>
#include <string>

#include <QMainWindow>
#include <QTimer>

#include "app/app_settings.h"
#include "app/draw_area.h"
#include "app/gl_view_port.h"
#include "app/recovery_keeper.h"
#include "app/track_commands.h"
#include "assets/model_store.h"
#include "edit/editor_context.h"
#include "track/converter_launch.h"
#include "view/frame_renderer.h"
#include "view/placing_mode.h"
#include "view/view_state.h"

class AnchorLayout;
class AreaPage;
class EditCommands;
class ReshapeCommands;
class TrackComparison;
class TrackPanels;
class BlocksPage;
class PieceCommands;
class PiecesPage;
class QLabel;
class QMenu;
class QtPrompts;
class QTabWidget;
class RecentKindsStrip;

inline constexpr int kMainWindowWidth = 628;  // dialog units
inline constexpr int kMainWindowHeight = 378; // dialog units

// The main window: the 3D view, the four track commands, the Blocks and Area pages, the
// frame-rate and status lines and the environment's name, under a menu bar. At its default size
// the controls stand where they were laid out; a larger window gives the extra room to the view.
// It owns the view's state and the renderer; the pages, the title, the status line, the Edit
// commands and the recovery copy follow the document. The context's prompts come from the
// program (or a test). Recent tracks, the dialogs' folder and the window's geometry are kept in
// the user's settings.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(EditorContext& ctx);
    ~MainWindow() override;

    // Makes the window the owner of the prompts' questions and file dialogs, keeps the view's
    // context current across them, and starts the file dialogs in the remembered folder.
    void ownDialogs(QtPrompts& prompts);

    // The start-up that needs the view's GL context: call once the window is shown. It ends by
    // offering the recovery copies of tracks left with unsaved changes.
    void startUp();
    // Open track with a path instead of the dialog (the command line's track).
    bool openTrackAt(const std::string& path);

    // A control by its id, or none.
    QWidget* control(int id) const;
    DrawArea* view() const { return view_; }
    ViewState& viewState() { return viewState_; }
    // The view's frames and picks, for tests that drive them.
    ViewPort& viewPort() { return *viewPort_; }
    FrameRenderer& renderer() { return renderer_; }
    BlocksPage* blocksPage() const { return blocksPage_; }
    AreaPage* areaPage() const { return areaPage_; }
    PiecesPage* piecesPage() const { return piecesPage_; }
    PieceCommands* pieceCommands() const { return pieceCommands_; }
    // The panel under the menu bar that holds the controls, laid out as designed at 942 x 614.
    QWidget* panel() const { return panel_; }
    // The Edit menu, for commands that act on the track's blocks.
    QMenu* editMenu() const { return editMenu_; }
    QMenu* recentTracksMenu() const { return recentMenu_; }

    // Shows a message on the status line for a while; the counts come back after it.
    void showStatusMessage(const QString& text, int milliseconds = 4000);
    // The block, selection and cursor-cell counts on the status line, now.
    void refreshStatus();
    // What follows every command of the buttons, menus and keys that ran: one frame of the view
    // and, when asked, the keyboard focus back to it.
    void commandDone(bool focusView = true);
    EditCommands* editCommands() const { return editCommands_; }

    // Starts placing mode with the group (a kind, the clipboard, the selection, a piece) named
    // `what` on the status line: its ghost follows the pointer in the view and each click puts it
    // down. False, with the reason on the status line, when none of its kinds is in the open
    // environment.
    bool startPlacing(const BlockClipboard& group, const std::string& what);
    // Placing mode with one block of the kind, which goes first in the strip of recent kinds.
    bool startPlacingKind(std::uint32_t catalogIndex);
    PlacingMode& placing() { return *placing_; }
    RecentKindsStrip* recentKinds() const { return recentKinds_; }
    ReshapeCommands* reshapeCommands() const { return reshapeCommands_; }
    TrackCommands* trackCommands() const { return commands_.get(); }
    TrackComparison* comparison() const { return comparison_.get(); }
    TrackPanels* trackPanels() const { return trackPanels_.get(); }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The Tab key never moves the focus between the window's controls.
    bool focusNextPrevChild(bool next) override;

  private:
    void createControls();
    void createPages();
    void createPieces();
    void createView();
    void createMenus();
    void connectButtons();
    void refreshRecentMenu();
    void openRecent(const std::string& path);
    void rememberTrack(const std::string& path);
    void tearDown();
    void heard(const DocumentChange& change);
    void createPlacing();
    // The View menu's ground, top view and levels.
    void addViewAids(QMenu* view);
    // The cursor level changed: the levels shown and the ghost follow it.
    void levelChanged();

    EditorContext& ctx_;
    ViewState viewState_;
    AppSettings settings_;
    PosixConverterLauncher launcher_;
    ModelStore modelStore_;
    FrameRenderer renderer_;
    std::unique_ptr<GlViewPort> viewPort_;
    std::unique_ptr<TrackCommands> commands_;
    std::unique_ptr<RecoveryKeeper> recovery_;
    std::unique_ptr<PlacingMode> placing_;
    RecentKindsStrip* recentKinds_ = nullptr;
    std::unique_ptr<TrackComparison> comparison_;
    std::unique_ptr<TrackPanels> trackPanels_;

    QWidget* panel_ = nullptr;
    AnchorLayout* layout_ = nullptr;
    std::map<int, QWidget*> controls_;
    QTabWidget* tabs_ = nullptr;
    BlocksPage* blocksPage_ = nullptr;
    AreaPage* areaPage_ = nullptr;
    PiecesPage* piecesPage_ = nullptr;
    PieceCommands* pieceCommands_ = nullptr;
    QLabel* frameRate_ = nullptr;
    QLabel* environmentName_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QTimer statusMessageTimer_;
    EditCommands* editCommands_ = nullptr;
    ReshapeCommands* reshapeCommands_ = nullptr;
    int documentListener_ = 0;
    int areaListener_ = 0;
    DrawArea* view_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    bool tornDown_ = false;
};
