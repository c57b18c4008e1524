#include "ui/block_list.h"

#include <QEvent>

namespace {

constexpr int kRecordRole = Qt::UserRole;

} // namespace

std::string blockDisplayName(const CatalogState& catalog, const BlockRecord& record) {
    if (const CatalogEntry* entry = catalogEntry(catalog, record.catalogIndex))
        return entry->name;
    return record.keptName;
}

QString blockLine(int n, const BlockRecord& record, const CatalogState& catalog) {
    const char* hiddenMark = (record.flags & BLOCK_HIDDEN) ? " (h)" : "";
    return QString::number(n) + QLatin1Char(':') + QLatin1String(hiddenMark) + QLatin1Char(' ') +
           QString::fromLatin1(blockDisplayName(catalog, record));
}

void fillBlockList(QListWidget& listBox, const Track& track, const CatalogState& catalog) {
    int n = 1;
    for (const BlockRecord& record : track.blocks) {
        auto* item = new QListWidgetItem(blockLine(n++, record, catalog));
        item->setData(kRecordRole, QVariant::fromValue(reinterpret_cast<quintptr>(&record)));
        listBox.addItem(item);
    }
}

const BlockRecord* blockOfLine(const QListWidgetItem* item) {
    if (!item)
        return nullptr;
    return reinterpret_cast<const BlockRecord*>(item->data(kRecordRole).value<quintptr>());
}

BlockListWidget::BlockListWidget(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::MultiSelection);
    setUniformItemSizes(true);
    setSortingEnabled(false);
}

QItemSelectionModel::SelectionFlags BlockListWidget::selectionCommand(const QModelIndex& index,
                                                                      const QEvent* event) const {
    if (event && event->type() == QEvent::MouseMove)
        return QItemSelectionModel::NoUpdate;
    return QListWidget::selectionCommand(index, event);
}
