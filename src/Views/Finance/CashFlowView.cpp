#include "Views/Finance/CashFlowView.h"

#include "Components/ScreenStyle.h"
#include "Components/VirtualList.h"
#include "Models/Expense.h"
#include "Models/Income.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/AddExpenseSheet.h"
#include "Views/Finance/AddIncomeSheet.h"
#include "Views/Finance/AllocationCard.h"
#include "Views/Finance/CashFlowIncomeCard.h"
#include "Views/Finance/DynamicSpendingCard.h"
#include "Views/Finance/FinanceForm.h"
#include "Views/RowKey.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* chevronButton(const QString& objectName, const QString& symbol, const QString& toolTip) {
    auto* button = FinanceForm::iconButton(objectName, symbol, Theme::textSecondary(), 14, toolTip);
    button->setFixedSize(30, 30);
    button->setStyleSheet(QStringLiteral("QPushButton { border: none; border-radius: 8px; background: %1; }")
                              .arg(Theme::css(Theme::backgroundTertiary())));
    return button;
}

CashFlowEntryRow::Style styleOf(CashFlowView::Kind kind) {
    if (kind == CashFlowView::Kind::IncomeRow)
        return CashFlowEntryRow::Style::Income;
    return kind == CashFlowView::Kind::FixedRow ? CashFlowEntryRow::Style::Fixed
                                                : CashFlowEntryRow::Style::Dynamic;
}

// A row for each entry as the view model writes it; its place in the card is marked after.
void fill(std::vector<CashFlowEntryRow::Figures>& rows, std::vector<CashFlowEntryText> texts) {
    rows.clear();
    rows.reserve(texts.size());
    for (auto& text : texts) {
        CashFlowEntryRow::Figures figures;
        static_cast<CashFlowEntryText&>(figures) = std::move(text);
        rows.push_back(std::move(figures));
    }
}

// In the expense cards each row after the first has a rule above it; the last row holds the
// card's bottom unless something follows it in the card.
void markPlaces(std::vector<CashFlowEntryRow::Figures>& rows, bool ruled, bool lastClosesCard) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].ruleAbove = ruled && i > 0;
        rows[i].lastInCard = lastClosesCard && i + 1 == rows.size();
    }
}

} // namespace

CashFlowView::CashFlowView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), env_(env), viewModel_(env.models->cashFlow(this)) {
    setObjectName(QStringLiteral("cashFlowView"));
    auto* top = new QWidget;
    top->setObjectName(QStringLiteral("cashFlowPage"));
    auto* column = new QVBoxLayout(top);
    column->setContentsMargins(32, 32, 32, 0);
    column->setSpacing(32);
    column->addWidget(buildHeader());
    column->addWidget(buildMonthNavigator(), 0, Qt::AlignLeft);

    incomeCard_ = new CashFlowIncomeCard(viewModel_, this);
    allocationCard_ = new AllocationCard(
        viewModel_, [this] { showAddAllocation(); }, this);
    allocationCard_->hide();
    dynamicCard_ = new DynamicSpendingCard(
        viewModel_, [this] { showAddDynamic(); }, this);
    dynamicCard_->hide();

    // Only the rows in view are made; they are reused as the list scrolls. The cards' tops are
    // kept by this screen and lent to the list while they are in view.
    list_ = new VirtualList(
        {}, [this](QWidget* row, int index) { bindRow(row, index); }, this);
    list_->setRowKeys([this](int index) {
        const Item& item = items_[std::size_t(index)];
        if (piece(item.kind))
            return QVariant(int(item.kind));
        const CashFlowEntryRow::Figures& row = rows(item.kind)[std::size_t(item.index)];
        return row.income.lock() ? rowKey(row.income, "income") : rowKey(row.expense, "expense");
    });
    list_->setObjectName(QStringLiteral("cashFlowScroll"));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setRowKinds([this](int index) { return int(items_[std::size_t(index)].kind); },
                       [this](int kind, QWidget* rowParent) { return makeRow(Kind(kind), rowParent); });
    list_->setHeader(top);
    list_->setRowMargins(QMargins(32, 32, 32, 32));
    list_->setRowHeights([this](int index, int width) { return heightOf(index, width); });
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(list_);

    connect(viewModel_, &CashFlowViewModel::changed, this, &CashFlowView::render);
    connect(incomeCard_, &CashFlowIncomeCard::resized, this, &CashFlowView::layoutItems);
    render();
}

CashFlowView::~CashFlowView() {
    // The list goes first: while it is taken down it still asks for the rows this screen keeps.
    delete list_;
}

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

const std::vector<CashFlowEntryRow::Figures>& CashFlowView::rows(Kind kind) const {
    if (kind == Kind::IncomeRow)
        return incomeRows_;
    return kind == Kind::FixedRow ? fixedRows_ : dynamicRows_;
}

