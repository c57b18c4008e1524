#include "ui/replace_kinds_dialog.h"

#include <QCompleter>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <algorithm>

#include "edit/editor_context.h"
#include "edit/kind_names.h"
#include "ui/dialog_controls.h"
#include "ui/dialog_units.h"
#include "ui/page_controls.h"

namespace {

// A cell is edited in a line that completes the catalogue's names from any part of them.
class KindNameDelegate : public QStyledItemDelegate {
  public:
    KindNameDelegate(QStringList names, QObject* parent)
        : QStyledItemDelegate(parent), names_(std::move(names)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* edit = new QLineEdit(parent);
        auto* completer = new QCompleter(names_, edit);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setFilterMode(Qt::MatchContains);
        edit->setCompleter(completer);
        return edit;
    }

  private:
    QStringList names_;
};

} // namespace

ReplaceKindsDialog::ReplaceKindsDialog(EditorContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      ctx_(ctx), kinds_(kindIndexesByName(ctx.catalog)), table_(new QTableWidget(0, 2, this)),
      pick_(makeButton(this, "Pick kind...", dialogRect(7, 89, 60, 14))),
      add_(makeButton(this, "Add pair", dialogRect(71, 89, 56, 14))),
      remove_(makeButton(this, "Remove pair", dialogRect(131, 89, 56, 14))),
      problem_(makeLabel(this, "", dialogRect(7, 124, 236, 9))) {
    setWindowTitle(QStringLiteral("Blockyard - Replace Kinds"));
    setFont(dialogFont());
    setFixedSize(dialogX(250), dialogY(158));

    QStringList names;
    for (const auto& [name, index] : kinds_)
        names << QString::fromLatin1(name);
    names.sort(Qt::CaseInsensitive);
    table_->setGeometry(dialogRect(7, 7, 236, 78));
    table_->setHorizontalHeaderLabels({QStringLiteral("Old kind"), QStringLiteral("New kind")});
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setItemDelegate(new KindNameDelegate(names, table_));
    addPair();

    connect(pick_, &QPushButton::clicked, this, &ReplaceKindsDialog::pickKind);
    connect(add_, &QPushButton::clicked, this, &ReplaceKindsDialog::addPair);
    connect(remove_, &QPushButton::clicked, this, [this] {
        if (table_->rowCount() > 1)
            table_->removeRow(std::max(table_->currentRow(), 0));
    });

    makeLabel(this, "Replace in:", dialogRect(7, 110, 44, 9));
    const std::pair<ReplaceScope, const char*> choices[] = {{ReplaceScope::Selection, "Selection"},
                                                            {ReplaceScope::Area, "Current area"},
                                                            {ReplaceScope::Track, "Whole track"}};
    int x = 52;
    for (const auto& [scope, caption] : choices) {
        auto* choice = new QRadioButton(QString::fromLatin1(caption), this);
        const int width = scope == ReplaceScope::Selection ? 52 : 64;
        choice->setGeometry(dialogRect(x, 109, width, 10));
        x += width + 4;
        scopes_[static_cast<std::size_t>(scope)] = choice;
    }
    const bool selected = !ctx_.document.selection().empty();
    scopeChoice(ReplaceScope::Selection)->setEnabled(selected);
    scopeChoice(ReplaceScope::Area)->setEnabled(ctx_.areaEditor.area().count() > 0);
    scopeChoice(selected ? ReplaceScope::Selection : ReplaceScope::Track)->setChecked(true);

    QPalette warning = problem_->palette();
    warning.setColor(QPalette::WindowText, Qt::darkRed);
    problem_->setPalette(warning);
    makeOkCancel(this, 243, 137);
    table_->setFocus();
}

ReplaceScope ReplaceKindsDialog::scope() const {
    for (ReplaceScope scope : {ReplaceScope::Selection, ReplaceScope::Area})
        if (scopeChoice(scope)->isChecked())
            return scope;
    return ReplaceScope::Track;
}

void ReplaceKindsDialog::addPair() {
    const int row = table_->rowCount();
    table_->insertRow(row);
    for (int column = 0; column < 2; ++column)
        table_->setItem(row, column, new QTableWidgetItem);
    table_->setCurrentCell(row, 0);
}

void ReplaceKindsDialog::pickKind() {
    const int kind = ctx_.prompts().pickBlock();
    const CatalogEntry* entry = catalogEntry(ctx_.catalog, static_cast<std::uint32_t>(kind));
    QTableWidgetItem* cell = table_->currentItem();
    if (entry && cell)
        cell->setText(QString::fromLatin1(entry->name));
}

void ReplaceKindsDialog::accept() {
    std::vector<std::pair<std::string, std::string>> names;
    const auto refuse = [this](const QString& text) { problem_->setText(text); };
    for (int row = 0; row < table_->rowCount(); ++row) {
        const QString old = table_->item(row, 0)->text().trimmed();
        const QString now = table_->item(row, 1)->text().trimmed();
        if (old.isEmpty() && now.isEmpty())
            continue;
        if (old.isEmpty() || now.isEmpty())
            return refuse(QStringLiteral("Pair %1 needs both kinds.").arg(row + 1));
        names.emplace_back(old.toLatin1().toStdString(), now.toLatin1().toStdString());
    }
    if (names.empty())
        return refuse(QStringLiteral("Give at least one pair of kinds."));
    std::string problem;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs =
        kindPairsNamed(ctx_.catalog, names, problem);
    if (pairs.empty())
        return refuse(QString::fromLatin1(problem));
    pairs_ = std::move(pairs);
    QDialog::accept();
}
