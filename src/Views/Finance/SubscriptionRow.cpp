#include "Views/Finance/SubscriptionRow.h"

#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SubscriptionRow::SubscriptionRow(Action onToggle, Action onDelete, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("subscriptionRow"));
    FocusAfter::markRow(this);
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(
        QStringLiteral(
            "QWidget#subscriptionRow { background: %1; border: 1px solid %2; border-radius: 12px; }")
            .arg(Theme::css(Theme::backgroundSecondary()), Theme::css(AppTheme::Colors::borderSubtle())));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);

    QWidget* tile =
        FinanceForm::iconTile(QStringLiteral("arrow.trianglehead.2.clockwise"), AppTheme::Colors::indigo(),
                              Theme::withOpacity(AppTheme::Colors::indigo(), 0.15), 40, 15, 8);
    icon_ = tile->findChild<SymbolIcon*>();
    row->addWidget(tile);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    name_ = FinanceForm::elidedLabel(Theme::font(14, QFont::Medium), Theme::textPrimary());
    name_->setObjectName(QStringLiteral("subscriptionName"));
    texts->addWidget(name_);
    detail_ = ScreenStyle::label(QString(), Theme::font(11), Theme::textMuted());
    detail_->setObjectName(QStringLiteral("subscriptionDetail"));
    texts->addWidget(detail_);
    row->addLayout(texts, 1);

    auto* prices = new QVBoxLayout;
    prices->setSpacing(2);
    price_ = FinanceForm::figureLabel(Theme::font(14, QFont::Bold), Theme::textPrimary());
    price_->setObjectName(QStringLiteral("subscriptionPrice"));
    prices->addWidget(price_);
    perMonth_ = FinanceForm::figureLabel(Theme::font(10), Theme::textMuted());
    perMonth_->setObjectName(QStringLiteral("subscriptionPerMonth"));
    prices->addWidget(perMonth_);
    row->addLayout(prices);

    toggle_ =
        FinanceForm::iconButton(QStringLiteral("toggleSubscriptionButton"), QStringLiteral("pause.circle"),
                                AppTheme::Colors::amber(), 14, tr("Pause"));
    connect(toggle_, &QPushButton::clicked, this, [this, onToggle = std::move(onToggle)] {
        if (auto subscription = figures_.subscription.lock())
            onToggle(subscription);
    });
    FocusAfter::markAction(toggle_, FocusAfter::Action::changes);
    row->addWidget(toggle_);
    auto* remove =
        FinanceForm::iconButton(QStringLiteral("deleteSubscriptionButton"), QStringLiteral("trash"),
                                Theme::withOpacity(Theme::textMuted(), 0.5), 11, tr("Delete subscription"));
    connect(remove, &QPushButton::clicked, this, [this, onDelete = std::move(onDelete)] {
        if (auto subscription = figures_.subscription.lock())
            onDelete(subscription);
    });
    FocusAfter::markAction(remove, FocusAfter::Action::deletes);
    row->addWidget(remove);
}

void SubscriptionRow::bind(const Figures& figures) {
    figures_ = figures;
    name_->setFullText(figures.name);
    setAccessibleName(figures.name);
    detail_->setText(figures.detail);
    price_->setFullText(figures.priceText);
    perMonth_->setFullText(figures.perMonthText);
    perMonth_->setVisible(!figures.perMonthText.isEmpty());
    if (styledActive_ == int(figures.active))
        return;
    styledActive_ = int(figures.active);
    const bool active = figures.active;
    icon_->setColor(active ? AppTheme::Colors::indigo() : Theme::textMuted());
    ScreenStyle::setTextColor(name_, active ? Theme::textPrimary() : Theme::textMuted());
    ScreenStyle::setTextColor(price_, active ? Theme::textPrimary() : Theme::textMuted());
    const QColor toggleColor = active ? AppTheme::Colors::amber() : AppTheme::Colors::emerald();
    ScreenStyle::setSymbol(toggle_, active ? QStringLiteral("pause.circle") : QStringLiteral("play.circle"),
                           toggleColor, 14);
    ScreenStyle::setTextButtonColor(toggle_, toggleColor);
    toggle_->setToolTip(active ? tr("Pause") : tr("Resume"));
}
