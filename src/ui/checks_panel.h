#pragma once

#include <functional>
#include <vector>

#include <QWidget>

#include "check/track_checks.h"

class QLabel;
class QListWidget;

// The findings of the checks: a summary line and one line per finding with its severity's icon.
// Choosing a line hands its finding's position to whoever owns the checks.
class ChecksPanel : public QWidget {
    Q_OBJECT
  public:
    explicit ChecksPanel(QWidget* parent = nullptr);

    void showFindings(const std::vector<Finding>& findings, int errors, int warnings);
    void setFindingChosen(std::function<void(int)> chosen) { findingChosen_ = std::move(chosen); }

    QListWidget* lines() const { return lines_; }
    QLabel* summary() const { return summary_; }

  private:
    QLabel* summary_ = nullptr;
    QListWidget* lines_ = nullptr;
    std::function<void(int)> findingChosen_;
};
