#include "ui/facts_panel.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

void addFacts(QTreeWidgetItem* parent, QTreeWidget* tree, const std::vector<Fact>& facts) {
    for (const Fact& fact : facts) {
        const QStringList columns = {QString::fromStdString(fact.label),
                                     QString::fromStdString(fact.value)};
        auto* item =
            parent ? new QTreeWidgetItem(parent, columns) : new QTreeWidgetItem(tree, columns);
        addFacts(item, tree, fact.details);
    }
}

} // namespace

FactsPanel::FactsPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    tree_ = new QTreeWidget(this);
    tree_->setColumnCount(2);
    tree_->setHeaderHidden(true);
    tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tree_->setSelectionMode(QAbstractItemView::NoSelection);
    layout->addWidget(tree_);
}

void FactsPanel::showFacts(const std::vector<Fact>& facts) {
    tree_->clear();
    addFacts(nullptr, tree_, facts);
}
