#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <vector>

// Layout faults among a window's direct children: controls outside the window, controls that
// overlap one another (a group box may only frame whole controls), captions wider than their
// control. Each fault is one line of text.
inline std::vector<std::string> layoutFaults(const QWidget& window) {
    std::vector<std::string> faults;
    std::vector<const QWidget*> controls;
    for (const QObject* child : window.children())
        if (auto* w = qobject_cast<const QWidget*>(child); w && !w->isWindow())
            controls.push_back(w);
    auto name = [](const QWidget* w) {
        QString text;
        if (auto* label = qobject_cast<const QLabel*>(w))
            text = label->text();
        else if (auto* button = qobject_cast<const QAbstractButton*>(w))
            text = button->text();
        else if (auto* group = qobject_cast<const QGroupBox*>(w))
            text = group->title();
        return (w->metaObject()->className() + QStringLiteral(" ") + w->objectName() +
                QStringLiteral(" \"") + text + QStringLiteral("\""))
            .toStdString();
    };
    for (const QWidget* w : controls) {
        if (!window.rect().contains(w->geometry()))
            faults.push_back(name(w) + " lies outside the window");
        int captionWidth = -1;
        int room = w->width();
        if (auto* label = qobject_cast<const QLabel*>(w)) {
            captionWidth = label->fontMetrics().horizontalAdvance(label->text());
        } else if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
            captionWidth = button->fontMetrics().horizontalAdvance(button->text());
            room -= 8; // the button's frame
        }
        if (captionWidth > room)
            faults.push_back(name(w) + " is clipped");
        if (w->fontMetrics().height() > w->height() && captionWidth > 0)
            faults.push_back(name(w) + " is too low for its text");
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const QRect a = controls[i]->geometry();
            const QRect b = controls[j]->geometry();
            if (!a.intersects(b))
                continue;
            const bool framed = (qobject_cast<const QGroupBox*>(controls[i]) && a.contains(b)) ||
                                (qobject_cast<const QGroupBox*>(controls[j]) && b.contains(a));
            if (!framed)
                faults.push_back(name(controls[i]) + " overlaps " + name(controls[j]));
        }
    }
    return faults;
}
