#include "Views/Finance/InvestmentsView.h"
#include "Views/Finance/FinanceForm.h"

#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetHost.h"
#include "Components/SymbolIcon.h"
#include "Components/VirtualList.h"
#include "Models/Investment.h"
#include "ViewModels/Finance/InvestmentsViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/AddInvestmentSheet.h"
#include "Views/Finance/FinanceCard.h"
#include "Views/Finance/FinanceTones.h"
#include "Views/Finance/InvestmentRow.h"
#include "Views/RowKey.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QWidget* metricPill(const QString& label, ElidedLabel** value, const char* name) {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    *value = FinanceForm::figureLabel(Theme::font(14, QFont::Bold), Theme::textSecondary());
    (*value)->setObjectName(QString::fromLatin1(name));
    (*value)->setAlignment(Qt::AlignCenter);
    column->addWidget(*value);
    auto* caption = ScreenStyle::label(label, Theme::font(10), Theme::textMuted());
    caption->setAlignment(Qt::AlignCenter);
    column->addWidget(caption);
    return box;
}

QPushButton* chevron(const QString& symbol, const QString& tip) {
    auto* button = ScreenStyle::filledButton(QString(), Theme::systemFont(14, QFont::DemiBold),
                                             Theme::css(Theme::backgroundTertiary()), 4, 4, 8);
    ScreenStyle::setSymbol(button, symbol, Theme::textSecondary(), 14);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    return button;
}

} // namespace

