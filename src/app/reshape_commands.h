#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <string>

#include "ui/move_dialog.h"

struct EditorContext;
struct ReshapeResult;
class QAction;
class QMenu;
class QWidget;

// The commands on the selection as a whole, as actions with their shortcuts: select all, select
// all of the selected kinds, turn left and right, mirror across x and y, move (a dialog), nudge
// a cell at a time, stack (a dialog) and replace kinds (a dialog). Each goes through the
// document as one step; its message goes to the status line, and one that changed something is
// followed by `done`. The commands that need a selection are greyed out without one.
//
// The nudge keys (the arrow keys along x and y, Page Up and Page Down along z) work while the
// view has the focus: elsewhere, in the block list or a text field, they move the caret as
// usual. Repeated nudges of one key are one undo step.
class ReshapeCommands : public QObject {
    Q_OBJECT
  public:
    ReshapeCommands(EditorContext& ctx, QWidget& window, QWidget& view, std::function<void()> done,
                    std::function<void(const std::string&)> showStatus);
    ~ReshapeCommands() override;

    // Select all and Select all of this kind.
    QList<QAction*> selectActions() const;
    // The reshaping commands in menu order, the nudges as a submenu; null entries stand for
    // separators.
    QList<QAction*> reshapeActions() const;

  private:
    QAction* command(const char* text, const QKeySequence& key, std::function<void()> run);
    void finish(const ReshapeResult& result);
    // Opens the dialog over the window; OK runs `apply` on it and finishes with its result.
    template <typename Dialog>
    void openDialog(Dialog* dialog, std::function<ReshapeResult(Dialog&)> apply);
    void refresh();

    EditorContext& ctx_;
    QWidget& window_;
    std::function<void()> done_;
    std::function<void(const std::string&)> showStatus_;
    QList<QAction*> selectActions_;
    QList<QAction*> reshapeActions_;
    // The actions that act on the selection.
    QList<QAction*> needSelection_;
    QPointer<QMenu> nudgeMenu_;
    MoveRequest lastMove_;
    int listener_ = 0;
};
