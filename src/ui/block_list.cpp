#include "ui/block_list.h"

#include <QEvent>
#include <cstdio>

namespace {

constexpr int kRecordRole = Qt::UserRole;

} // namespace

QString blockLine(int n, const BlockRecord& record, const CatalogState& catalog) {
    // One allocation per line: a whole track's lines are written at once.
    char head[32];
    const int headLength =
        std::snprintf(head, sizeof head, (record.flags & BLOCK_HIDDEN) ? "%d: (h) " : "%d: ", n);
    const std::string& name = kindNameOf(catalog, record);
    QString line(headLength + static_cast<qsizetype>(name.size()), Qt::Uninitialized);
    QChar* out = line.data();
    for (int i = 0; i < headLength; ++i)
        *out++ = QLatin1Char(head[i]);
    for (char c : name)
        *out++ = QLatin1Char(c);
    return line;
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
