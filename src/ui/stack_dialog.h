#pragma once

#include <QDialog>
#include <array>

#include "edit/area.h"

class QRadioButton;
class QSpinBox;

// What the Stack dialog asks for: how many copies, and the offset from one copy to the next.
struct StackRequest {
    int count = 1;
    std::array<int, 3> offset{};
};

// "Blockyard - Stack Selection": the number of copies, the axis to stack along and the offset.
// Choosing an axis proposes the selection's own size along it as the offset, so that the copies
// stand side by side; the offset can be typed as well.
class StackDialog : public QDialog {
    Q_OBJECT
  public:
    // `extent`: the size of the selection's cells along x, y and z.
    explicit StackDialog(GridCell extent, QWidget* parent = nullptr);

    StackRequest request() const;

    QSpinBox* countField() const { return count_; }
    QRadioButton* axisChoice(int axis) const { return axes_[static_cast<std::size_t>(axis)]; }
    QSpinBox* offsetField(int axis) const { return offset_[static_cast<std::size_t>(axis)]; }

  private:
    void proposeOffset(int axis);

    GridCell extent_;
    QSpinBox* count_;
    std::array<QRadioButton*, 3> axes_{};
    std::array<QSpinBox*, 3> offset_{};
};
