#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "edit/editor_context.h"
#include "view/view_state.h"

class ArrowSpinner;
class BlockListWidget;
class QItemSelection;
class QLabel;
class QLineEdit;
class QPushButton;

// The "Blocks" page: the list of every block of the track (its line marks mirror the
// selection) under a filter field that shows only the lines whose kind names hold its text (any
// case; the lines keep their track numbers), the "Current block" panel with a spinner per field,
// and the selection-wide commands. The list and the panel follow the document's notifications;
// after each command that ran the page hands over to whoever draws the frame and takes the focus.
class BlocksPage : public QWidget {
    Q_OBJECT
  public:
    BlocksPage(EditorContext& ctx, ViewState& view, QWidget* parent = nullptr);
    ~BlocksPage() override;

    // What follows each command of the page that ran: a frame, and the focus handed to the view
    // when asked.
    void setCommandDone(std::function<void(bool focusView)> done) { commandDone_ = std::move(done); }

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
    void heard(const DocumentChange& change);
    // Empties the block list and lists the track again with the selection's lines marked.
    void refill();
    // Writes again the lines of these records, which stand where they stood.
    void rewriteLines(const std::vector<const BlockRecord*>& records);
    // Shows the line if its block's kind name holds the filter's text, else hides it.
    void filterLine(int line, const QString& text);
    void filterAllLines();
    // Marks or unmarks the lines of these records, runs of lines at a time.
    void markLines(const std::vector<const BlockRecord*>& records, bool marked);
    // Shows one block's fields, or blanks the panel and puts the position spinners at 1 and the
    // variant spinners at 0.
    void showProperties(const BlockRecord* record);
    void listMarksChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void spinnerChanged(Field field, int position, int previous);
    void done();

    EditorContext& ctx_;
    ViewState& view_;
    std::function<void(bool)> commandDone_;
    BlockListWidget* list_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QLabel* name_ = nullptr;
    std::array<FieldControls, FieldCount> fields_{};
    int listener_ = 0;
    // Set while the page itself changes line marks, which are not the user's clicks.
    bool markingLines_ = false;
    // Set while a spinner steps the block: the spinner and its field show what the step made.
    bool steppingField_ = false;
};
