#include "ui/comparison_panel.h"

#include <array>

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "edit/kind_names.h"

namespace {

constexpr std::array<DifferenceKind, 5> kKinds = {DifferenceKind::Added, DifferenceKind::Removed,
                                                  DifferenceKind::Moved, DifferenceKind::Turned,
                                                  DifferenceKind::Changed};

QIcon swatch(DifferenceKind kind) {
    const Rgb c = differenceColour(kind);
    QPixmap pixmap(12, 12);
    pixmap.fill(QColor(c.r, c.g, c.b));
    return QIcon(pixmap);
}

} // namespace

Rgb differenceColour(DifferenceKind kind) {
    switch (kind) {
    case DifferenceKind::Added:
        return {90, 230, 90};
    case DifferenceKind::Removed:
        return {255, 70, 70};
    case DifferenceKind::Moved:
        return {90, 160, 255};
    case DifferenceKind::Turned:
        return {255, 200, 40};
    case DifferenceKind::Changed:
        break;
    }
    return {220, 110, 255};
}

ComparisonPanel::ComparisonPanel(QWidget* parent) : QWidget(parent) {
    // Wide enough for a line of a moved block with the longest kind names.
    setMinimumWidth(380);
    auto* layout = new QVBoxLayout(this);
    caption_ = new QLabel(this);
    caption_->setWordWrap(true);
    layout->addWidget(caption_);

    auto* legend = new QGridLayout;
    for (std::size_t i = 0; i < kKinds.size(); ++i) {
        auto* mark = new QLabel(this);
        mark->setPixmap(swatch(kKinds[i]).pixmap(12, 12));
        auto* text = new QLabel(
            QString::fromLatin1(differenceName(kKinds[i])) +
                (kKinds[i] == DifferenceKind::Removed ? QStringLiteral(" (ghost)") : QString()),
            this);
        const int row = static_cast<int>(i / 3), column = static_cast<int>(i % 3) * 2;
        legend->addWidget(mark, row, column);
        legend->addWidget(text, row, column + 1);
    }
    legend->setColumnStretch(6, 1);
    layout->addLayout(legend);

    lines_ = new QListWidget(this);
    layout->addWidget(lines_, 1);
    connect(lines_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (lineChosen_)
            lineChosen_(lines_->row(item));
    });
    connect(lines_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (lineChosen_)
            lineChosen_(lines_->row(item));
    });

    auto* end = new QPushButton(QStringLiteral("End comparison"), this);
    layout->addWidget(end);
    connect(end, &QPushButton::clicked, this, [this] {
        if (endClicked_)
            endClicked_();
    });
}

void ComparisonPanel::showDifferences(const QString& otherName, const TrackDiff& diff,
                                      const CatalogState& catalogA, const CatalogState& catalogB) {
    const int row = lines_->currentRow();
    lines_->clear();
    for (const BlockDifference& d : diff.differences) {
        const std::string& kind = d.a ? kindNameOf(catalogA, *d.a) : kindNameOf(catalogB, *d.b);
        lines_->addItem(
            new QListWidgetItem(swatch(d.kind), QString::fromStdString(differenceText(d, kind))));
    }
    if (row >= 0 && row < lines_->count())
        lines_->setCurrentRow(row);
    caption_->setText(diff.differences.empty()
                          ? QStringLiteral("Compared with %1: the same blocks.").arg(otherName)
                          : QStringLiteral("Compared with %1: %2 differences.")
                                .arg(otherName)
                                .arg(diff.differences.size()));
}