InvestmentsView::InvestmentsView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), viewModel_(env.models->investments(this)) {
    setObjectName(QStringLiteral("investmentsView"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);

    auto* header = new QWidget;
    auto* column = new QVBoxLayout(header);
    column->setContentsMargins(32, 32, 32, 16);
    column->setSpacing(32);
    column->addWidget(buildHeader());
    column->addWidget(buildTabBar());
    pages_ = new QStackedWidget;
    auto* portfolio = new QWidget;
    auto* portfolioColumn = new QVBoxLayout(portfolio);
    portfolioColumn->setContentsMargins(0, 0, 0, 0);
    portfolioColumn->setSpacing(32);
    portfolioColumn->addWidget(buildSummary());
    portfolioColumn->addWidget(holdingsHeading());
    pages_->addWidget(portfolio);
    column->addWidget(pages_);

    // Only the rows in view are made; they are reused as the list scrolls.
    list_ = new VirtualList(
        [this](QWidget* rowParent) -> QWidget* {
            return new InvestmentRow(
                [this](const std::shared_ptr<Investment>& holding) { viewModel_->deleteInvestment(holding); },
                rowParent);
        },
        [this](QWidget* row, int index) { static_cast<InvestmentRow*>(row)->bind(shownRow(index)); }, this);
    list_->setRowKeys([this](int index) { return rowKey(shownRow(index).holding); });
    list_->setObjectName(QStringLiteral("investmentsScroll"));
    list_->setFrameShape(QFrame::NoFrame);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setStyleSheet(
        QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"));
    list_->setHeader(header);
    list_->setFooter(buildEmptyState());
    list_->setRowHeight(InvestmentRow::kHeight);
    list_->setSpacing(0, 16);
    list_->setRowMargins(QMargins(32, 0, 32, 32));
    outer->addWidget(list_);

    connect(viewModel_, &InvestmentsViewModel::investmentsChanged, this, &InvestmentsView::renderPortfolio);
    connect(viewModel_, &InvestmentsViewModel::monthChanged, this, &InvestmentsView::renderMonth);
    selectTab(selectedTab_);
    renderPortfolio();
}

QWidget* InvestmentsView::buildHeader() {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(FinanceForm::tabTitles(tr("Investments"), tr("Track your portfolio & monthly buys")));
    row->addStretch(1);
    add_ = ScreenStyle::textButton(tr("Add"), Theme::font(12, QFont::Medium), AppTheme::Colors::violet());
    add_->setObjectName(QStringLiteral("addButton"));
    FocusAfter::markCarryOn(add_, QStringLiteral("investmentRow"));
    add_->setAccessibleName(tr("Add Investment"));
    ScreenStyle::setSymbol(add_, QStringLiteral("plus"), AppTheme::Colors::violet(), 12);
    connect(add_, &QPushButton::clicked, this, &InvestmentsView::showAddSheet);
    row->addWidget(add_, 0, Qt::AlignVCenter);
    return header;
}

QWidget* InvestmentsView::buildTabBar() {
    auto* bar = new FinanceCard(8);
    bar->setObjectName(QStringLiteral("investmentsTabBar"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(0);
    portfolioTab_ = new QPushButton(tr("Portfolio"));
    monthlyTab_ = new QPushButton(tr("Monthly"));
    portfolioTab_->setObjectName(QStringLiteral("portfolioTab"));
    monthlyTab_->setObjectName(QStringLiteral("monthlyTab"));
    for (auto* tab : {portfolioTab_, monthlyTab_}) {
        tab->setFont(Theme::font(13, QFont::Medium));
        tab->setAutoDefault(false);
        tab->setCursor(Qt::PointingHandCursor);
        row->addWidget(tab, 1);
    }
    connect(portfolioTab_, &QPushButton::clicked, this, [this] { selectTab(QStringLiteral("portfolio")); });
    connect(monthlyTab_, &QPushButton::clicked, this, [this] { selectTab(QStringLiteral("monthly")); });
    return bar;
}

QWidget* InvestmentsView::buildSummary() {
    auto* card = new FinanceCard(18);
    card->setObjectName(QStringLiteral("portfolioSummary"));
    card->setGradient(Theme::withOpacity(AppTheme::Colors::violet(), 0.15),
                      Theme::withOpacity(AppTheme::Colors::indigo(), 0.10));
    card->setEdge(Theme::withOpacity(AppTheme::Colors::violet(), 0.2));
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(16);

    auto* top = new QHBoxLayout;
    auto* valueColumn = new QVBoxLayout;
    valueColumn->setSpacing(2);
    valueColumn->addWidget(ScreenStyle::label(tr("Portfolio Value"), Theme::font(12), Theme::textMuted()));
    portfolioValue_ = FinanceForm::figureLabel(Theme::font(28, QFont::DemiBold), Theme::textPrimary());
    portfolioValue_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    portfolioValue_->setObjectName(QStringLiteral("portfolioValue"));
    valueColumn->addWidget(portfolioValue_);
    top->addLayout(valueColumn, 1);
    auto* returnColumn = new QVBoxLayout;
    returnColumn->setSpacing(2);
    overallReturn_ = FinanceForm::figureLabel(Theme::font(18, QFont::Bold), AppTheme::Colors::emerald());
    overallReturn_->setObjectName(QStringLiteral("overallReturn"));
    returnColumn->addWidget(overallReturn_);
    auto* returnCaption = ScreenStyle::label(tr("Overall return"), Theme::font(11), Theme::textMuted());
    returnCaption->setAlignment(Qt::AlignRight);
    returnColumn->addWidget(returnCaption);
    top->addLayout(returnColumn);
    column->addLayout(top);
    column->addWidget(ScreenStyle::divider());

    auto* pills = new QHBoxLayout;
    pills->addWidget(metricPill(tr("Invested"), &invested_, "investedTotal"));
    pills->addStretch(1);
    pills->addWidget(metricPill(tr("P&L"), &profit_, "profitAndLoss"));
    pills->addStretch(1);
    pills->addWidget(metricPill(tr("Holdings"), &holdingsCount_, "holdingsCount"));
    column->addLayout(pills);
    return card;
}

QWidget* InvestmentsView::buildMonthNavigator() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);
    auto* previous = chevron(QStringLiteral("chevron.left"), tr("Previous month"));
    previous->setObjectName(QStringLiteral("previousMonth"));
    connect(previous, &QPushButton::clicked, viewModel_, &InvestmentsViewModel::navigateToPreviousMonth);
    row->addWidget(previous);
    monthTitle_ = ScreenStyle::label(QString(), Theme::font(16, QFont::Medium), Theme::textPrimary());
    monthTitle_->setObjectName(QStringLiteral("monthTitle"));
    monthTitle_->setMinimumWidth(140);
    monthTitle_->setAlignment(Qt::AlignCenter);
    row->addWidget(monthTitle_);
    auto* next = chevron(QStringLiteral("chevron.right"), tr("Next month"));
    next->setObjectName(QStringLiteral("nextMonth"));
    connect(next, &QPushButton::clicked, viewModel_, &InvestmentsViewModel::navigateToNextMonth);
    row->addWidget(next);
    row->addStretch(1);
    return box;
}

QWidget* InvestmentsView::holdingsHeading() {
    return ScreenStyle::label(tr("Holdings"), Theme::font(16, QFont::DemiBold), Theme::textPrimary());
}

QWidget* InvestmentsView::buildEmptyState() {
    auto* box = new QWidget;
    auto* margins = new QVBoxLayout(box);
    margins->setContentsMargins(32, 0, 32, 32);
    auto* emptyCard = new FinanceCard(12);
    emptyCard->setObjectName(QStringLiteral("holdingsEmpty"));
    emptyCard->setEdge(Qt::transparent);
    auto* emptyColumn = new QVBoxLayout(emptyCard);
    emptyColumn->setContentsMargins(32, 32, 32, 32);
    emptyColumn->setSpacing(8);
    emptyColumn->addWidget(new SymbolIcon(QStringLiteral("chart.line.uptrend.xyaxis"), 40,
                                          Theme::withOpacity(AppTheme::Colors::violet(), 0.4)),
                           0, Qt::AlignHCenter);
    emptyColumn->addWidget(ScreenStyle::label(tr("No investments yet"), Theme::font(14), Theme::textMuted()),
                           0, Qt::AlignHCenter);
    auto* first = ScreenStyle::textButton(tr("Add Your First Investment"), Theme::font(13, QFont::Medium),
                                          AppTheme::Colors::violet());
    first->setObjectName(QStringLiteral("addFirstButton"));
    addFirst_ = first;
    connect(first, &QPushButton::clicked, this, &InvestmentsView::showAddSheet);
    emptyColumn->addWidget(first, 0, Qt::AlignHCenter);
    margins->addWidget(emptyCard);
    empty_ = box;
    return box;
}

void InvestmentsView::selectTab(const QString& tag) {
    selectedTab_ = tag;
    const bool monthly = tag == QLatin1String("monthly");
    if (monthly && !monthTitle_) {
        // The monthly header is built when first chosen.
        auto* page = new QWidget;
        auto* column = new QVBoxLayout(page);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(32);
        column->addWidget(buildMonthNavigator());
        column->addWidget(holdingsHeading());
        pages_->addWidget(page);
        monthTitle_->setText(viewModel_->monthTitle());
    }
    pages_->setCurrentIndex(monthly ? 1 : 0);
    // The stack takes the height of the page shown, not of the tallest.
    for (int i = 0; i < pages_->count(); ++i)
        pages_->widget(i)->setSizePolicy(QSizePolicy::Preferred, i == pages_->currentIndex()
                                                                     ? QSizePolicy::Preferred
                                                                     : QSizePolicy::Ignored);
    showRows();
    for (auto* tab : {portfolioTab_, monthlyTab_}) {
        const bool selected = (tab == monthlyTab_) == monthly;
        tab->setStyleSheet(
            QStringLiteral(
                "QPushButton { color: %1; background: %2; border: none; border-radius: 8px; padding: 4px; }")
                .arg(Theme::css(selected ? QColor(Qt::white) : Theme::textMuted()),
                     selected ? Theme::css(AppTheme::Colors::violet()) : QStringLiteral("transparent")));
    }
}

bool InvestmentsView::showingMonth() const {
    return selectedTab_ == QLatin1String("monthly");
}

int InvestmentsView::shownRowCount() const {
    return showingMonth() ? int(viewModel_->monthlyInvestments().size()) : viewModel_->investmentCount();
}

InvestmentRow::Figures InvestmentsView::shownRow(int index) const {
    return showingMonth() ? viewModel_->monthRow(index) : viewModel_->portfolioRow(index);
}

void InvestmentsView::showRows() {
    const int count = shownRowCount();
    // The first holding replaces the empty state: the keyboard goes on from "Add".
    if (count > 0)
        FocusAfter::handOver(empty_, add_);
    empty_->setVisible(count == 0);
    // The last holding deleted: the keyboard goes on from the empty state's own Add.
    if (count == 0)
        for (QWidget* row : list_->rowsInView())
            FocusAfter::handOver(row, addFirst_);
    list_->setCount(count);
}

void InvestmentsView::renderPortfolio() {
    const auto summary = viewModel_->summary();
    portfolioValue_->setFullText(summary.value, summary.valueTip);
    overallReturn_->setFullText(summary.overallReturn, summary.returnTip);
    ScreenStyle::setTextColor(overallReturn_, FinanceTones::color(summary.returnTone));
    invested_->setFullText(summary.invested, summary.investedTip);
    profit_->setFullText(summary.profit, summary.profitTip);
    ScreenStyle::setTextColor(profit_, FinanceTones::color(summary.profitTone));
    holdingsCount_->setFullText(summary.holdingsCount);
    if (!showingMonth())
        showRows();
}

void InvestmentsView::renderMonth() {
    if (!monthTitle_)
        return;
    monthTitle_->setText(viewModel_->monthTitle());
    if (showingMonth())
        showRows();
}

void InvestmentsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Holdings added from the overview show the next time this screen is shown.
    if (shownOnce_)
        viewModel_->refresh();
    shownOnce_ = true;
}

void InvestmentsView::showAddSheet() {
    auto* sheet = new AddInvestmentSheet(
        [this](const Investment::Draft& draft) { return viewModel_->addInvestment(draft); });
    SheetHost::present(this, sheet, AddInvestmentSheet::kWidth);
}