void CashFlowView::render() {
    monthLabel_->setText(viewModel_->monthTitle());
    const auto& palette = AllocationCard::palette();
    fill(incomeRows_, viewModel_->incomeRows());
    fill(fixedRows_, viewModel_->fixedRows());
    for (std::size_t i = 0; i < fixedRows_.size(); ++i)
        fixedRows_[i].swatch = palette[i % palette.size()];
    fill(dynamicRows_, viewModel_->dynamicRows());
    markPlaces(fixedRows_, true, true);
    markPlaces(dynamicRows_, true, true);
    // The cards under the income show once the month has income.
    if (!incomeRows_.empty()) {
        allocationCard_->render();
        dynamicCard_->render();
    }
    incomeCard_->render(); // announces its new height, which lays the list out
}

void CashFlowView::layoutItems() {
    markPlaces(incomeRows_, false, !incomeCard_->isInlineFormShown());
    items_.clear();
    items_.push_back({Kind::IncomeHead});
    for (int i = 0; i < int(incomeRows_.size()); ++i)
        items_.push_back({Kind::IncomeRow, i});
    if (!incomeRows_.empty()) {
        if (incomeCard_->isInlineFormShown())
            items_.push_back({Kind::IncomeFoot});
        items_.push_back({Kind::AllocationHead});
        for (int i = 0; i < int(fixedRows_.size()); ++i)
            items_.push_back({Kind::FixedRow, i});
        items_.push_back({Kind::DynamicHead});
        for (int i = 0; i < int(dynamicRows_.size()); ++i)
            items_.push_back({Kind::DynamicRow, i});
    }
    list_->setCount(int(items_.size()));
}

QWidget* CashFlowView::piece(Kind kind) const {
    switch (kind) {
    case Kind::IncomeHead:
        return incomeCard_->head();
    case Kind::IncomeFoot:
        return incomeCard_->foot();
    case Kind::AllocationHead:
        return allocationCard_;
    case Kind::DynamicHead:
        return dynamicCard_;
    default:
        return nullptr;
    }
}

QWidget* CashFlowView::makeRow(Kind kind, QWidget* parent) {
    if (QWidget* kept = piece(kind)) {
        kept->setParent(parent);
        return kept;
    }
    return new CashFlowEntryRow(
        styleOf(kind), [this](const CashFlowEntryRow::Figures& f) { edit(f); },
        [this](const CashFlowEntryRow::Figures& f) { remove(f); }, parent);
}

void CashFlowView::bindRow(QWidget* row, int index) {
    const Item& item = items_[std::size_t(index)];
    if (!piece(item.kind))
        static_cast<CashFlowEntryRow*>(row)->bind(rows(item.kind)[std::size_t(item.index)]);
}

int CashFlowView::heightOf(int index, int width) const {
    const Item& item = items_[std::size_t(index)];
    if (QWidget* kept = piece(item.kind)) {
        kept->ensurePolished();
        return kept->hasHeightForWidth() ? kept->heightForWidth(width) : kept->sizeHint().height();
    }
    return rowHeight(item.kind, rows(item.kind)[std::size_t(item.index)]);
}

int CashFlowView::rowHeight(Kind kind, const CashFlowEntryRow::Figures& figures) const {
    const int shape = int(kind) * 4 + (figures.date.isEmpty() ? 0 : 1) + (figures.category.isEmpty() ? 0 : 2);
    auto it = heights_.find(shape);
    if (it == heights_.end()) {
        // Measured on a sample row of that shape, the way the rows lay themselves out.
        CashFlowEntryRow sample(styleOf(kind), {}, {});
        CashFlowEntryRow::Figures probe;
        probe.title = QStringLiteral("Ag");
        probe.date = figures.date.isEmpty() ? QString() : QStringLiteral("Mar 1");
        probe.category = figures.category.isEmpty() ? QString() : QStringLiteral("Ag");
        probe.amount = QStringLiteral("0");
        sample.bind(probe);
        sample.ensurePolished();
        it = heights_.emplace(shape, sample.sizeHint().height()).first;
    }
    return it->second + (figures.ruleAbove ? 1 : 0) +
           (figures.lastInCard ? CashFlowEntryRow::bottomPadding(styleOf(kind)) : 0);
}

void CashFlowView::edit(const CashFlowEntryRow::Figures& figures) {
    if (auto income = figures.income.lock())
        editIncome(income);
    else if (auto expense = figures.expense.lock())
        editExpense(expense);
}

void CashFlowView::remove(const CashFlowEntryRow::Figures& figures) {
    if (auto income = figures.income.lock())
        viewModel_->deleteIncome(income);
    else if (auto expense = figures.expense.lock())
        viewModel_->deleteExpense(expense);
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
