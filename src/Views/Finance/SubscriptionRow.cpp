#include "Views/Finance/SubscriptionRow.h"

#include "Components/SymbolIcon.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "Models/Subscription.h"
#include "Platform/MoneyFormatter.h"
#include "ViewModels/Finance/CommitmentsViewModel.h"
#include "Views/Achievements/ScreenStyle.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

SubscriptionRow::SubscriptionRow(const std::shared_ptr<Subscription>& subscription,
                                 std::function<void()> onToggle, std::function<void()> onDelete,
                                 QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("subscriptionRow"));
    const bool active = CommitmentsViewModel::isActive(*subscription);
    const QString cycle = CommitmentsViewModel::billingCycle(*subscription);
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(
        QStringLiteral(
            "QWidget#subscriptionRow { background: %1; border: 1px solid %2; border-radius: 12px; }")
            .arg(Theme::css(Theme::backgroundSecondary()), Theme::css(AppTheme::Colors::borderSubtle())));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);

    row->addWidget(FinanceForm::iconTile(QStringLiteral("arrow.trianglehead.2.clockwise"),
                                         active ? AppTheme::Colors::indigo() : Theme::textMuted(),
                                         Theme::withOpacity(AppTheme::Colors::indigo(), 0.15), 40, 15, 8));

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto* name = FinanceForm::elidedLabel(subscription->name().value_or(QStringLiteral("Untitled")),
                                          Theme::font(14, QFont::Medium),
                                          active ? Theme::textPrimary() : Theme::textMuted());
    name->setObjectName(QStringLiteral("subscriptionName"));
    texts->addWidget(name);
    QString detail = FinanceForm::capitalised(cycle);
    if (const auto renewal = subscription->renewalDate())
        detail += QStringLiteral(" · renews ") +
                  QLocale().toString(renewal->toLocalTime().date(), QStringLiteral("MMM d"));
    auto* details = ScreenStyle::label(detail, Theme::font(11), Theme::textMuted());
    details->setObjectName(QStringLiteral("subscriptionDetail"));
    texts->addWidget(details);
    row->addLayout(texts, 1);

    auto* prices = new QVBoxLayout;
    prices->setSpacing(2);
    auto* price =
        ScreenStyle::label(MoneyFormatter::format(subscription->price(), 0), Theme::font(14, QFont::Bold),
                           active ? Theme::textPrimary() : Theme::textMuted());
    price->setObjectName(QStringLiteral("subscriptionPrice"));
    prices->addWidget(price, 0, Qt::AlignRight);
    if (cycle != CommitmentsViewModel::monthly) {
        auto* perMonth = ScreenStyle::label(
            MoneyFormatter::format(CommitmentsViewModel::monthlyEquivalent(*subscription), 0) +
                QStringLiteral("/mo"),
            Theme::font(10), Theme::textMuted());
        perMonth->setObjectName(QStringLiteral("subscriptionPerMonth"));
        prices->addWidget(perMonth, 0, Qt::AlignRight);
    }
    row->addLayout(prices);

    auto* toggle =
        FinanceForm::iconButton(QStringLiteral("toggleSubscriptionButton"),
                                active ? QStringLiteral("pause.circle") : QStringLiteral("play.circle"),
                                active ? AppTheme::Colors::amber() : AppTheme::Colors::emerald(), 14,
                                active ? tr("Pause") : tr("Resume"));
    connect(toggle, &QPushButton::clicked, this, [onToggle] { onToggle(); });
    row->addWidget(toggle);
    auto* remove =
        FinanceForm::iconButton(QStringLiteral("deleteSubscriptionButton"), QStringLiteral("trash"),
                                Theme::withOpacity(Theme::textMuted(), 0.5), 11, tr("Delete subscription"));
    connect(remove, &QPushButton::clicked, this, [onDelete] { onDelete(); });
    row->addWidget(remove);
}
