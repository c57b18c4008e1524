#include "ui/arrow_spinner.h"

#include <QToolButton>

namespace {

QToolButton* makeArrow(QWidget* parent, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // Like an up-down control, the arrows never take the keyboard focus.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

ArrowSpinner::ArrowSpinner(QWidget* parent)
    : QWidget(parent), up_(makeArrow(this, Qt::UpArrow)), down_(makeArrow(this, Qt::DownArrow)) {
    connect(up_, &QToolButton::clicked, this, [this] { step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void ArrowSpinner::setRange(int bottom, int top) {
    bottom_ = bottom;
    top_ = top;
}

void ArrowSpinner::step(int delta) {
    if ((delta > 0 && position_ >= top_) || (delta < 0 && position_ <= bottom_))
        return;
    const int previous = position_;
    position_ += delta;
    emit positionChanged(position_, previous);
}

void ArrowSpinner::resizeEvent(QResizeEvent*) {
    const int upper = height() / 2;
    up_->setGeometry(0, 0, width(), upper);
    down_->setGeometry(0, upper, width(), height() - upper);
}
