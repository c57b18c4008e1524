#include "app/recent_kinds_strip.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QToolButton>

RecentKindsStrip::RecentKindsStrip(std::function<void(std::uint32_t)> choose, QWidget* parent)
    : QWidget(parent), choose_(std::move(choose)) {
    row_ = new QHBoxLayout(this);
    row_->setContentsMargins(0, 0, 0, 0);
    row_->setSpacing(2);
    row_->addStretch();
    hide();
}

void RecentKindsStrip::note(std::uint32_t catalogIndex, const std::string& name) {
    const auto found = std::find(kinds_.begin(), kinds_.end(), catalogIndex);
    if (found != kinds_.end()) {
        names_.erase(names_.begin() + (found - kinds_.begin()));
        kinds_.erase(found);
    }
    kinds_.insert(kinds_.begin(), catalogIndex);
    names_.insert(names_.begin(), name);
    if (kinds_.size() > kMostKinds) {
        kinds_.pop_back();
        names_.pop_back();
    }
    rebuild();
}

void RecentKindsStrip::setEnvironment(int environment) {
    if (environment == environment_)
        return;
    environment_ = environment;
    kinds_.clear();
    names_.clear();
    rebuild();
}

void RecentKindsStrip::rebuild() {
    while (row_->count() > 1) {
        QLayoutItem* item = row_->takeAt(0);
        delete item->widget();
        delete item;
    }
    for (std::size_t i = 0; i < kinds_.size(); ++i) {
        auto* button = new QToolButton(this);
        const QString name = QString::fromStdString(names_[i]);
        button->setText(name.length() > 18 ? name.left(17) + QChar(0x2026) : name);
        button->setToolTip(QStringLiteral("Place %1").arg(name));
        button->setFocusPolicy(Qt::NoFocus);
        const std::uint32_t kind = kinds_[i];
        connect(button, &QToolButton::clicked, this, [this, kind] { choose_(kind); });
        row_->insertWidget(static_cast<int>(i), button);
    }
    setVisible(!kinds_.empty());
}
