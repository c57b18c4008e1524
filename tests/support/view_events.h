#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

// The pointer moving over a view with no button held. Qt Test would warp the X pointer for this
// and the move would arrive whenever the server sends it; the event goes straight to the view
// instead, and the event loop then turns as after a real move (a move handled in the same turn
// as an earlier frame has its frame drawn only then).
inline void hoverOver(QWidget* view, QPoint at) {
    QMouseEvent event(QEvent::MouseMove, QPointF(at), view->mapToGlobal(QPointF(at)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
    QApplication::processEvents();
}

// One step of the wheel over the middle of the view.
inline void wheelOver(QWidget* view, int delta) {
    const QPointF at(view->width() / 2.0, view->height() / 2.0);
    QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &event);
}
