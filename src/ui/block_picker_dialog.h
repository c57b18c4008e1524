#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "catalog/catalog.h"

struct PickerState;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The modal "Blockyard - Select Block" dialog over the open environment's whole catalogue: first
// its families, then a family's kinds with their pictures; a search field above the list shows
// the kinds whose names hold its text as one types. It ends with the catalogue index of an
// activated kind, or 0 from the close box. Escape does not close it; there is no OK or Cancel.
class BlockPickerDialog : public QDialog {
    Q_OBJECT
  public:
    BlockPickerDialog(PickerState& state, const CatalogState& catalog, QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    QLineEdit* searchField() const { return search_; }
    QPushButton* backButton() const { return back_; }
    QLabel* blockName() const { return name_; }

    // Shows the families, a family's kinds, or the kinds that match the search.
    void fillPickerList();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    const BlockCatalog& catalog() const;
    void addKind(std::uint32_t kind);
    void activateItem(QListWidgetItem* item);
    void showSelectedName();
    void goBack();

    PickerState& state_;
    const CatalogState& catalog_;
    QLineEdit* search_;
    QListWidget* list_;
    QPushButton* back_;
    QLabel* name_;
};
