#include "ui/block_picker_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "ui/block_picker.h"
#include "ui/control_ids.h"
#include "ui/dialog_units.h"

namespace {

constexpr int kPictureSize = 64;
// An item is a family (its index) or a kind (its catalogue index).
constexpr int kFamilyRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;

QIcon pictureIcon(const PickerState& state, std::uint32_t kind) {
    if (kind == 0 || kind > state.pictures.size() || state.pictures[kind - 1].isNull())
        return {};
    return QIcon(QPixmap::fromImage(state.pictures[kind - 1]));
}

// A kind's label without the environment's name in front, which every kind of it shares.
QString kindLabel(const std::string& name, const std::string& environment) {
    const bool prefixed = name.size() > environment.size() && name.starts_with(environment);
    return QString::fromLatin1(prefixed ? name.substr(environment.size()) : name);
}

} // namespace

BlockPickerDialog::BlockPickerDialog(PickerState& state, const CatalogState& catalog,
                                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      state_(state), catalog_(catalog), search_(new QLineEdit(this)), list_(new QListWidget(this)),
      back_(new QPushButton(QStringLiteral("Back"), this)),
      name_(new QLabel(QStringLiteral("Block name"), this)) {
    setWindowTitle(QStringLiteral("Blockyard - Select Block"));
    setModal(true);
    setFont(dialogFont());
    setFixedSize(dialogX(233), dialogY(225));

    search_->setGeometry(dialogRect(7, 7, 219, 13));
    search_->setPlaceholderText(QStringLiteral("Search"));
    search_->setClearButtonEnabled(true);

    list_->setObjectName(controlName(control_id::kPickerList));
    list_->setGeometry(dialogRect(7, 24, 219, 171));
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(QSize(kPictureSize, kPictureSize));
    list_->setGridSize(QSize(96, 92));
    list_->setWordWrap(true);
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

    connect(search_, &QLineEdit::textChanged, this, &BlockPickerDialog::fillPickerList);
    connect(list_, &QListWidget::itemActivated, this, &BlockPickerDialog::activateItem);
    connect(list_, &QListWidget::itemSelectionChanged, this, &BlockPickerDialog::showSelectedName);
    connect(back_, &QPushButton::clicked, this, &BlockPickerDialog::goBack);

    fillPickerList();
    // Typing searches at once.
    search_->setFocus();
}

const BlockCatalog& BlockPickerDialog::catalog() const {
    static const BlockCatalog none;
    const int environment = state_.environment;
    if (environment < 0 || environment >= kEnvironmentCount)
        return none;
    return catalog_.catalogs[static_cast<std::size_t>(environment)];
}

void BlockPickerDialog::addKind(std::uint32_t kind) {
    const auto& entries = catalog().entries;
    if (kind == 0 || kind > entries.size())
        return;
    const std::string& name = entries[kind - 1].name;
    const std::string& environment =
        catalog_.environmentNames[static_cast<std::size_t>(state_.environment)];
    auto* item = new QListWidgetItem(pictureIcon(state_, kind), kindLabel(name, environment));
    item->setData(kKindRole, kind);
    item->setToolTip(QString::fromLatin1(name));
    list_->addItem(item);
}

void BlockPickerDialog::fillPickerList() {
    list_->clear();
    name_->clear();
    const std::string text = search_->text().trimmed().toStdString();
    if (!text.empty()) {
        for (std::uint32_t kind : kindsMatching(catalog(), text))
            addKind(kind);
        return;
    }
    const int family = state_.currentFamily;
    if (family >= 0 && family < static_cast<int>(state_.families.size())) {
        for (std::uint32_t kind : state_.families[static_cast<std::size_t>(family)].kinds)
            addKind(kind);
        return;
    }
    state_.currentFamily = -1;
    for (std::size_t i = 0; i < state_.families.size(); ++i) {
        const BlockFamily& f = state_.families[i];
        auto* item = new QListWidgetItem(pictureIcon(state_, f.kinds.front()),
                                         QString::fromStdString(f.name));
        item->setData(kFamilyRole, static_cast<int>(i));
        list_->addItem(item);
    }
}

void BlockPickerDialog::activateItem(QListWidgetItem* item) {
    if (!item)
        return;
    if (const int kind = item->data(kKindRole).toInt(); kind > 0) {
        done(kind);
        return;
    }
    const QVariant family = item->data(kFamilyRole);
    if (!family.isValid())
        return;
    state_.currentFamily = family.toInt();
    fillPickerList();
}

void BlockPickerDialog::showSelectedName() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    const int kind = selected.isEmpty() ? 0 : selected.front()->data(kKindRole).toInt();
    const auto& entries = catalog().entries;
    name_->setText(kind > 0 && static_cast<std::size_t>(kind) <= entries.size()
                       ? QString::fromLatin1(entries[static_cast<std::size_t>(kind - 1)].name)
                       : QString());
}

void BlockPickerDialog::goBack() {
    if (!search_->text().isEmpty())
        search_->clear();
    else if (state_.currentFamily != -1) {
        state_.currentFamily = -1;
        fillPickerList();
    }
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
