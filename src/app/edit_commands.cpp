#include "app/edit_commands.h"

#include <QAction>
#include <QWidget>

#include "edit/block_placing.h"
#include "edit/edit_step.h"
#include "edit/editor_context.h"
#include "edit/seam_calls.h"
#include "ui/blocks_page.h"

namespace {

QString stepText(const char* command, const std::string& step) {
    QString text = QString::fromLatin1(command);
    if (!step.empty())
        text += QLatin1Char(' ') + QString::fromStdString(step);
    return text;
}

} // namespace

EditCommands::EditCommands(EditorContext& ctx, BlocksPage& blocks, QWidget& window)
    : QObject(&window), ctx_(ctx), blocks_(blocks), window_(window) {
    undo_ = makeAction("Undo", {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    redo_ = makeAction("Redo", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                QKeySequence(Qt::CTRL | Qt::Key_Y)});
    copy_ = makeAction("Copy", {QKeySequence(Qt::CTRL | Qt::Key_C)});
    paste_ = makeAction("Paste", {QKeySequence(Qt::CTRL | Qt::Key_V)});
    duplicate_ = makeAction("Duplicate", {QKeySequence(Qt::CTRL | Qt::Key_D)});
    delete_ = makeAction("Delete", {QKeySequence(Qt::Key_Delete)});
    addBlock_ = makeAction("Add block...", {QKeySequence(Qt::Key_Insert)});

    connect(undo_, &QAction::triggered, this, [this] {
        if (undoStep(ctx_))
            afterCommand();
    });
    connect(redo_, &QAction::triggered, this, [this] {
        if (redoStep(ctx_))
            afterCommand();
    });
    connect(copy_, &QAction::triggered, this, [this] {
        copySelection(ctx_);
        refresh();
    });
    connect(paste_, &QAction::triggered, this, [this] {
        if (pasteClipboard(ctx_) > 0)
            afterCommand();
    });
    connect(duplicate_, &QAction::triggered, this, [this] {
        if (duplicateSelection(ctx_) > 0)
            afterCommand();
    });
    // The key asks only when there is something to delete; the page's button always asks.
    connect(delete_, &QAction::triggered, this, [this] {
        if (!ctx_.selection.members.empty())
            blocks_.askDeleteSelection();
    });
    connect(addBlock_, &QAction::triggered, &blocks_, &BlocksPage::addBlockCommand);

    listener_ = ctx_.history.addListener([this](const TrackChange&) { refresh(); });
    refresh();
}

EditCommands::~EditCommands() {
    ctx_.history.removeListener(listener_);
}

QAction* EditCommands::makeAction(const char* text, QList<QKeySequence> keys) {
    auto* action = new QAction(QString::fromLatin1(text), this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window_.addAction(action);
    return action;
}

QList<QAction*> EditCommands::actions() const {
    return {undo_, redo_, nullptr, copy_, paste_, duplicate_, delete_, nullptr, addBlock_};
}

void EditCommands::refresh() {
    undo_->setText(stepText("Undo", ctx_.history.undoName()));
    undo_->setEnabled(ctx_.history.canUndo());
    redo_->setText(stepText("Redo", ctx_.history.redoName()));
    redo_->setEnabled(ctx_.history.canRedo());
    paste_->setEnabled(!ctx_.clipboard.entries.empty());
}

void EditCommands::afterCommand() {
    blocks_.flushLineMarks();
    displayFrame(ctx_);
}
