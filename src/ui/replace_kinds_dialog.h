#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "edit/reshape.h"

struct EditorContext;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

// "Blockyard - Replace Kinds": a table of old -> new kind pairs, each kind typed (completed
// from the catalogue's names, any part of a name matching) or picked with the block picker for
// the current cell, and where to replace: the selection, the current area or the whole track.
// OK checks every pair first: a pair with one kind missing or a name the catalogue lacks keeps
// the dialog open, saying which.
class ReplaceKindsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ReplaceKindsDialog(EditorContext& ctx, QWidget* parent = nullptr);

    // The pairs as catalogue indexes, and the scope; what OK accepted.
    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& pairs() const { return pairs_; }
    ReplaceScope scope() const;

    QTableWidget* table() const { return table_; }
    QPushButton* pickButton() const { return pick_; }
    QPushButton* addPairButton() const { return add_; }
    QPushButton* removePairButton() const { return remove_; }
    QRadioButton* scopeChoice(ReplaceScope scope) const {
        return scopes_[static_cast<std::size_t>(scope)];
    }
    QLabel* problem() const { return problem_; }

    void accept() override;

  private:
    void addPair();
    void pickKind();

    EditorContext& ctx_;
    std::unordered_map<std::string, std::uint32_t> kinds_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs_;
    QTableWidget* table_;
    QPushButton* pick_;
    QPushButton* add_;
    QPushButton* remove_;
    std::array<QRadioButton*, 3> scopes_{};
    QLabel* problem_;
};
