#include "Views/Finance/CashFlowView.h"

#include "Components/BareScrollArea.h"
#include "Core/Theme/Theme.h"
#include "Models/Expense.h"
#include "Models/Income.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "Views/Achievements/ScreenStyle.h"
#include "Views/Finance/AddExpenseSheet.h"
#include "Views/Finance/AddIncomeSheet.h"
#include "Views/Finance/AllocationCard.h"
#include "Views/Finance/CashFlowIncomeCard.h"
#include "Views/Finance/DynamicSpendingCard.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

QPushButton* chevronButton(const QString& objectName, const QString& symbol, const QString& toolTip) {
    auto* button = FinanceForm::iconButton(objectName, symbol, Theme::textSecondary(), 14, toolTip);
    button->setFixedSize(30, 30);
    button->setStyleSheet(QStringLiteral("QPushButton { border: none; border-radius: 8px; background: %1; }")
                              .arg(Theme::css(Theme::backgroundTertiary())));
    return button;
}

} // namespace

CashFlowView::CashFlowView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), env_(env), viewModel_(new CashFlowViewModel(env.context, this)) {
    setObjectName(QStringLiteral("cashFlowView"));
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("cashFlowPage"));
    body_ = new QVBoxLayout(page);
    body_->setContentsMargins(32, 32, 32, 32);
    body_->setSpacing(32);
    body_->addWidget(buildHeader());
    body_->addWidget(buildMonthNavigator(), 0, Qt::AlignLeft);
    incomeCard_ =
        new CashFlowIncomeCard(viewModel_, [this](std::shared_ptr<Income> income) { editIncome(income); });
    body_->addWidget(incomeCard_);
    body_->addStretch(1);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = BareScrollArea::wrap(page);
    scroll->setObjectName(QStringLiteral("cashFlowScroll"));
    outer->addWidget(scroll);

    connect(viewModel_, &CashFlowViewModel::changed, this, &CashFlowView::render);
    render();
}

CashFlowView::~CashFlowView() = default;

QWidget* CashFlowView::buildHeader() {
    auto* header = new QWidget;
    auto* column = new QVBoxLayout(header);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(ScreenStyle::label(tr("Monthly Allocations"), Theme::font(24, QFont::DemiBold),
                                         Theme::textPrimary()));
    column->addWidget(
        ScreenStyle::label(tr("Plan where your money goes"), Theme::font(14), Theme::textSecondary()));
    return header;
}

QWidget* CashFlowView::buildMonthNavigator() {
    auto* navigator = new QWidget;
    auto* row = new QHBoxLayout(navigator);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);
    auto* previous = chevronButton(QStringLiteral("previousMonthButton"), QStringLiteral("chevron.left"),
                                   tr("Previous month"));
    connect(previous, &QPushButton::clicked, viewModel_, &CashFlowViewModel::navigateToPreviousMonth);
    row->addWidget(previous);
    monthLabel_ = ScreenStyle::label(QString(), Theme::font(16, QFont::Medium), Theme::textPrimary());
    monthLabel_->setObjectName(QStringLiteral("monthLabel"));
    monthLabel_->setAlignment(Qt::AlignCenter);
    monthLabel_->setMinimumWidth(140);
    row->addWidget(monthLabel_);
    auto* next =
        chevronButton(QStringLiteral("nextMonthButton"), QStringLiteral("chevron.right"), tr("Next month"));
    connect(next, &QPushButton::clicked, viewModel_, &CashFlowViewModel::navigateToNextMonth);
    row->addWidget(next);
    return navigator;
}

void CashFlowView::render() {
    monthLabel_->setText(QLocale().toString(viewModel_->selectedMonth().date(), QStringLiteral("MMMM yyyy")));
    incomeCard_->render();
    if (sections_) {
        // Deferred: the press that led here may still be running inside a row of the old cards.
        body_->removeWidget(sections_);
        sections_->hide();
        sections_->deleteLater();
        sections_ = nullptr;
    }
    if (viewModel_->incomes().empty())
        return;
    sections_ = new QWidget;
    sections_->setObjectName(QStringLiteral("allocationSections"));
    auto* column = new QVBoxLayout(sections_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(32);
    auto onEdit = [this](std::shared_ptr<Expense> expense) { editExpense(expense); };
    column->addWidget(new AllocationCard(
        viewModel_, [this] { showAddAllocation(); }, onEdit));
    column->addWidget(new DynamicSpendingCard(
        viewModel_, [this] { showAddDynamic(); }, onEdit));
    body_->insertWidget(body_->indexOf(incomeCard_) + 1, sections_);
}

void CashFlowView::presentExpenseSheet(const QString& presetType, const std::shared_ptr<Expense>& editing,
                                       bool hideTypePicker) {
    AddExpenseSheet::Options options;
    options.creditCards = viewModel_->creditCards();
    options.bankAccounts = viewModel_->bankAccounts();
    options.moneyGoals = viewModel_->moneyGoals();
    options.presetExpenseType = presetType;
    options.editing = editing;
    options.hideTypePicker = hideTypePicker;
    std::weak_ptr<Expense> weak = editing;
    AddExpenseSheet::present(this, std::move(options),
                             [this, weak, editing = bool(editing)](const ExpenseDraft& d) {
                                 if (!editing)
                                     return viewModel_->addExpense(d);
                                 const auto target = weak.lock();
                                 return target && viewModel_->updateExpense(target, d);
                             });
}

void CashFlowView::showAddAllocation() {
    presentExpenseSheet(CashFlowViewModel::fixedType, nullptr, true);
}

void CashFlowView::showAddDynamic() {
    presentExpenseSheet(CashFlowViewModel::dynamicType, nullptr, false);
}

void CashFlowView::editExpense(const std::shared_ptr<Expense>& expense) {
    const QString type = expense->expenseType().value_or(CashFlowViewModel::dynamicType);
    presentExpenseSheet(type, expense, type == CashFlowViewModel::fixedType);
}

void CashFlowView::editIncome(const std::shared_ptr<Income>& income) {
    std::weak_ptr<Income> weak = income;
    AddIncomeSheet::present(this, income, [this, weak](const IncomeDraft& d) {
        const auto target = weak.lock();
        return target && viewModel_->updateIncome(target, d);
    });
}
