#pragma once

#include <QListWidget>
#include <string>

#include "catalog/catalog.h"
#include "edit/kind_names.h"
#include "track/track.h"

// The list line of the n-th block (n from 1): "n:" then " (h)" when hidden, a space and the name.
QString blockLine(int n, const BlockRecord& record, const CatalogState& catalog);

// Appends one line per block of the track, in track order, each holding its record. Neither
// empties the list first nor marks any line.
void fillBlockList(QListWidget& listBox, const Track& track, const CatalogState& catalog);

// The record that a line of the block list shows.
const BlockRecord* blockOfLine(const QListWidgetItem* item);

// The block list box: every click toggles one line. Dragging over lines selects nothing, so that
// every change of marks comes from a click on a single line.
class BlockListWidget : public QListWidget {
    Q_OBJECT
  public:
    explicit BlockListWidget(QWidget* parent = nullptr);

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
};
