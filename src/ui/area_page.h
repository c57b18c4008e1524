#pragma once

#include <QWidget>
#include <functional>

#include "edit/editor_context.h"

class QLabel;

// The "Area" page: switches area editing on and off, shows the area's cell and block counts
// and the cursor position, and runs the area commands. After each command that ran it draws a
// frame and hands the focus to the view.
class AreaPage : public QWidget {
    Q_OBJECT
  public:
    explicit AreaPage(EditorContext& ctx, QWidget* parent = nullptr);

    // What gives the keyboard focus back to the 3D view after a command.
    void setFocusView(std::function<void()> focusView) { focusView_ = std::move(focusView); }

    // The cursor cell and level, as signed numbers (-1 off the grid).
    void refreshCursorPosition();
    // The area's cell count and the number of blocks in it.
    void refreshAreaCounts();

    // A control of the page by its id, or none.
    QWidget* control(int id) const;

  private:
    void createControls();
    void editAreaClicked(bool checked);
    void clearAreaClicked();
    void deleteBlocksClicked();
    void fillAreaClicked();
    void afterCommand();

    EditorContext& ctx_;
    std::function<void()> focusView_;
    QLabel* cellCount_ = nullptr;
    QLabel* blockCount_ = nullptr;
    QLabel* cursorX_ = nullptr;
    QLabel* cursorY_ = nullptr;
    QLabel* cursorLevel_ = nullptr;
};
