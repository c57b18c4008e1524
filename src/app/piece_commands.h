#pragma once

#include <QObject>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "edit/block_placing.h"
#include "view/view_state.h"

struct EditorContext;
class PiecesPage;
class QAction;
class QOpenGLWidget;
class QWidget;

// Keeping the selection as a piece and taking a piece up to place it. "Save selection as
// piece..." asks for a name, takes the view's picture and writes the piece to the open
// environment's folder; a piece chosen on the Pieces page is read, its blocks of kinds the
// catalogue lacks are left out (the status line counts them), and the rest go to `place`.
class PieceCommands : public QObject {
    Q_OBJECT
  public:
    using Place = std::function<void(BlockClipboard group, std::string what)>;

    // `frame` draws one frame of the view as `viewState` has it.
    PieceCommands(EditorContext& ctx, PiecesPage& page, QOpenGLWidget& view, ViewState& viewState,
                  std::function<void()> frame, QWidget& window,
                  std::function<void(const std::string&)> showStatus, Place place);
    ~PieceCommands() override;

    QAction* saveAction() const { return save_; }

    // Saves the selection under the name asked for; false when nothing was written.
    bool saveSelection();
    // Reads the piece and hands its blocks over for placing; false, with a message and nothing
    // changed, when the file is refused or holds no kind of this environment.
    bool placePiece(const std::filesystem::path& file);

  private:
    // The selection as the view shows it with the camera brought to it, cut to a square about
    // its middle, as a small PNG image. The camera is left as it was.
    std::vector<std::uint8_t> selectionPicture();

    EditorContext& ctx_;
    PiecesPage& page_;
    QOpenGLWidget& view_;
    ViewState& viewState_;
    std::function<void()> frame_;
    std::function<void(const std::string&)> showStatus_;
    Place place_;
    QAction* save_ = nullptr;
    int listener_ = 0;
};
