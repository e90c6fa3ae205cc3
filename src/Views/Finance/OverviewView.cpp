#include "Views/Finance/OverviewView.h"
#include "Views/Finance/FinanceForm.h"

#include "Components/GroupedBarChart.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetHost.h"
#include "Components/VirtualList.h"
#include "Models/BankAccount.h"
#include "ViewModels/Finance/OverviewViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/AddBankAccountSheet.h"
#include "Views/Finance/AddExpenseSheet.h"
#include "Views/Finance/AddIncomeSheet.h"
#include "Views/Finance/AddInvestmentSheet.h"
#include "Views/Finance/FinanceCard.h"
#include "Views/Finance/FinanceTones.h"
#include "Views/Finance/OverviewAccountsCard.h"
#include "Views/Finance/OverviewHeroCard.h"
#include "Views/RowKey.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QWidget* legendDot(const QColor& color, const QString& label) {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    auto* dot = new QWidget;
    dot->setFixedSize(8, 8);
    dot->setStyleSheet(QStringLiteral("background: %1; border-radius: 4px;").arg(Theme::css(color)));
    row->addWidget(dot);
    row->addWidget(ScreenStyle::label(label, Theme::font(11), Theme::textMuted()));
    return box;
}

QPushButton* quickAction(const QString& label, const QColor& color) {
    auto* button = new QPushButton(label);
    button->setFont(Theme::font(13, QFont::Medium));
    button->setAutoDefault(false);
    button->setCursor(Qt::PointingHandCursor);
    button->setMinimumWidth(60);
    button->setStyleSheet(QStringLiteral("QPushButton { color: %1; background: %2; border: 1px solid %3; "
                                         "border-radius: 12px; padding: 8px 6px; }")
                              .arg(Theme::css(color), Theme::css(Theme::withOpacity(color, 0.1)),
                                   Theme::css(Theme::withOpacity(color, 0.25))));
    return button;
}

} // namespace

OverviewView::OverviewView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), env_(env), viewModel_(env.models->overview(this)) {
    setObjectName(QStringLiteral("overviewView"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);

    // Only the account rows in view are made; they are reused as the page scrolls.
    list_ = new VirtualList(
        [this](QWidget* rowParent) -> QWidget* {
            return new OverviewAccountRow(
                [this](const std::shared_ptr<BankAccount>& account) { showEditAccount(account); },
                [this](const std::shared_ptr<BankAccount>& account) {
                    viewModel_->deleteBankAccount(account);
                },
                rowParent);
        },
        [this](QWidget* row, int index) {
            static_cast<OverviewAccountRow*>(row)->bind(accountRows_[std::size_t(index)],
                                                        std::size_t(index) + 1 == accountRows_.size());
        },
        this);
    list_->setRowKeys([this](int index) { return rowKey(accountRows_[std::size_t(index)].account); });
    list_->setObjectName(QStringLiteral("overviewScroll"));
    list_->setAccessibleName(tr("Finance overview"));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rowHeight_ = OverviewAccountRow::lineHeight();
    // A row carries the rule under it, but the last one, which the card's end closes.
    list_->setRowHeights([this](int index, int) {
        return rowHeight_ + (std::size_t(index) + 1 == accountRows_.size() ? 0 : 1);
    });
    list_->setRowMargins(QMargins(32, 0, 32, 0));
    list_->setHeader(buildTop());
    QWidget* bottom = buildBottom();
    list_->setFooter(bottom);
    bottom->show();
    outer->addWidget(list_);

    connect(viewModel_, &OverviewViewModel::refreshed, this, &OverviewView::renderFigures);
    connect(viewModel_, &OverviewViewModel::bankAccountsChanged, this, &OverviewView::renderAccounts);
    renderFigures();
}

OverviewView::~OverviewView() {
    // The list goes first: while it is taken down it still asks for the rows this screen keeps.
    delete list_;
}

QWidget* OverviewView::buildTop() {
    auto* top = new QWidget;
    auto* column = new QVBoxLayout(top);
    column->setContentsMargins(32, 32, 32, 0);
    column->setSpacing(32);
    column->addWidget(buildHeader());
    column->addWidget(buildHeroStrip());
    accounts_ = new OverviewAccountsCard;
    connect(accounts_, &OverviewAccountsCard::addRequested, this, &OverviewView::showAddAccount);
    column->addWidget(accounts_);
    return top;
}

QWidget* OverviewView::buildBottom() {
    auto* bottom = new QWidget;
    auto* column = new QVBoxLayout(bottom);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(32);
    column->addWidget(buildChart());
    column->addWidget(buildQuickActions());
    return bottom;
}

QWidget* OverviewView::buildHeader() {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(FinanceForm::tabTitles(tr("Overview"), tr("Your financial command centre")));
    row->addStretch(1);
    auto* refresh = ScreenStyle::textButton(QString(), Theme::systemFont(14), Theme::textMuted());
    refresh->setObjectName(QStringLiteral("refreshButton"));
    ScreenStyle::setSymbol(refresh, QStringLiteral("arrow.clockwise"), Theme::textMuted(), 14);
    refresh->setToolTip(tr("Refresh"));
    refresh->setAccessibleName(tr("Refresh"));
    connect(refresh, &QPushButton::clicked, viewModel_, &OverviewViewModel::refresh);
    row->addWidget(refresh, 0, Qt::AlignVCenter);
    return header;
}

QWidget* OverviewView::buildHeroStrip() {
    auto* strip = new QWidget;
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);
    netWorth_ = new OverviewHeroCard(tr("Net Worth"), QStringLiteral("chart.pie.fill"), QString());
    thisMonth_ =
        new OverviewHeroCard(tr("This Month"), QStringLiteral("arrow.up.arrow.down.circle.fill"), tr("flow"));
    spendable_ = new OverviewHeroCard(tr("Spendable"), QStringLiteral("banknote.fill"), tr("after fixed"));
    netWorth_->setObjectName(QStringLiteral("netWorthCard"));
    thisMonth_->setObjectName(QStringLiteral("thisMonthCard"));
    spendable_->setObjectName(QStringLiteral("spendableCard"));
    for (auto* card : {netWorth_, thisMonth_, spendable_})
        row->addWidget(card, 1);
    return strip;
}

