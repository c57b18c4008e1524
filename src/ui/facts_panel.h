#pragma once

#include <string>
#include <vector>

#include <QWidget>

class QTreeWidget;

// One line of a read-only panel of facts: a label, its value and lines under it.
struct Fact {
    std::string label;
    std::string value;
    std::vector<Fact> details;
};

// Read-only facts about the track, as a two-column tree (the Track information and Statistics
// panels).
class FactsPanel : public QWidget {
    Q_OBJECT
  public:
    explicit FactsPanel(QWidget* parent = nullptr);

    void showFacts(const std::vector<Fact>& facts);
    QTreeWidget* tree() const { return tree_; }

  private:
    QTreeWidget* tree_ = nullptr;
};
