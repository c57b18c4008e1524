#pragma once

#include <QDialog>

#include "catalog/catalog.h"

struct PickerState;
struct PickerGroup;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The modal "Blockyard - Select Block" dialog. It browses the picker tree at the level kept in
// the state and ends with the catalogue index of an activated block item, or 0 from the close
// box. Escape does not close it; there is no OK or Cancel.
class BlockPickerDialog : public QDialog {
    Q_OBJECT
  public:
    BlockPickerDialog(PickerState& state, const CatalogState& catalog, QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    QPushButton* backButton() const { return back_; }
    QLabel* blockName() const { return name_; }

    // Shows the children of the current level, labelled by position.
    void fillPickerList();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The group whose children are shown; the root at the top level.
    const PickerGroup& shownGroup() const;
    bool levelShowsBlocks() const;
    void activateItem(QListWidgetItem* item);
    void showSelectedName();
    void goBack();

    PickerState& state_;
    const CatalogState& catalog_;
    QListWidget* list_;
    QPushButton* back_;
    QLabel* name_;
};
