#pragma once

#include <QWidget>
#include <functional>

#include "edit/editor_context.h"

class QLabel;

// The "Area" page: switches area editing on and off, shows the area's cell and block counts
// and the cursor position, and runs the area commands. The counts and the cursor follow the
// area editor's and the document's notifications; after each command that ran the page hands
// over to whoever draws the frame and takes the focus.
class AreaPage : public QWidget {
    Q_OBJECT
  public:
    explicit AreaPage(EditorContext& ctx, QWidget* parent = nullptr);
    ~AreaPage() override;

    // What follows each command of the page that ran.
    void setCommandDone(std::function<void(bool focusView)> done) { commandDone_ = std::move(done); }

    // A control of the page by its id, or none.
    QWidget* control(int id) const;

  private:
    void createControls();
    void editAreaClicked(bool checked);
    void clearAreaClicked();
    void deleteBlocksClicked();
    void fillAreaClicked();
    void done();
    // The cursor cell and level, as signed numbers (-1 off the grid).
    void refreshCursorPosition();
    // The area's cell count and the number of blocks in it.
    void refreshAreaCounts();

    EditorContext& ctx_;
    std::function<void(bool)> commandDone_;
    int areaListener_ = 0;
    int documentListener_ = 0;
    QLabel* cellCount_ = nullptr;
    QLabel* blockCount_ = nullptr;
    QLabel* cursorX_ = nullptr;
    QLabel* cursorY_ = nullptr;
    QLabel* cursorLevel_ = nullptr;
};
