#include "ui/dialog_controls.h"

#include <QDialog>
#include <QPushButton>
#include <QSpinBox>

#include "ui/dialog_units.h"
#include "ui/page_controls.h"

std::array<QSpinBox*, 3> makeCellFields(QWidget* dialog, int x, int y, int lowest, int highest) {
    static constexpr const char* kCaptions[] = {"X:", "Y:", "Z:"};
    std::array<QSpinBox*, 3> fields{};
    for (int axis = 0; axis < 3; ++axis) {
        const int left = x + 47 * axis;
        makeLabel(dialog, kCaptions[axis], dialogRect(left, y + 2, 8, 9));
        QSpinBox* field = new QSpinBox(dialog);
        field->setRange(lowest, highest);
        field->setGeometry(dialogRect(left + 9, y, 34, 12));
        fields[static_cast<std::size_t>(axis)] = field;
    }
    return fields;
}

void makeOkCancel(QDialog* dialog, int right, int y) {
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setGeometry(dialogRect(right - 104, y, 50, 14));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setGeometry(dialogRect(right - 50, y, 50, 14));
    cancel->setAutoDefault(false);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}
