#include "ui/page_controls.h"

#include <QLabel>
#include <QPushButton>

#include "ui/control_ids.h"

QLabel* makeLabel(QWidget* page, const char* caption, QRect rect, int id) {
    auto* label = new QLabel(QString::fromLatin1(caption), page);
    label->setGeometry(rect);
    if (id != 0)
        label->setObjectName(controlName(id));
    return label;
}

QPushButton* makeButton(QWidget* page, const char* caption, QRect rect, int id) {
    auto* button = new QPushButton(QString::fromLatin1(caption), page);
    button->setGeometry(rect);
    if (id != 0)
        button->setObjectName(controlName(id));
    button->setAutoDefault(false);
    return button;
}
