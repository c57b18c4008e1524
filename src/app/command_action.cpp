#include "app/command_action.h"

#include <QAction>
#include <QWidget>

QAction* commandAction(QObject* owner, QWidget& holder, const QString& text,
                       const QList<QKeySequence>& keys, Qt::ShortcutContext context) {
    auto* action = new QAction(text, owner);
    action->setShortcuts(keys);
    action->setShortcutContext(context);
    holder.addAction(action);
    return action;
}
