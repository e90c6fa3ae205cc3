#include "Views/Finance/AllocationCard.h"

#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "Models/Expense.h"
#include "Platform/MoneyFormatter.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "Views/Achievements/ScreenStyle.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString titleOf(const Expense& expense) {
    return expense.title().value_or(QStringLiteral("Untitled"));
}

QWidget* colourSquare(const QColor& color) {
    auto* square = new QWidget;
    square->setObjectName(QStringLiteral("sliceColour"));
    square->setFixedSize(10, 10);
    square->setAttribute(Qt::WA_StyledBackground, true);
    square->setStyleSheet(QStringLiteral("background: %1; border-radius: 3px;").arg(Theme::css(color)));
    return square;
}

} // namespace

void AllocationCard::addExpenseButtons(QBoxLayout* row, QObject* owner, CashFlowViewModel* viewModel,
                                       const std::shared_ptr<Expense>& expense,
                                       const std::function<void(std::shared_ptr<Expense>)>& onEdit) {
    std::weak_ptr<Expense> weak = expense;
    FinanceForm::addEditAndDelete(
        row, owner,
        [onEdit, weak] {
            if (auto target = weak.lock())
                onEdit(target);
        },
        [viewModel, weak] {
            if (auto target = weak.lock())
                viewModel->deleteExpense(target);
        });
}

const std::vector<QColor>& AllocationCard::palette() {
    // The last four are the platform's standard teal, orange, pink and cyan in their dark look.
    static const std::vector<QColor> colors{AppTheme::Colors::rose(),   AppTheme::Colors::amber(),
                                            AppTheme::Colors::indigo(), AppTheme::Colors::violet(),
                                            QColor(0x40, 0xC8, 0xE0),   QColor(0xFF, 0x9F, 0x0A),
                                            QColor(0xFF, 0x37, 0x5F),   QColor(0x64, 0xD2, 0xFF)};
    return colors;
}

std::vector<DonutChart::Slice> AllocationCard::slices(const CashFlowViewModel& viewModel) {
    std::vector<DonutChart::Slice> out;
    const auto& fixed = viewModel.fixedExpenses();
    for (std::size_t i = 0; i < fixed.size(); ++i)
        out.push_back({titleOf(*fixed[i]), fixed[i]->amount(), palette()[i % palette().size()]});
    const double remaining = viewModel.remainingToAllocate();
    if (remaining > 0)
        out.push_back({QStringLiteral("Remaining"), remaining, AppTheme::Colors::emerald()});
    return out;
}

AllocationCard::AllocationCard(CashFlowViewModel* viewModel, std::function<void()> onAllocate,
                               std::function<void(std::shared_ptr<Expense>)> onEdit, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("allocationCard"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(
        QStringLiteral(
            "QWidget#allocationCard { background: %1; border: 1px solid %2; border-radius: 18px; }")
            .arg(Theme::css(Theme::backgroundSecondary()), Theme::css(AppTheme::Colors::borderSubtle())));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(16);

    auto* top = new QHBoxLayout;
    top->setSpacing(32);
    auto* donut = new DonutChart;
    donut->setObjectName(QStringLiteral("allocationDonut"));
    donut->setSlices(slices(*viewModel));
    donut->setCenterText(MoneyFormatter::format(viewModel->totalIncome(), 2), tr("income"));
    top->addWidget(donut);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addStretch(1);
    texts->addWidget(ScreenStyle::label(tr("Distribute this amount"), Theme::font(13, QFont::Medium),
                                        Theme::textPrimary()));
    const double remaining = viewModel->remainingToAllocate();
    auto* status =
        remaining > 0
            ? ScreenStyle::label(MoneyFormatter::format(remaining, 2) + tr(" remaining to allocate"),
                                 Theme::font(12), AppTheme::Colors::amber())
            : ScreenStyle::label(tr("Fully allocated"), Theme::font(12), AppTheme::Colors::emerald());
    status->setObjectName(QStringLiteral("allocationStatus"));
    texts->addWidget(status);
    texts->addSpacing(4);
    auto* allocate = ScreenStyle::filledButton(tr("Allocate"), Theme::font(13, QFont::Medium),
                                               Theme::css(AppTheme::Colors::indigo()), 16, 8, 8);
    allocate->setObjectName(QStringLiteral("allocateButton"));
    ScreenStyle::setSymbol(allocate, QStringLiteral("plus"), Qt::white, 11);
    connect(allocate, &QPushButton::clicked, this, [onAllocate] { onAllocate(); });
    texts->addWidget(allocate, 0, Qt::AlignLeft);
    texts->addStretch(1);
    top->addLayout(texts, 1);
    column->addLayout(top);

    const auto& fixed = viewModel->fixedExpenses();
    if (fixed.empty())
        return;
    column->addWidget(ScreenStyle::divider());
    auto* rows = new QVBoxLayout;
    rows->setSpacing(0);
    for (std::size_t i = 0; i < fixed.size(); ++i) {
        const auto& expense = fixed[i];
        auto* rowWidget = new QWidget;
        rowWidget->setObjectName(QStringLiteral("allocationRow"));
        auto* row = new QHBoxLayout(rowWidget);
        row->setContentsMargins(0, 4, 0, 4);
        row->setSpacing(8);
        row->addWidget(colourSquare(palette()[i % palette().size()]));
        auto* title = FinanceForm::elidedLabel(titleOf(*expense), Theme::font(13), Theme::textPrimary());
        title->setObjectName(QStringLiteral("allocationTitle"));
        row->addWidget(title, 1);
        auto* amount = ScreenStyle::label(MoneyFormatter::format(expense->amount(), 2),
                                          Theme::font(13, QFont::Medium), Theme::textPrimary());
        amount->setObjectName(QStringLiteral("allocationAmount"));
        row->addWidget(amount);
        row->addSpacing(6);
        addExpenseButtons(row, this, viewModel, expense, onEdit);
        rows->addWidget(rowWidget);
        if (i + 1 < fixed.size())
            rows->addWidget(ScreenStyle::divider());
    }
    column->addLayout(rows);
}
