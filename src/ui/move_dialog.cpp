#include "ui/move_dialog.h"

#include <QRadioButton>
#include <QSpinBox>

#include "ui/dialog_controls.h"
#include "ui/dialog_units.h"

namespace {

// Offsets and cells as far as a block's coordinates reach.
constexpr int kLargestCoordinate = 127;

} // namespace

MoveDialog::MoveDialog(const MoveRequest& start, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      by_(new QRadioButton(QStringLiteral("Move by"), this)),
      toCell_(new QRadioButton(QStringLiteral("Move to cell"), this)) {
    setWindowTitle(QStringLiteral("Blockyard - Move Selection"));
    setFont(dialogFont());
    setFixedSize(dialogX(216), dialogY(64));

    by_->setGeometry(dialogRect(7, 8, 58, 10));
    byFields_ = makeCellFields(this, 72, 7, -kLargestCoordinate, kLargestCoordinate);
    toCell_->setGeometry(dialogRect(7, 24, 58, 10));
    cellFields_ = makeCellFields(this, 72, 23, 0, kLargestCoordinate);
    makeOkCancel(this, 209, 43);

    for (std::size_t axis = 0; axis < 3; ++axis) {
        byFields_[axis]->setValue(start.by[axis]);
        cellFields_[axis]->setValue(start.cell[axis]);
    }
    (start.toCell ? toCell_ : by_)->setChecked(true);
    enableChosenRow();
    connect(by_, &QRadioButton::toggled, this, &MoveDialog::enableChosenRow);
    // Typing goes to the chosen row's first field at once.
    (start.toCell ? cellFields_ : byFields_)[0]->setFocus();
}

MoveRequest MoveDialog::request() const {
    MoveRequest request;
    request.toCell = toCell_->isChecked();
    for (std::size_t axis = 0; axis < 3; ++axis) {
        request.by[axis] = byFields_[axis]->value();
        request.cell[axis] = cellFields_[axis]->value();
    }
    return request;
}

void MoveDialog::enableChosenRow() {
    for (std::size_t axis = 0; axis < 3; ++axis) {
        byFields_[axis]->setEnabled(by_->isChecked());
        cellFields_[axis]->setEnabled(toCell_->isChecked());
    }
}
