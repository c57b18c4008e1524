#pragma once

#include <map>
#include <memory>
#include <string>

#include <QWidget>

#include "app/draw_area.h"
#include "app/gl_model_resolver.h"
#include "app/gl_view_port.h"
#include "app/recovery_keeper.h"
#include "app/track_commands.h"
#include "assets/model_store.h"
#include "track/converter_launch.h"
#include "ui/page_panels.h"
#include "view/frame_renderer.h"

class AreaPage;
class BlocksPage;
class QLabel;
class QtPrompts;
class QTabWidget;

inline constexpr int kMainWindowWidth = 628;  // dialog units
inline constexpr int kMainWindowHeight = 378; // dialog units

// The main window: the 3D view, the four track commands, the Blocks and Area pages, the
// frame-rate line and the environment's name. It sets the context's panels, view port and
// model resolver seams; the context's prompts come from the program (or a test).
class MainWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MainWindow(EditorContext& ctx);
    ~MainWindow() override;

    // Makes the window the owner of the prompts' questions and file dialogs, and keeps the view's
    // context current across them.
    void ownDialogs(QtPrompts& prompts);

    // The start-up that needs the view's GL context: call once the window is shown. It ends by
    // offering the recovery copies of tracks left with unsaved changes.
    void startUp();

    // A control by its id, or none.
    QWidget* control(int id) const;
    DrawArea* view() const { return view_; }
    BlocksPage* blocksPage() const { return blocksPage_; }
    AreaPage* areaPage() const { return areaPage_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    // The Tab key never moves the focus between the window's controls.
    bool focusNextPrevChild(bool next) override;

  private:
    void createControls();
    void createPages();
    void createView();
    void tearDown();

    EditorContext& ctx_;
    PosixConverterLauncher launcher_;
    ModelStore modelStore_;
    FrameRenderer renderer_;
    std::unique_ptr<GlViewPort> viewPort_;
    std::unique_ptr<GlModelResolver> modelResolver_;
    std::unique_ptr<PagePanels> panels_;
    std::unique_ptr<TrackCommands> commands_;
    std::unique_ptr<RecoveryKeeper> recovery_;

    std::map<int, QWidget*> controls_;
    QTabWidget* tabs_ = nullptr;
    BlocksPage* blocksPage_ = nullptr;
    AreaPage* areaPage_ = nullptr;
    QLabel* frameRate_ = nullptr;
    QLabel* environmentName_ = nullptr;
    DrawArea* view_ = nullptr;
    bool tornDown_ = false;
};
