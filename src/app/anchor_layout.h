#pragma once

#include <QLayout>
#include <QList>
#include <QRect>
#include <QSize>

// Where a control goes when its window grows beyond the size it was laid out for: pinned to the
// top left, moved with the right edge and/or the bottom, or stretched over all the extra room.
enum class Anchor { TopLeft, TopRight, BottomLeft, BottomRight, Stretch };

// The control's rectangle in a window `extra` larger than the base layout.
QRect anchoredRect(const QRect& base, Anchor anchor, QSize extra);

// Places each widget at its base rectangle at the base size (and never smaller), and anchors it
// as told in a larger area. The layout's minimum and preferred size is the base size.
class AnchorLayout : public QLayout {
  public:
    AnchorLayout(QWidget* parent, QSize baseSize);
    ~AnchorLayout() override;

    void addWidget(QWidget* widget, const QRect& base, Anchor anchor);

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QSize sizeHint() const override { return baseSize_; }
    QSize minimumSize() const override { return baseSize_; }
    void setGeometry(const QRect& rect) override;

  private:
    struct Placed {
        QLayoutItem* item;
        QRect base;
        Anchor anchor;
    };
    QSize baseSize_;
    QList<Placed> items_;
};
