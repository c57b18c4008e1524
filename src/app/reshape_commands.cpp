#include "app/reshape_commands.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "app/command_action.h"
#include "edit/editor_context.h"
#include "edit/reshape.h"
#include "ui/replace_kinds_dialog.h"
#include "ui/stack_dialog.h"

template <typename Dialog>
void ReshapeCommands::openDialog(Dialog* dialog, std::function<ReshapeResult(Dialog&)> apply) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog, apply = std::move(apply)] { finish(apply(*dialog)); });
    dialog->open();
}

ReshapeCommands::ReshapeCommands(EditorContext& ctx, QWidget& window, QWidget& view,
                                 std::function<void()> done,
                                 std::function<void(const std::string&)> showStatus)
    : QObject(&window), ctx_(ctx), window_(window), done_(std::move(done)),
      showStatus_(std::move(showStatus)) {
    QAction* all = command("Select all", QKeySequence(Qt::CTRL | Qt::Key_A), [this] {
        selectAll(ctx_.document);
        done_();
    });
    QAction* ofKind =
        command("Select all of this kind", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), [this] {
            selectAllOfSelectedKinds(ctx_.document);
            done_();
        });
    selectActions_ = {all, ofKind};

    QAction* turnLeft = command("Turn left", QKeySequence(Qt::CTRL | Qt::Key_L),
                                [this] { finish(turnSelection(ctx_.document, ctx_.catalog, 1)); });
    QAction* turnRight = command("Turn right", QKeySequence(Qt::CTRL | Qt::Key_R), [this] {
        finish(turnSelection(ctx_.document, ctx_.catalog, -1));
    });
    QAction* mirrorX =
        command("Mirror across x", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_X),
                [this] { finish(mirrorSelection(ctx_.document, ctx_.catalog, MirrorAxis::X)); });
    QAction* mirrorY =
        command("Mirror across y", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Y),
                [this] { finish(mirrorSelection(ctx_.document, ctx_.catalog, MirrorAxis::Y)); });

    QAction* move = command("Move selection...", QKeySequence(Qt::CTRL | Qt::Key_M), [this] {
        openDialog<MoveDialog>(new MoveDialog(lastMove_, &window_), [this](MoveDialog& dialog) {
            lastMove_ = dialog.request();
            const auto& c = lastMove_.cell;
            const auto& by = lastMove_.by;
            return lastMove_.toCell
                       ? shiftSelectionTo(ctx_.document, ctx_.catalog,
                                          GridCell{static_cast<std::int8_t>(c[0]),
                                                   static_cast<std::int8_t>(c[1]),
                                                   static_cast<std::int8_t>(c[2])})
                       : shiftSelection(ctx_.document, ctx_.catalog, by[0], by[1], by[2]);
        });
    });

    nudgeMenu_ = new QMenu(QStringLiteral("Nudge"), &window);
    struct Nudge {
        const char* text;
        Qt::Key key;
        int dx, dy, dz;
    };
    const Nudge nudges[] = {{"+x", Qt::Key_Right, 1, 0, 0},  {"-x", Qt::Key_Left, -1, 0, 0},
                            {"+y", Qt::Key_Up, 0, 1, 0},     {"-y", Qt::Key_Down, 0, -1, 0},
                            {"+z", Qt::Key_PageUp, 0, 0, 1}, {"-z", Qt::Key_PageDown, 0, 0, -1}};
    for (const Nudge& n : nudges) {
        const std::string gesture = std::string("nudge ") + n.text;
        QAction* action = commandAction(this, view, QString::fromLatin1(n.text),
                                        {QKeySequence(n.key)}, Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, [this, n, gesture] {
            finish(shiftSelection(ctx_.document, ctx_.catalog, n.dx, n.dy, n.dz, gesture));
        });
        nudgeMenu_->addAction(action);
        needSelection_ << action;
    }

    QAction* stack = command("Stack...", QKeySequence(Qt::CTRL | Qt::Key_K), [this] {
        openDialog<StackDialog>(
            new StackDialog(selectionExtent(ctx_.document, ctx_.catalog), &window_),
            [this](StackDialog& dialog) {
                const StackRequest r = dialog.request();
                return stackSelection(ctx_.document, ctx_.catalog, r.count, r.offset[0],
                                      r.offset[1], r.offset[2]);
            });
    });
    QAction* replace = command("Replace kinds...", QKeySequence(Qt::CTRL | Qt::Key_H), [this] {
        openDialog<ReplaceKindsDialog>(
            new ReplaceKindsDialog(ctx_, &window_), [this](ReplaceKindsDialog& dialog) {
                return replaceKinds(ctx_.document, ctx_.catalog, dialog.pairs(), dialog.scope(),
                                    ctx_.areaEditor.area());
            });
    });

    reshapeActions_ = {
        turnLeft, turnRight, mirrorX, mirrorY, nullptr, move, nudgeMenu_->menuAction(),
        stack,    nullptr,   replace};
    needSelection_ << ofKind << turnLeft << turnRight << mirrorX << mirrorY << move
                   << nudgeMenu_->menuAction() << stack;

    listener_ = ctx_.document.addListener([this](const DocumentChange&) { refresh(); });
    refresh();
}

ReshapeCommands::~ReshapeCommands() {
    ctx_.document.removeListener(listener_);
    delete nudgeMenu_;
}

QList<QAction*> ReshapeCommands::selectActions() const {
    return selectActions_;
}

QList<QAction*> ReshapeCommands::reshapeActions() const {
    return reshapeActions_;
}

QAction* ReshapeCommands::command(const char* text, const QKeySequence& key,
                                  std::function<void()> run) {
    QAction* action = commandAction(this, window_, QString::fromLatin1(text), {key});
    connect(action, &QAction::triggered, this, std::move(run));
    return action;
}

void ReshapeCommands::finish(const ReshapeResult& result) {
    if (!result.message.empty())
        showStatus_(result.message);
    if (result.done)
        done_();
}

void ReshapeCommands::refresh() {
    const bool selected = !ctx_.document.selection().empty();
    for (QAction* action : needSelection_)
        action->setEnabled(selected);
}
