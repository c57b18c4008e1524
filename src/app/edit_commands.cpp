#include "app/edit_commands.h"

#include <QAction>
#include <QWidget>

#include "app/command_action.h"
#include "edit/block_placing.h"
#include "edit/editor_context.h"
#include "ui/blocks_page.h"

namespace {

QString stepText(const char* command, const std::string& step) {
    QString text = QString::fromLatin1(command);
    if (!step.empty())
        text += QLatin1Char(' ') + QString::fromStdString(step);
    return text;
}

} // namespace

EditCommands::EditCommands(EditorContext& ctx, BlocksPage& blocks, QWidget& window,
                           std::function<void()> done,
                           std::function<void(const std::string&)> showStatus)
    : QObject(&window), ctx_(ctx), blocks_(blocks), window_(window), done_(std::move(done)),
      showStatus_(std::move(showStatus)) {
    undo_ = makeAction("Undo", {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    redo_ = makeAction("Redo", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                QKeySequence(Qt::CTRL | Qt::Key_Y)});
    copy_ = makeAction("Copy", {QKeySequence(Qt::CTRL | Qt::Key_C)});
    paste_ = makeAction("Paste", {QKeySequence(Qt::CTRL | Qt::Key_V)});
    duplicate_ = makeAction("Duplicate", {QKeySequence(Qt::CTRL | Qt::Key_D)});
    delete_ = makeAction("Delete", {QKeySequence(Qt::Key_Delete)});
    addBlock_ = makeAction("Add block...", {QKeySequence(Qt::Key_Insert)});

    connect(undo_, &QAction::triggered, this, [this] {
        if (ctx_.document.undo() && done_)
            done_();
    });
    connect(redo_, &QAction::triggered, this, [this] {
        if (ctx_.document.redo() && done_)
            done_();
    });
    connect(copy_, &QAction::triggered, this, [this] {
        if (ctx_.document.selection().empty())
            return;
        ctx_.clipboard = copySelection(ctx_.document, ctx_.catalog);
        refresh();
    });
    connect(paste_, &QAction::triggered, this, [this] {
        if (place_)
            place_(ctx_.clipboard, "the clipboard");
        else
            pasted(pasteClipboard(ctx_.document, ctx_.catalog, ctx_.clipboard));
    });
    connect(duplicate_, &QAction::triggered, this, [this] {
        if (!place_)
            pasted(duplicateSelection(ctx_.document, ctx_.catalog));
        else if (!ctx_.document.selection().empty())
            place_(copySelection(ctx_.document, ctx_.catalog), "a copy of the selection");
    });
    // The key asks only when there is something to delete; the page's button always asks.
    connect(delete_, &QAction::triggered, this, [this] {
        if (!ctx_.document.selection().empty())
            blocks_.askDeleteSelection();
    });
    connect(addBlock_, &QAction::triggered, this, [this] {
        if (!placeKind_) {
            blocks_.addBlockCommand();
            return;
        }
        // The picker is owned by the main window; 0 means it was closed without a choice.
        const int kind = ctx_.prompts().pickBlock();
        if (kind > 0)
            placeKind_(static_cast<std::uint32_t>(kind));
    });

    listener_ = ctx_.document.addListener([this](const DocumentChange& change) {
        if (change.cause != DocumentChange::Cause::Selection)
            refresh();
    });
    refresh();
}

EditCommands::~EditCommands() {
    ctx_.document.removeListener(listener_);
}

QAction* EditCommands::makeAction(const char* text, QList<QKeySequence> keys) {
    return commandAction(this, window_, QString::fromLatin1(text), keys);
}

QList<QAction*> EditCommands::actions() const {
    return {undo_, redo_, nullptr, copy_, paste_, duplicate_, delete_, nullptr, addBlock_};
}

void EditCommands::refresh() {
    const EditHistory& history = ctx_.document.history();
    undo_->setText(stepText("Undo", history.undoName()));
    undo_->setEnabled(history.canUndo());
    redo_->setText(stepText("Redo", history.redoName()));
    redo_->setEnabled(history.canRedo());
    paste_->setEnabled(!ctx_.clipboard.entries.empty());
}

void EditCommands::pasted(const PasteResult& result) {
    if (!result.message.empty() && showStatus_)
        showStatus_(result.message);
    if (result.added > 0 && done_)
        done_();
}
