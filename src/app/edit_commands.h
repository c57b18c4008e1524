#pragma once

#include <QList>
#include <QObject>
#include <cstdint>
#include <functional>
#include <string>

struct EditorContext;
struct BlockClipboard;
struct PasteResult;
class BlocksPage;
class QAction;
class QWidget;

// The editing commands of the main window as actions with their shortcuts: undo and redo (named
// after the step they take back or repeat), copy, paste, duplicate, delete and add block. The
// actions are added to the window, so that their shortcuts work from the view and the block list
// alike, with or without a menu that lists them.
class EditCommands : public QObject {
    Q_OBJECT
  public:
    // `done` follows each command that changed something (a frame of the view); `showStatus`
    // takes a command's message for the status line.
    EditCommands(EditorContext& ctx, BlocksPage& blocks, QWidget& window,
                 std::function<void()> done, std::function<void(const std::string&)> showStatus);
    ~EditCommands() override;

    // The actions in the order an Edit menu lists them; null entries stand for separators.
    QList<QAction*> actions() const;

    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }
    QAction* copyAction() const { return copy_; }
    QAction* pasteAction() const { return paste_; }
    QAction* duplicateAction() const { return duplicate_; }
    QAction* deleteAction() const { return delete_; }
    QAction* addBlockAction() const { return addBlock_; }

    // Where paste, duplicate and Add block take their blocks up to be placed by pointing (the
    // clipboard, a copy of the selection, one block of the kind chosen in the picker), instead
    // of adding them beside where they were.
    using Placer = std::function<void(const BlockClipboard& group, const std::string& what)>;
    void setPlacers(Placer place, std::function<void(std::uint32_t kind)> placeKind) {
        place_ = std::move(place);
        placeKind_ = std::move(placeKind);
    }

    // Names and greys out Undo and Redo after the history, and Paste after the clipboard.
    void refresh();

  private:
    QAction* makeAction(const char* text, QList<QKeySequence> keys);
    void pasted(const PasteResult& result);

    EditorContext& ctx_;
    BlocksPage& blocks_;
    QWidget& window_;
    std::function<void()> done_;
    std::function<void(const std::string&)> showStatus_;
    Placer place_;
    std::function<void(std::uint32_t)> placeKind_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* paste_ = nullptr;
    QAction* duplicate_ = nullptr;
    QAction* delete_ = nullptr;
    QAction* addBlock_ = nullptr;
    int listener_ = 0;
};
