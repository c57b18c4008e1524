#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "edit/editor_context.h"

class ArrowSpinner;
class BlockListWidget;
class QItemSelection;
class QLabel;
class QLineEdit;
class QPushButton;

// The "Blocks" page: the list of every block of the track (its line marks mirror the
// selection), the "Current block" panel with a spinner per field, and the selection-wide
// commands. After each command that ran it draws a frame and hands the focus to the view.
class BlocksPage : public QWidget {
    Q_OBJECT
  public:
    explicit BlocksPage(EditorContext& ctx, QWidget* parent = nullptr);

    // What gives the keyboard focus back to the 3D view after a command.
    void setFocusView(std::function<void()> focusView) { focusView_ = std::move(focusView); }

    // Empties the block list and lists the current track again; no line is marked.
    void fillBlockList();
    // Line marks asked for in a burst (a whole track's worth after an inversion) are gathered
    // and applied together: at the next panel refresh, the end of a command, the list's next
    // input event, or the next turn of the event loop, whichever comes first.
    void markBlockLine(int index, bool marked);
    void unmarkAllBlockLines();
    // Applies the gathered line marks now.
    void flushLineMarks();
    // Shows one block's fields, or blanks the panel and puts the position spinners at 1 and the
    // variant spinners at 0.
    void refreshProperties(const BlockRecord* record);

    // A control of the page by its id, or none.
    QWidget* control(int id) const;

    // Asks "Are you sure you want to delete selected blocks?" and deletes them on Yes.
    void askDeleteSelection();
    // Opens the block picker and places the chosen kind.
    void addBlockCommand();

  private:
    // The eight fields of the panel, in the order of their controls.
    enum Field { Rotation, X, Y, Z, Var1, Var2, Var3, Var4, FieldCount };
    struct FieldControls {
        QLineEdit* edit = nullptr;
        ArrowSpinner* spinner = nullptr;
    };

    void createControls();
    void createField(Field field, const char* caption, int x, int y);
    void listMarksChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void spinnerChanged(Field field, int position, int previous);
    // The frame and the focus that follow every command that ran.
    void afterCommand();

    EditorContext& ctx_;
    std::function<void()> focusView_;
    BlockListWidget* list_ = nullptr;
    QLabel* name_ = nullptr;
    std::array<FieldControls, FieldCount> fields_{};
    // Set while the page itself changes line marks, which are not the user's clicks.
    bool markingLines_ = false;
    std::vector<std::pair<int, bool>> pendingMarks_;
    bool flushQueued_ = false;
    bool holdMarks_ = false;
    bool steppingField_ = false;
};
