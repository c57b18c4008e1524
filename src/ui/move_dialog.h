#pragma once

#include <QDialog>
#include <array>

class QRadioButton;
class QSpinBox;

// What the Move dialog asks for: an offset in cells, or the cell that the lowest corner of the
// selection's cells goes to.
struct MoveRequest {
    bool toCell = false;
    std::array<int, 3> by{};
    std::array<int, 3> cell{};
};

// "Blockyard - Move Selection": "Move by" an offset or "Move to cell", each with its row of X, Y
// and Z fields; only the chosen row's fields take input. It starts with the request given.
class MoveDialog : public QDialog {
    Q_OBJECT
  public:
    explicit MoveDialog(const MoveRequest& start, QWidget* parent = nullptr);

    MoveRequest request() const;

    QRadioButton* byChoice() const { return by_; }
    QRadioButton* toCellChoice() const { return toCell_; }
    QSpinBox* byField(int axis) const { return byFields_[static_cast<std::size_t>(axis)]; }
    QSpinBox* cellField(int axis) const { return cellFields_[static_cast<std::size_t>(axis)]; }

  private:
    void enableChosenRow();

    QRadioButton* by_;
    QRadioButton* toCell_;
    std::array<QSpinBox*, 3> byFields_{};
    std::array<QSpinBox*, 3> cellFields_{};
};
