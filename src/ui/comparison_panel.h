#pragma once

#include <functional>

#include <QWidget>

#include "catalog/catalog.h"
#include "check/track_diff.h"
#include "seams/view_port.h"

class QLabel;
class QListWidget;

// The colour a block is tinted in (a ghost drawn in, for a removed one) for its difference.
Rgb differenceColour(DifferenceKind kind);

// The differences of a comparison: what is compared, a legend of the colours, one line per
// difference and the "End comparison" button. Choosing a line and the button are handed to
// whoever owns the comparison.
class ComparisonPanel : public QWidget {
    Q_OBJECT
  public:
    explicit ComparisonPanel(QWidget* parent = nullptr);

    // Fills the lines from the differences of the other version (a) and the open track (b).
    void showDifferences(const QString& otherName, const TrackDiff& diff,
                         const CatalogState& catalogA, const CatalogState& catalogB);
    // The line of a difference was chosen: its position in the differences.
    void setLineChosen(std::function<void(int)> chosen) { lineChosen_ = std::move(chosen); }
    void setEndClicked(std::function<void()> clicked) { endClicked_ = std::move(clicked); }

    QListWidget* lines() const { return lines_; }
    QLabel* caption() const { return caption_; }

  private:
    QLabel* caption_ = nullptr;
    QListWidget* lines_ = nullptr;
    std::function<void(int)> lineChosen_;
    std::function<void()> endClicked_;
};
