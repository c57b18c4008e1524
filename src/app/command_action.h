#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

class QAction;
class QObject;
class QWidget;

// A command's action, owned by `owner`, added to `holder` so that its shortcuts work there: in
// all of holder's window (Qt::WindowShortcut) or only while holder has the focus
// (Qt::WidgetShortcut). A menu that lists the action names its first key.
QAction* commandAction(QObject* owner, QWidget& holder, const QString& text,
                       const QList<QKeySequence>& keys,
                       Qt::ShortcutContext context = Qt::WindowShortcut);
