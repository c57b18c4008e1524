#include "ui/stack_dialog.h"

#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

#include "ui/dialog_controls.h"
#include "ui/dialog_units.h"
#include "ui/page_controls.h"

namespace {

// Copies and offsets as far as a block's coordinates reach.
constexpr int kLargest = 127;

} // namespace

StackDialog::StackDialog(GridCell extent, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      extent_(extent), count_(new QSpinBox(this)) {
    setWindowTitle(QStringLiteral("Blockyard - Stack Selection"));
    setFont(dialogFont());
    setFixedSize(dialogX(186), dialogY(92));

    makeLabel(this, "Copies:", dialogRect(7, 9, 32, 9));
    count_->setGeometry(dialogRect(51, 7, 34, 12));
    count_->setRange(1, kLargest);

    makeLabel(this, "Along:", dialogRect(7, 25, 32, 9));
    static constexpr const char* kAxes[] = {"X", "Y", "Z"};
    for (int axis = 0; axis < 3; ++axis) {
        auto* choice = new QRadioButton(QString::fromLatin1(kAxes[axis]), this);
        choice->setGeometry(dialogRect(51 + 47 * axis, 24, 30, 10));
        connect(choice, &QRadioButton::toggled, this, [this, axis](bool on) {
            if (on)
                proposeOffset(axis);
        });
        axes_[static_cast<std::size_t>(axis)] = choice;
    }

    makeLabel(this, "Offset:", dialogRect(7, 41, 32, 9));
    offset_ = makeCellFields(this, 42, 39, -kLargest, kLargest);

    makeLabel(this, "", dialogRect(7, 57, 172, 9))
        ->setText(QStringLiteral("The selection measures %1 x %2 x %3 cells.")
                      .arg(extent.x)
                      .arg(extent.y)
                      .arg(extent.z));
    makeOkCancel(this, 179, 71);

    axes_[0]->setChecked(true);
    count_->setFocus();
    count_->selectAll();
}

StackRequest StackDialog::request() const {
    StackRequest request;
    request.count = count_->value();
    for (std::size_t axis = 0; axis < 3; ++axis)
        request.offset[axis] = offset_[axis]->value();
    return request;
}

void StackDialog::proposeOffset(int axis) {
    const int size[] = {extent_.x, extent_.y, extent_.z};
    for (int a = 0; a < 3; ++a)
        offset_[static_cast<std::size_t>(a)]->setValue(a == axis ? size[a] : 0);
}