QWidget* OverviewView::buildChart() {
    auto* card = new FinanceCard(18);
    card->setObjectName(QStringLiteral("sixMonthCard"));
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(16);
    column->addWidget(
        ScreenStyle::label(tr("6-Month Flow"), Theme::font(16, QFont::DemiBold), Theme::textPrimary()));
    chart_ = new GroupedBarChart;
    chart_->setFixedHeight(200);
    chart_->setBarWidthRatio(0.35);
    chart_->setValueFormatter(&OverviewViewModel::axisLabel, 1, &OverviewViewModel::compactAxisLabel);
    chart_->setSeries({{tr("Income"), Theme::withOpacity(AppTheme::Colors::emerald(), 0.8)},
                       {tr("Spend"), Theme::withOpacity(AppTheme::Colors::rose(), 0.8)}});
    column->addWidget(chart_);
    auto* legend = new QHBoxLayout;
    legend->setSpacing(16);
    legend->addWidget(legendDot(AppTheme::Colors::emerald(), tr("Income")));
    legend->addWidget(legendDot(AppTheme::Colors::rose(), tr("Spend")));
    legend->addStretch(1);
    column->addLayout(legend);
    return card;
}

QWidget* OverviewView::buildQuickActions() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);
    auto* income = quickAction(tr("+ Income"), AppTheme::Colors::emerald());
    income->setObjectName(QStringLiteral("addIncomeButton"));
    connect(income, &QPushButton::clicked, this, &OverviewView::showAddIncome);
    auto* expense = quickAction(tr("+ Expense"), AppTheme::Colors::rose());
    expense->setObjectName(QStringLiteral("addExpenseButton"));
    connect(expense, &QPushButton::clicked, this, &OverviewView::showAddExpense);
    auto* investment = quickAction(tr("+ Investment"), AppTheme::Colors::violet());
    investment->setObjectName(QStringLiteral("addInvestmentButton"));
    connect(investment, &QPushButton::clicked, this, &OverviewView::showAddInvestment);
    for (auto* button : {income, expense, investment})
        row->addWidget(button, 1);
    return box;
}

void OverviewView::renderFigures() {
    const auto figures = viewModel_->headlines();
    thisMonth_->setValue(figures.thisMonth, FinanceTones::color(figures.thisMonthTone), figures.thisMonthTip);
    spendable_->setValue(figures.spendable, AppTheme::Colors::cyan(), figures.spendableTip);
    std::vector<GroupedBarChart::Group> groups;
    for (const auto& bar : viewModel_->sixMonthBars())
        groups.push_back({bar.label, {bar.income, bar.spend}});
    chart_->setGroups(std::move(groups));
    renderAccounts();
}

void OverviewView::renderAccounts() {
    const auto figures = viewModel_->headlines();
    netWorth_->setValue(figures.netWorth, AppTheme::Colors::indigo(), figures.netWorthTip);
    accountRows_ = viewModel_->accountRows();
    accounts_->setSummary(figures.liquidCash, !accountRows_.empty(), figures.liquidCashTip);
    list_->setCount(int(accountRows_.size()));
}

void OverviewView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Figures were read when the model was made; a later showing reads them again.
    if (shownOnce_)
        viewModel_->refresh();
    shownOnce_ = true;
}

void OverviewView::showAddAccount() {
    auto* sheet = new AddBankAccountSheet(nullptr, [this](const QString& name, double balance) {
        return viewModel_->addBankAccount(name, balance);
    });
    SheetHost::present(this, sheet, AddBankAccountSheet::kWidth);
}

void OverviewView::showEditAccount(const std::shared_ptr<BankAccount>& account) {
    std::weak_ptr<BankAccount> weak = account;
    auto* sheet = new AddBankAccountSheet(account, [this, weak](const QString& name, double balance) {
        auto target = weak.lock();
        return target && viewModel_->updateBankAccount(target, name, balance);
    });
    SheetHost::present(this, sheet, AddBankAccountSheet::kWidth);
}

void OverviewView::showAddIncome() {
    AddIncomeSheet::present(this, nullptr,
                            [this](const IncomeDraft& draft) { return viewModel_->addIncome(draft); });
}

void OverviewView::showAddExpense() {
    // Money added here belongs to no account and no goal: none are offered. The cards are read
    // when the sheet opens, not each time the screen shows.
    viewModel_->fetchCreditCards();
    AddExpenseSheet::Options options;
    options.creditCards = viewModel_->creditCards();
    options.presetExpenseType = CashFlowViewModel::dynamicType;
    AddExpenseSheet::present(this, std::move(options),
                             [this](const ExpenseDraft& draft) { return viewModel_->addExpense(draft); });
}

void OverviewView::showAddInvestment() {
    auto* sheet = new AddInvestmentSheet(
        [this](const Investment::Draft& draft) { return viewModel_->addInvestment(draft); });
    SheetHost::present(this, sheet, AddInvestmentSheet::kWidth);
}
