#include "Views/Finance/DynamicSpendingCard.h"

#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QWidget* amberRule(double opacity) {
    auto* rule = new QWidget;
    rule->setFixedHeight(1);
    rule->setAttribute(Qt::WA_StyledBackground, true);
    rule->setStyleSheet(QStringLiteral("background: %1;")
                            .arg(Theme::css(Theme::withOpacity(AppTheme::Colors::amber(), opacity))));
    return rule;
}

} // namespace

DynamicSpendingCard::DynamicSpendingCard(CashFlowViewModel* viewModel, std::function<void()> onAdd,
                                         QWidget* parent)
    : CardSlice(12, AppTheme::Colors::borderSubtle(), parent), viewModel_(viewModel),
      onAdd_(std::move(onAdd)) {
    setObjectName(QStringLiteral("dynamicCard"));
    setGap(kGap);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(1, kGap + 1, 1, 0);
    column->setSpacing(0);
}

void DynamicSpendingCard::render() {
    auto* body = new QWidget;
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* header = new QWidget;
    header->setObjectName(QStringLiteral("dynamicHeader"));
    header->setAttribute(Qt::WA_StyledBackground, true);
    header->setStyleSheet(
        QStringLiteral("QWidget#dynamicHeader { background: %1; border-top-left-radius: 11px; "
                       "border-top-right-radius: 11px; }")
            .arg(Theme::css(Theme::withOpacity(AppTheme::Colors::amber(), 0.08))));
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(16, 8, 16, 8);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(4);
    titleRow->addWidget(new SymbolIcon(QStringLiteral("bolt.fill"), 13, AppTheme::Colors::amber()));
    titleRow->addWidget(ScreenStyle::label(tr("Dynamic Spending"), Theme::font(13, QFont::Medium),
                                           AppTheme::Colors::amber()));
    titleRow->addStretch(1);
    texts->addLayout(titleRow);
    auto* spent = FinanceForm::elidedLabel(Theme::font(11), Theme::textMuted());
    spent->setFullText(viewModel_->dynamicSummary(), viewModel_->dynamicSummaryTip());
    spent->setObjectName(QStringLiteral("dynamicSummary"));
    texts->addWidget(spent);
    headerRow->addLayout(texts, 1);
    auto* add = FinanceForm::iconButton(QStringLiteral("addDynamicButton"), QStringLiteral("plus"),
                                        AppTheme::Colors::amber(), 12, tr("Add dynamic expense"));
    connect(add, &QPushButton::clicked, this, [this] { onAdd_(); });
    FocusAfter::markCarryOn(add, QStringLiteral("dynamicRow"));
    headerRow->addWidget(add);
    column->addWidget(header);
    column->addWidget(amberRule(0.2));

    const bool none = viewModel_->dynamicExpenses().empty();
    if (none) {
        auto* label = ScreenStyle::label(tr("No dynamic expenses yet"), Theme::font(13), Theme::textMuted());
        label->setObjectName(QStringLiteral("noDynamicExpenses"));
        label->setAlignment(Qt::AlignCenter);
        label->setContentsMargins(24, 24, 24, 24);
        column->addWidget(label);
    }
    // With expenses their rows follow, the last one holding the card's bottom.
    setEnds(true, none);
    layout()->setContentsMargins(1, kGap + 1, 1, none ? 1 : 0);
    setBody(body);
}
