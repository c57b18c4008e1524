#pragma once

#include <QWidget>

class QToolButton;

// A vertical pair of arrow buttons holding a position within a range. It has no text of its
// own: whoever owns it shows the value elsewhere. The position does not wrap: an arrow at the
// end of the range does nothing. The owner may set any position, also one outside the range;
// each arrow click still moves by exactly one.
class ArrowSpinner : public QWidget {
    Q_OBJECT
  public:
    explicit ArrowSpinner(QWidget* parent = nullptr);

    void setRange(int bottom, int top);
    int bottom() const { return bottom_; }
    int top() const { return top_; }

    // Sets the position without reporting it.
    void setPosition(int position) { position_ = position; }
    int position() const { return position_; }

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

  signals:
    // An arrow moved the position; previous is where it stood before.
    void positionChanged(int position, int previous);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void step(int delta);

    QToolButton* up_;
    QToolButton* down_;
    int bottom_ = 0;
    int top_ = 100;
    int position_ = 0;
};
