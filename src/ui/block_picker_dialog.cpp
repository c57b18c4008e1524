#include "ui/block_picker_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "ui/block_picker.h"
#include "ui/control_ids.h"
#include "ui/dialog_units.h"

namespace {

constexpr int kPictureSize = 64;

QString itemLabel(const PickerState& state, bool groupHasSubgroups, int i) {
    if (state.currentGroup == -1)
        return QStringLiteral("Group %1").arg(i + 1);
    if (state.currentSubgroup == -1)
        return (groupHasSubgroups ? QStringLiteral("Group %1.%2") : QStringLiteral("Block %1.%2"))
            .arg(state.currentGroup + 1)
            .arg(i + 1);
    return QStringLiteral("Block %1.%2.%3")
        .arg(state.currentGroup + 1)
        .arg(state.currentSubgroup + 1)
        .arg(i + 1);
}

} // namespace

BlockPickerDialog::BlockPickerDialog(PickerState& state, const CatalogState& catalog,
                                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      state_(state), catalog_(catalog), list_(new QListWidget(this)),
      back_(new QPushButton(QStringLiteral("Back"), this)),
      name_(new QLabel(QStringLiteral("Block name"), this)) {
    setWindowTitle(QStringLiteral("Blockyard - Select Block"));
    setModal(true);
    setFont(dialogFont());
    setFixedSize(dialogX(233), dialogY(225));

    list_->setObjectName(controlName(control_id::kPickerList));
    list_->setGeometry(dialogRect(7, 7, 219, 188));
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(QSize(kPictureSize, kPictureSize));
    list_->setGridSize(QSize(96, 92));
    list_->setMovement(QListView::Static);
    list_->setResizeMode(QListView::Adjust);
    list_->setWrapping(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);

    back_->setObjectName(controlName(control_id::kPickerBack));
    back_->setGeometry(dialogRect(7, 203, 50, 14));
    // Enter belongs to the list (it activates the item), never to a default button.
    back_->setAutoDefault(false);
    back_->setDefault(false);

    name_->setObjectName(controlName(control_id::kPickerBlockName));
    name_->setGeometry(dialogRect(64, 206, 162, 8));

    connect(list_, &QListWidget::itemActivated, this, &BlockPickerDialog::activateItem);
    connect(list_, &QListWidget::itemSelectionChanged, this, &BlockPickerDialog::showSelectedName);
    connect(back_, &QPushButton::clicked, this, &BlockPickerDialog::goBack);

    fillPickerList();
    list_->setFocus();
}

const PickerGroup& BlockPickerDialog::shownGroup() const {
    if (state_.currentGroup == -1)
        return state_.root;
    const PickerGroup& group = state_.root.subgroups[state_.currentGroup];
    if (state_.currentSubgroup == -1)
        return group;
    return group.subgroups[state_.currentSubgroup];
}

bool BlockPickerDialog::levelShowsBlocks() const {
    if (state_.currentSubgroup != -1)
        return true;
    return state_.currentGroup >= 0 && state_.root.subgroups[state_.currentGroup].hasBlocks();
}

void BlockPickerDialog::fillPickerList() {
    list_->clear();
    const PickerGroup& group = shownGroup();
    for (int i = 0; i < group.count; ++i) {
        const std::int32_t image =
            group.hasSubgroups() ? group.subgroups[i].image : group.blocks[i].image;
        auto* item = new QListWidgetItem(itemLabel(state_, group.hasSubgroups(), i));
        if (image >= 0 && image < static_cast<std::int32_t>(state_.images.size()))
            item->setIcon(QIcon(QPixmap::fromImage(state_.images[image])));
        list_->addItem(item);
    }
}

void BlockPickerDialog::activateItem(QListWidgetItem* item) {
    const int i = list_->row(item);
    const PickerGroup& group = shownGroup();
    if (i < 0 || i >= group.count)
        return;
    if (levelShowsBlocks()) {
        done(group.blocks[i].catalogIndex);
        return;
    }
    if (state_.currentGroup == -1)
        state_.currentGroup = static_cast<std::int8_t>(i);
    else
        state_.currentSubgroup = static_cast<std::int8_t>(i);
    fillPickerList();
}

void BlockPickerDialog::showSelectedName() {
    std::uint32_t n = 0;
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (levelShowsBlocks() && !selected.isEmpty()) {
        const int i = list_->row(selected.front());
        const PickerGroup& group = shownGroup();
        if (i >= 0 && i < group.count && group.blocks[i].catalogIndex > 0)
            n = static_cast<std::uint32_t>(group.blocks[i].catalogIndex);
    }
    const CatalogEntry* entry = n != 0 ? catalogEntry(catalog_, n) : nullptr;
    name_->setText(entry ? QString::fromLatin1(entry->name) : QString());
}

void BlockPickerDialog::goBack() {
    if (state_.currentSubgroup != -1)
        state_.currentSubgroup = -1;
    else if (state_.currentGroup != -1)
        state_.currentGroup = -1;
    else
        return;
    fillPickerList();
}

void BlockPickerDialog::keyPressEvent(QKeyEvent* event) {
    // Only the close box ends the dialog without a choice, and Enter only activates items.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Enter:
    case Qt::Key_Return:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
