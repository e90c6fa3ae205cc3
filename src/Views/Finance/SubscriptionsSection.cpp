#include "Views/Finance/SubscriptionsSection.h"

#include "Components/SymbolIcon.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "Models/Subscription.h"
#include "Platform/MoneyFormatter.h"
#include "ViewModels/Finance/CommitmentsViewModel.h"
#include "Views/Achievements/ScreenStyle.h"
#include "Views/Finance/FinanceForm.h"
#include "Views/Finance/SubscriptionRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SubscriptionsSection::SubscriptionsSection(CommitmentsViewModel* viewModel, std::function<void()> onAdd,
                                           QWidget* parent)
    : QWidget(parent), viewModel_(viewModel), onAdd_(std::move(onAdd)), column_(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("subscriptionsSection"));
    column_->setContentsMargins(0, 0, 0, 0);
    render();
}

void SubscriptionsSection::setInactiveExpanded(bool expanded) {
    inactiveExpanded_ = expanded;
    render();
}

QWidget* SubscriptionsSection::buildHeader() {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(
        new SymbolIcon(QStringLiteral("arrow.trianglehead.2.clockwise"), 17, AppTheme::Colors::indigo()));
    row->addWidget(ScreenStyle::label(tr("Subscriptions"), Theme::font(16, QFont::DemiBold),
                                      AppTheme::Colors::indigo()));
    row->addStretch(1);
    if (!viewModel_->subscriptions().empty()) {
        auto* totals = new QVBoxLayout;
        totals->setSpacing(2);
        auto* total = ScreenStyle::label(MoneyFormatter::format(viewModel_->totalMonthlySubscriptions(), 0) +
                                             QStringLiteral("/mo"),
                                         Theme::font(13, QFont::Bold), AppTheme::Colors::indigo());
        total->setObjectName(QStringLiteral("subscriptionsTotal"));
        totals->addWidget(total, 0, Qt::AlignRight);
        auto* count =
            ScreenStyle::label(QStringLiteral("%1 active").arg(viewModel_->activeSubscriptionCount()),
                               Theme::font(10), Theme::textMuted());
        count->setObjectName(QStringLiteral("activeCount"));
        totals->addWidget(count, 0, Qt::AlignRight);
        row->addLayout(totals);
        row->addSpacing(10);
    }
    auto* add =
        ScreenStyle::textButton(tr("Add"), Theme::font(12, QFont::Medium), AppTheme::Colors::indigo());
    add->setObjectName(QStringLiteral("addSubscriptionButton"));
    ScreenStyle::setSymbol(add, QStringLiteral("plus"), AppTheme::Colors::indigo(), 12);
    connect(add, &QPushButton::clicked, this, [this] { onAdd_(); });
    row->addWidget(add);
    return header;
}

QWidget* SubscriptionsSection::buildEmptyState() {
    auto* empty = FinanceForm::card(QStringLiteral("subscriptionsEmpty"), 12, Qt::transparent);
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

QWidget* SubscriptionsSection::buildRow(const std::shared_ptr<Subscription>& subscription) {
    std::weak_ptr<Subscription> weak = subscription;
    return new SubscriptionRow(
        subscription,
        [this, weak] {
            if (auto target = weak.lock())
                viewModel_->toggleSubscriptionStatus(target);
        },
        [this, weak] {
            if (auto target = weak.lock())
                viewModel_->deleteSubscription(target);
        });
}

void SubscriptionsSection::render() {
    if (body_) {
        column_->removeWidget(body_);
        body_->hide();
        body_->deleteLater();
    }
    body_ = new QWidget;
    auto* column = new QVBoxLayout(body_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(buildHeader());
    const auto& all = viewModel_->subscriptions();
    if (all.empty()) {
        column->addWidget(buildEmptyState());
        column_->addWidget(body_);
        return;
    }
    std::vector<std::shared_ptr<Subscription>> inactive;
    for (const auto& subscription : all) {
        if (!CommitmentsViewModel::isActive(*subscription)) {
            inactive.push_back(subscription);
            continue;
        }
        column->addWidget(buildRow(subscription));
    }
    if (!inactive.empty()) {
        auto* disclosure = ScreenStyle::textButton(QStringLiteral("Inactive (%1)").arg(inactive.size()),
                                                   Theme::font(12, QFont::Medium), Theme::textMuted());
        disclosure->setObjectName(QStringLiteral("inactiveDisclosure"));
        ScreenStyle::setSymbol(
            disclosure, inactiveExpanded_ ? QStringLiteral("chevron.down") : QStringLiteral("chevron.right"),
            Theme::textMuted(), 11);
        connect(disclosure, &QPushButton::clicked, this, [this] { setInactiveExpanded(!inactiveExpanded_); });
        column->addWidget(disclosure, 0, Qt::AlignLeft);
        if (inactiveExpanded_)
            for (const auto& subscription : inactive)
                column->addWidget(buildRow(subscription));
    }
    column_->addWidget(body_);
}
