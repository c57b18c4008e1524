#include "ui/checks_panel.h"

#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QIcon severityIcon(const QStyle& style, Severity severity) {
    switch (severity) {
    case Severity::Error:
        return style.standardIcon(QStyle::SP_MessageBoxCritical);
    case Severity::Warning:
        return style.standardIcon(QStyle::SP_MessageBoxWarning);
    case Severity::Information:
        break;
    }
    return style.standardIcon(QStyle::SP_MessageBoxInformation);
}

} // namespace

ChecksPanel::ChecksPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    layout->addWidget(summary_);
    lines_ = new QListWidget(this);
    lines_->setWordWrap(true);
    layout->addWidget(lines_, 1);
    const auto chosen = [this](QListWidgetItem* item) {
        const int finding = item->data(Qt::UserRole).toInt();
        if (findingChosen_ && finding >= 0)
            findingChosen_(finding);
    };
    connect(lines_, &QListWidget::itemActivated, this, chosen);
    connect(lines_, &QListWidget::itemClicked, this, chosen);
}

void ChecksPanel::showFindings(const std::vector<Finding>& findings, int errors, int warnings) {
    const int row = lines_->currentRow();
    lines_->clear();
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& finding = findings[i];
        const QIcon icon = severityIcon(*style(), finding.severity);
        auto* item = new QListWidgetItem(icon, QString::fromStdString(finding.text));
        item->setData(Qt::UserRole, static_cast<int>(i));
        lines_->addItem(item);
        if (finding.unlisted > 0) {
            auto* more = new QListWidgetItem(
                icon, QStringLiteral("%1 more of this kind are not listed.").arg(finding.unlisted));
            more->setData(Qt::UserRole, -1);
            more->setFlags(Qt::ItemIsEnabled);
            lines_->addItem(more);
        }
    }
    if (row >= 0 && row < lines_->count())
        lines_->setCurrentRow(row);
    summary_->setText(
        QStringLiteral("%1 %2, %3 %4.")
            .arg(errors)
            .arg(errors == 1 ? QStringLiteral("error") : QStringLiteral("errors"))
            .arg(warnings)
            .arg(warnings == 1 ? QStringLiteral("warning") : QStringLiteral("warnings")));
}
