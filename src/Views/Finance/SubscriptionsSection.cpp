#include "Views/Finance/SubscriptionsSection.h"

#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "Models/Subscription.h"
#include "ViewModels/Finance/CommitmentsViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SubscriptionsSection::SubscriptionsSection(CommitmentsViewModel* viewModel, std::function<void()> onAdd,
                                           QWidget* owner)
    : QObject(owner), viewModel_(viewModel), onAdd_(std::move(onAdd)), header_(new QWidget(owner)),
      headerColumn_(new QVBoxLayout(header_)), empty_(buildEmptyState(owner)),
      disclosureRow_(new QWidget(owner)) {
    header_->setObjectName(QStringLiteral("subscriptionsSection"));
    // The wider gap between the cards and this section rides above its title.
    headerColumn_->setContentsMargins(0, 16, 0, 0);
    auto* row = new QHBoxLayout(disclosureRow_);
    row->setContentsMargins(0, 0, 0, 0);
    disclosure_ = ScreenStyle::textButton(QString(), Theme::font(12, QFont::Medium), Theme::textMuted());
    disclosure_->setObjectName(QStringLiteral("inactiveDisclosure"));
    connect(disclosure_, &QPushButton::clicked, this, [this] { setInactiveExpanded(!inactiveExpanded_); });
    row->addWidget(disclosure_);
    row->addStretch(1);
    buildHeader();
    for (QWidget* piece : {header_, empty_, disclosureRow_})
        piece->hide();
    render();
}

void SubscriptionsSection::setInactiveExpanded(bool expanded) {
    inactiveExpanded_ = expanded;
    render();
}

void SubscriptionsSection::buildHeader() {
    auto* body = new QWidget;
    auto* row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(
        new SymbolIcon(QStringLiteral("arrow.trianglehead.2.clockwise"), 17, AppTheme::Colors::indigo()));
    row->addWidget(ScreenStyle::label(tr("Subscriptions"), Theme::font(16, QFont::DemiBold),
                                      AppTheme::Colors::indigo()));
    row->addStretch(1);
    totalsRow_ = new QHBoxLayout;
    totalsRow_->setContentsMargins(0, 0, 0, 0);
    totalsRow_->setSpacing(0);
    row->addLayout(totalsRow_);
    // Kept across renders: the focus on it, and a sheet opened from it, stay when the totals change.
    add_ = ScreenStyle::textButton(tr("Add"), Theme::font(12, QFont::Medium), AppTheme::Colors::indigo());
    add_->setObjectName(QStringLiteral("addSubscriptionButton"));
    FocusAfter::markCarryOn(add_, QStringLiteral("subscriptionRow"));
    add_->setAccessibleName(tr("Add Subscription"));
    ScreenStyle::setSymbol(add_, QStringLiteral("plus"), AppTheme::Colors::indigo(), 12);
    connect(add_, &QPushButton::clicked, this, [this] { onAdd_(); });
    row->addWidget(add_);
    headerColumn_->addWidget(body);
}

void SubscriptionsSection::renderTotals() {
    if (totals_) {
        // Deferred: the press that led here may still be running inside the old totals.
        totalsRow_->removeWidget(totals_);
        totals_->hide();
        totals_->deleteLater();
        totals_ = nullptr;
    }
    if (viewModel_->subscriptions().empty())
        return;
    totals_ = new QWidget;
    auto* row = new QHBoxLayout(totals_);
    row->setContentsMargins(0, 0, 16, 0);
    auto* totals = new QVBoxLayout;
    totals->setSpacing(2);
    auto* total = FinanceForm::figureLabel(Theme::font(13, QFont::Bold), AppTheme::Colors::indigo());
    total->setFullText(viewModel_->totalMonthlySubscriptionsText(),
                       viewModel_->totalMonthlySubscriptionsTip());
    total->setObjectName(QStringLiteral("subscriptionsTotal"));
    totals->addWidget(total);
    auto* count =
        ScreenStyle::label(viewModel_->activeSubscriptionsText(), Theme::font(10), Theme::textMuted());
    count->setObjectName(QStringLiteral("activeCount"));
    totals->addWidget(count, 0, Qt::AlignRight);
    row->addLayout(totals);
    totalsRow_->addWidget(totals_);
    // Shown at once rather than with the next events: the list measures this piece right away.
    totals_->show();
}

QWidget* SubscriptionsSection::buildEmptyState(QWidget* owner) {
    auto* empty = FinanceForm::card(QStringLiteral("subscriptionsEmpty"), 12, Qt::transparent);
    empty->setParent(owner);
    auto* column = new QVBoxLayout(empty);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(8);
    column->addWidget(new SymbolIcon(QStringLiteral("arrow.trianglehead.2.clockwise"), 34,
                                     Theme::withOpacity(Theme::textMuted(), 0.5)),
                      0, Qt::AlignHCenter);
    column->addWidget(ScreenStyle::label(tr("No subscriptions yet"), Theme::font(14), Theme::textMuted()), 0,
                      Qt::AlignHCenter);
    auto* add = ScreenStyle::textButton(tr("Add Your First Subscription"), Theme::font(13, QFont::Medium),
                                        AppTheme::Colors::indigo());
    add->setObjectName(QStringLiteral("addFirstSubscriptionButton"));
    connect(add, &QPushButton::clicked, this, [this] { onAdd_(); });
    column->addWidget(add, 0, Qt::AlignHCenter);
    return empty;
}

void SubscriptionsSection::render() {
    renderTotals();
    rows_.clear();
    std::vector<SubscriptionRow::Figures> inactive;
    for (const auto& subscription : viewModel_->subscriptions()) {
        auto figures = CommitmentsViewModel::subscriptionRow(subscription);
        (figures.active ? rows_ : inactive).push_back(std::move(figures));
    }
    activeRows_ = int(rows_.size());
    inactive_ = int(inactive.size());
    if (inactiveExpanded_)
        rows_.insert(rows_.end(), std::make_move_iterator(inactive.begin()),
                     std::make_move_iterator(inactive.end()));
    disclosure_->setText(CommitmentsViewModel::inactiveHeading(inactive_));
    ScreenStyle::setSymbol(
        disclosure_, inactiveExpanded_ ? QStringLiteral("chevron.down") : QStringLiteral("chevron.right"),
        Theme::textMuted(), 11);
    emit changed();
}
