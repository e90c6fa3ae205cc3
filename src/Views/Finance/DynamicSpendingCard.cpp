#include "Views/Finance/DynamicSpendingCard.h"

#include "Components/SymbolIcon.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "Models/Expense.h"
#include "Platform/MoneyFormatter.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "Views/Achievements/ScreenStyle.h"
#include "Views/Finance/AllocationCard.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
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

QLabel* categoryChip(const QString& category) {
    auto* chip = ScreenStyle::label(category, Theme::font(10), AppTheme::Colors::amber());
    chip->setObjectName(QStringLiteral("categoryChip"));
    chip->setAttribute(Qt::WA_StyledBackground, true);
    chip->setStyleSheet(QStringLiteral("QLabel { background: %1; border-radius: 4px; padding: 2px 5px; }")
                            .arg(Theme::css(Theme::withOpacity(AppTheme::Colors::amber(), 0.12))));
    return chip;
}

} // namespace

QString DynamicSpendingCard::summary(const CashFlowViewModel& viewModel) {
    return MoneyFormatter::format(viewModel.totalDynamic(), 2) + QStringLiteral(" spent of ") +
           MoneyFormatter::format(viewModel.remainingToAllocate(), 2) + QStringLiteral(" available");
}

DynamicSpendingCard::DynamicSpendingCard(CashFlowViewModel* viewModel, std::function<void()> onAdd,
                                         std::function<void(std::shared_ptr<Expense>)> onEdit,
                                         QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("dynamicCard"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(
        QStringLiteral("QWidget#dynamicCard { background: %1; border: 1px solid %2; border-radius: 12px; }")
            .arg(Theme::css(Theme::backgroundSecondary()), Theme::css(AppTheme::Colors::borderSubtle())));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(1, 1, 1, 1);
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
    auto* spent = ScreenStyle::label(summary(*viewModel), Theme::font(11), Theme::textMuted());
    spent->setObjectName(QStringLiteral("dynamicSummary"));
    texts->addWidget(spent);
    headerRow->addLayout(texts, 1);
    auto* add = FinanceForm::iconButton(QStringLiteral("addDynamicButton"), QStringLiteral("plus"),
                                        AppTheme::Colors::amber(), 12, tr("Add dynamic expense"));
    connect(add, &QPushButton::clicked, this, [onAdd] { onAdd(); });
    headerRow->addWidget(add);
    column->addWidget(header);
    column->addWidget(amberRule(0.2));

    const auto& expenses = viewModel->dynamicExpenses();
    if (expenses.empty()) {
        auto* none = ScreenStyle::label(tr("No dynamic expenses yet"), Theme::font(13), Theme::textMuted());
        none->setObjectName(QStringLiteral("noDynamicExpenses"));
        none->setAlignment(Qt::AlignCenter);
        none->setContentsMargins(24, 24, 24, 24);
        column->addWidget(none);
        return;
    }
    for (std::size_t i = 0; i < expenses.size(); ++i) {
        const auto& expense = expenses[i];
        auto* rowWidget = new QWidget;
        rowWidget->setObjectName(QStringLiteral("dynamicRow"));
        auto* row = new QHBoxLayout(rowWidget);
        row->setContentsMargins(16, 4, 16, 4);
        row->setSpacing(4);
        auto* info = new QVBoxLayout;
        info->setSpacing(2);
        auto* title = FinanceForm::elidedLabel(expense->title().value_or(QStringLiteral("Untitled")),
                                               Theme::font(13), Theme::textPrimary());
        title->setObjectName(QStringLiteral("dynamicTitle"));
        info->addWidget(title);
        if (const auto date = expense->date())
            info->addWidget(
                ScreenStyle::label(QLocale().toString(date->toLocalTime().date(), QStringLiteral("MMM d")),
                                   Theme::font(11), Theme::textMuted()));
        if (const auto category = expense->category(); category && !category->isEmpty())
            info->addWidget(categoryChip(*category), 0, Qt::AlignLeft);
        row->addLayout(info, 1);
        auto* amount = ScreenStyle::label(MoneyFormatter::format(expense->amount(), 2),
                                          Theme::font(13, QFont::Medium), AppTheme::Colors::rose());
        amount->setObjectName(QStringLiteral("dynamicAmount"));
        row->addWidget(amount);
        AllocationCard::addExpenseButtons(row, this, viewModel, expense, onEdit);
        column->addWidget(rowWidget);
        if (i + 1 < expenses.size()) {
            auto* inset = new QWidget;
            auto* insetRow = new QHBoxLayout(inset);
            insetRow->setContentsMargins(16, 0, 16, 0);
            insetRow->addWidget(ScreenStyle::divider());
            column->addWidget(inset);
        }
    }
}
