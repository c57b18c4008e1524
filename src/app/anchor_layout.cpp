#include "app/anchor_layout.h"

#include <algorithm>

#include <QWidget>
#include <QWidgetItem>

QRect anchoredRect(const QRect& base, Anchor anchor, QSize extra) {
    const int dx = std::max(0, extra.width());
    const int dy = std::max(0, extra.height());
    switch (anchor) {
    case Anchor::TopLeft:
        return base;
    case Anchor::TopRight:
        return base.translated(dx, 0);
    case Anchor::BottomLeft:
        return base.translated(0, dy);
    case Anchor::BottomRight:
        return base.translated(dx, dy);
    case Anchor::Stretch:
        return base.adjusted(0, 0, dx, dy);
    }
    return base;
}

AnchorLayout::AnchorLayout(QWidget* parent, QSize baseSize) : QLayout(parent), baseSize_(baseSize) {
    setContentsMargins(0, 0, 0, 0);
}

AnchorLayout::~AnchorLayout() {
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void AnchorLayout::addWidget(QWidget* widget, const QRect& base, Anchor anchor) {
    addChildWidget(widget);
    items_.append({new QWidgetItem(widget), base, anchor});
    invalidate();
}

void AnchorLayout::addItem(QLayoutItem* item) {
    items_.append({item, item->geometry(), Anchor::TopLeft});
}

QLayoutItem* AnchorLayout::itemAt(int index) const {
    return index >= 0 && index < items_.size() ? items_[index].item : nullptr;
}

QLayoutItem* AnchorLayout::takeAt(int index) {
    if (index < 0 || index >= items_.size())
        return nullptr;
    return items_.takeAt(index).item;
}

void AnchorLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const QSize extra = rect.size() - baseSize_;
    // Straight onto the widget: a layout item would bound the rectangle by the widget's size
    // hint, and the controls keep exactly the sizes they were laid out with.
    for (const Placed& placed : items_) {
        const QRect target =
            anchoredRect(placed.base, placed.anchor, extra).translated(rect.topLeft());
        if (QWidget* widget = placed.item->widget())
            widget->setGeometry(target);
        else
            placed.item->setGeometry(target);
    }
}
