#include "ui/pieces_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "seams/prompts.h"
#include "track/piece_library.h"
#include "ui/dialog_units.h"
#include "ui/page_controls.h"

namespace {

constexpr int kPictureSize = 64;
constexpr int kFileRole = Qt::UserRole;

QIcon pictureIcon(const std::vector<std::uint8_t>& picture) {
    QPixmap pixmap;
    if (picture.empty() ||
        !pixmap.loadFromData(picture.data(), static_cast<uint>(picture.size()), "PNG")) {
        pixmap = QPixmap(kPictureSize, kPictureSize);
        pixmap.fill(Qt::darkGray);
    }
    return QIcon(pixmap);
}

} // namespace

PiecesPage::PiecesPage(EditorContext& ctx, std::optional<std::filesystem::path> dataFolder,
                       QWidget* parent)
    : QWidget(parent), ctx_(ctx), dataFolder_(std::move(dataFolder)) {
    setFont(dialogFont());
    setFixedSize(dialogX(kPageWidth), dialogY(kPageHeight));
    createControls();
    documentListener_ = ctx_.document.addListener([this](const DocumentChange& change) {
        if (change.cause == DocumentChange::Cause::Replaced && environment() != listedEnvironment_)
            refresh();
    });
    refresh();
}

PiecesPage::~PiecesPage() {
    ctx_.document.removeListener(documentListener_);
}

void PiecesPage::createControls() {
    auto* column = new QVBoxLayout(this);
    search_ = new QLineEdit(this);
    search_->setPlaceholderText(QStringLiteral("Search pieces"));
    search_->setClearButtonEnabled(true);
    connect(search_, &QLineEdit::textChanged, this, &PiecesPage::applySearch);
    column->addWidget(search_);

    list_ = new QListWidget(this);
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(QSize(kPictureSize, kPictureSize));
    // Room for a name of two lines under each picture.
    list_->setGridSize(QSize(kPictureSize + 40, kPictureSize + 40));
    list_->setResizeMode(QListView::Adjust);
    list_->setMovement(QListView::Static);
    list_->setWordWrap(true);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QListWidget::itemClicked, this, &PiecesPage::chooseItem);
    connect(list_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* current) {
        for (QPushButton* button : {place_, rename_, delete_})
            button->setEnabled(current != nullptr);
    });
    connect(list_, &QListWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QListWidgetItem* item = list_->itemAt(at);
        if (!item)
            return;
        list_->setCurrentItem(item);
        QMenu menu(this);
        menu.addAction(QStringLiteral("Place"), this, [this, item] { chooseItem(item); });
        menu.addAction(QStringLiteral("Rename..."), this, &PiecesPage::renameCurrent);
        menu.addAction(QStringLiteral("Delete"), this, &PiecesPage::deleteCurrent);
        menu.exec(list_->viewport()->mapToGlobal(at));
    });
    column->addWidget(list_, 1);

    note_ = new QLabel(this);
    note_->setWordWrap(true);
    column->addWidget(note_);

    auto* buttons = new QHBoxLayout;
    place_ = new QPushButton(QStringLiteral("Place"), this);
    rename_ = new QPushButton(QStringLiteral("Rename..."), this);
    delete_ = new QPushButton(QStringLiteral("Delete"), this);
    for (QPushButton* button : {place_, rename_, delete_}) {
        button->setAutoDefault(false);
        button->setEnabled(false);
        buttons->addWidget(button);
    }
    connect(place_, &QPushButton::clicked, this, [this] { chooseItem(list_->currentItem()); });
    connect(rename_, &QPushButton::clicked, this, &PiecesPage::renameCurrent);
    connect(delete_, &QPushButton::clicked, this, &PiecesPage::deleteCurrent);
    column->addLayout(buttons);
}

std::string PiecesPage::environment() const {
    return ctx_.catalog.environmentNames[ctx_.catalog.currentEnvironment];
}

std::optional<std::filesystem::path> PiecesPage::folder() const {
    if (!dataFolder_ || environment().empty())
        return std::nullopt;
    return piecesFolder(*dataFolder_, environment());
}

void PiecesPage::refresh(const std::filesystem::path& current) {
    QString keep = QString::fromStdString(current.string());
    if (keep.isEmpty() && list_->currentItem())
        keep = list_->currentItem()->data(kFileRole).toString();
    listedEnvironment_ = environment();
    list_->clear();
    const std::optional<std::filesystem::path> where = folder();
    if (where)
        for (const PieceEntry& entry : listPieces(*where, listedEnvironment_)) {
            auto* item = new QListWidgetItem(pictureIcon(entry.piece.picture),
                                             QString::fromStdString(entry.piece.name), list_);
            item->setData(kFileRole, QString::fromStdString(entry.file.string()));
            item->setToolTip(
                QStringLiteral("%1 (%2 blocks)").arg(item->text()).arg(entry.piece.blocks.size()));
            if (item->data(kFileRole).toString() == keep)
                list_->setCurrentItem(item);
        }
    if (!where)
        note_->setText(QStringLiteral("Open a track to see the pieces of its environment."));
    else if (list_->count() == 0)
        note_->setText(QStringLiteral("No pieces of %1 yet: select blocks and choose Edit > Save "
                                      "selection as piece...")
                           .arg(QString::fromStdString(listedEnvironment_)));
    else
        note_->setText(QStringLiteral("%1 of %2. Click one to place it.")
                           .arg(list_->count() == 1
                                    ? QStringLiteral("1 piece")
                                    : QStringLiteral("%1 pieces").arg(list_->count()))
                           .arg(QString::fromStdString(listedEnvironment_)));
    applySearch();
}

void PiecesPage::applySearch() {
    const QString text = search_->text().trimmed();
    for (int i = 0; i < list_->count(); ++i) {
        QListWidgetItem* item = list_->item(i);
        item->setHidden(!item->text().contains(text, Qt::CaseInsensitive));
    }
}

void PiecesPage::chooseItem(QListWidgetItem* item) {
    if (item && choose_)
        choose_(item->data(kFileRole).toString().toStdString());
}

void PiecesPage::renameCurrent() {
    QListWidgetItem* item = list_->currentItem();
    if (!item)
        return;
    const std::optional<std::string> name = ctx_.prompts().askText(
        "New name of the piece:", kProgramCaption, item->text().toStdString());
    if (!name || *name == item->text().toStdString())
        return;
    std::string problem;
    const std::optional<std::filesystem::path> renamed = renamePieceFile(
        item->data(kFileRole).toString().toStdString(), environment(), *name, problem);
    if (!renamed)
        ctx_.prompts().message(problem, kProgramCaption, MessageIcon::Error);
    refresh(renamed.value_or(std::filesystem::path()));
}

void PiecesPage::deleteCurrent() {
    QListWidgetItem* item = list_->currentItem();
    if (!item || !ctx_.prompts().askYesNo(
                     "Delete the piece \"" + item->text().toStdString() + "\"?", kProgramCaption))
        return;
    std::string problem;
    if (!deletePieceFile(item->data(kFileRole).toString().toStdString(), problem))
        ctx_.prompts().message(problem, kProgramCaption, MessageIcon::Error);
    refresh();
}
