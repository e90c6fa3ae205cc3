#include "Views/Finance/BillsView.h"

#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "Components/VirtualList.h"
#include "Models/Bill.h"
#include "ViewModels/Finance/BillsViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/AddBillSheet.h"
#include "Views/Finance/BillRow.h"
#include "Views/Finance/FinanceForm.h"
#include "Views/RowKey.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* monthButton(const QString& objectName, const QString& symbol, const QString& toolTip) {
    auto* button = FinanceForm::iconButton(objectName, symbol, Theme::textSecondary(), 12, toolTip);
    button->setFixedSize(28, 28);
    button->setStyleSheet(QStringLiteral("QPushButton { border: none; border-radius: 8px; background: %1; }")
                              .arg(Theme::css(Theme::backgroundTertiary())));
    return button;
}

QPushButton* purpleCapsule(const QString& text) {
    return ScreenStyle::filledButton(text, Theme::font(13, QFont::Medium),
                                     Theme::css(AppTheme::Colors::purple()), 24, 7, 14);
}

} // namespace

BillsView::BillsView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), viewModel_(env.models->bills(this)) {
    setObjectName(QStringLiteral("billsView"));
    auto* top = new QWidget;
    auto* column = new QVBoxLayout(top);
    column->setContentsMargins(32, 32, 32, 0);
    column->setSpacing(32);
    column->addWidget(buildHeader());
    totalCard_ = buildTotalCard();
    column->addWidget(totalCard_);

    // Only the rows in view are made; they are reused as the list scrolls.
    list_ = new VirtualList(
        [this](QWidget* rowParent) -> QWidget* {
            return new BillRow([this](const std::shared_ptr<Bill>& bill) { viewModel_->togglePaid(bill); },
                               [this](const std::shared_ptr<Bill>& bill) { viewModel_->deleteBill(bill); },
                               rowParent);
        },
        [this](QWidget* row, int index) { static_cast<BillRow*>(row)->bind(rows_[std::size_t(index)]); },
        this);
    list_->setRowKeys([this](int index) { return rowKey(rows_[std::size_t(index)].bill); });
    list_->setObjectName(QStringLiteral("billsScroll"));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setHeader(top);
    empty_ = buildEmptyState();
    list_->setFooter(empty_);
    list_->setRowHeight(BillRow::kHeight);
    list_->setSpacing(0, 8);
    list_->setRowMargins(QMargins(32, 32, 32, 32));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(list_);

    connect(viewModel_, &BillsViewModel::billsChanged, this, &BillsView::render);
    connect(viewModel_, &BillsViewModel::paymentsChanged, this, &BillsView::render);
    connect(viewModel_, &BillsViewModel::monthChanged, this, &BillsView::render);
    render();
}

BillsView::~BillsView() {
    // The list goes first: while it is taken down it still asks for the rows this screen keeps.
    delete list_;
}

QWidget* BillsView::buildHeader() {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(FinanceForm::tabTitles(tr("Bills"), tr("Monthly recurring bills")));
    row->addStretch(1);

    auto* previous = monthButton(QStringLiteral("previousMonthButton"), QStringLiteral("chevron.left"),
                                 tr("Previous month"));
    connect(previous, &QPushButton::clicked, viewModel_, &BillsViewModel::navigateToPreviousMonth);
    row->addWidget(previous);
    row->addSpacing(8);
    monthLabel_ = ScreenStyle::label(QString(), Theme::font(14, QFont::Medium), Theme::textPrimary());
    monthLabel_->setObjectName(QStringLiteral("monthLabel"));
    monthLabel_->setAlignment(Qt::AlignCenter);
    monthLabel_->setMinimumWidth(110);
    row->addWidget(monthLabel_);
    row->addSpacing(8);
    auto* next =
        monthButton(QStringLiteral("nextMonthButton"), QStringLiteral("chevron.right"), tr("Next month"));
    connect(next, &QPushButton::clicked, viewModel_, &BillsViewModel::navigateToNextMonth);
    row->addWidget(next);
    row->addSpacing(16);
    add_ = FinanceForm::iconButton(QStringLiteral("addBillButton"), QStringLiteral("plus.circle.fill"),
                                   AppTheme::Colors::purple(), 22, tr("Add Bill"));
    connect(add_, &QPushButton::clicked, this, &BillsView::showAddBill);
    FocusAfter::markCarryOn(add_, QStringLiteral("billRow"));
    row->addWidget(add_);
    return header;
}

QWidget* BillsView::buildTotalCard() {
    auto* card = FinanceForm::card(QStringLiteral("billsTotalCard"), 12, Qt::transparent);
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(24, 24, 24, 24);
    row->setSpacing(32);
    auto* total = new QVBoxLayout;
    total->setSpacing(4);
    total->addWidget(
        ScreenStyle::label(tr("Total Monthly"), Theme::font(12, QFont::Medium), Theme::textMuted()));
    total_ = FinanceForm::figureLabel(Theme::font(22, QFont::DemiBold), Theme::textPrimary());
    total_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    total_->setObjectName(QStringLiteral("billsTotal"));
    total->addWidget(total_);
    row->addLayout(total, 1);
    auto* count = new QVBoxLayout;
    count->setSpacing(4);
    count->addWidget(ScreenStyle::label(tr("Bills"), Theme::font(12, QFont::Medium), Theme::textMuted()), 0,
                     Qt::AlignRight);
    count_ = ScreenStyle::label(QString(), Theme::font(22, QFont::DemiBold), Theme::textPrimary());
    count_->setObjectName(QStringLiteral("billsCount"));
    count->addWidget(count_, 0, Qt::AlignRight);
    row->addLayout(count);
    return card;
}

QWidget* BillsView::buildEmptyState() {
    auto* empty = new QWidget;
    empty->setObjectName(QStringLiteral("billsEmpty"));
    auto* column = new QVBoxLayout(empty);
    column->setContentsMargins(32, 72, 32, 32);
    column->setSpacing(16);
    column->addWidget(
        new SymbolIcon(QStringLiteral("doc.text.fill"), 42, Theme::withOpacity(Theme::textMuted(), 0.4)), 0,
        Qt::AlignHCenter);
    column->addWidget(ScreenStyle::label(tr("No bills yet"), Theme::font(15), Theme::textMuted()), 0,
                      Qt::AlignHCenter);
    auto* hint = ScreenStyle::label(tr("Add your monthly bills to track them here and in the calendar."),
                                    Theme::font(13), Theme::withOpacity(Theme::textMuted(), 0.7));
    hint->setAlignment(Qt::AlignCenter);
    hint->setWordWrap(true);
    column->addWidget(hint);
    auto* add = purpleCapsule(tr("Add Bill"));
    add->setObjectName(QStringLiteral("emptyAddBillButton"));
    connect(add, &QPushButton::clicked, this, &BillsView::showAddBill);
    column->addWidget(add, 0, Qt::AlignHCenter);
    emptyAdd_ = add;
    return empty;
}

void BillsView::render() {
    std::vector<BillRowText> rows = viewModel_->billRows();
    // The last bill deleted: the keyboard goes on from the empty state's "Add Bill".
    if (rows.empty())
        for (QWidget* row : list_->rowsInView())
            FocusAfter::handOver(row, emptyAdd_);
    // The list learns the new count with the new rows: a part shown or hidden below makes it
    // place rows at once, and a count left from before would bind rows past the ones there are.
    rows_ = std::move(rows);
    list_->setCount(int(rows_.size()));
    monthLabel_->setText(viewModel_->monthTitle());
    total_->setFullText(viewModel_->totalMonthlyText(), viewModel_->totalMonthlyTip());
    count_->setText(QString::number(rows_.size()));
    totalCard_->setVisible(!rows_.empty());
    // The first bill replaces the empty state: the keyboard goes on from "Add Bill".
    if (!rows_.empty())
        FocusAfter::handOver(empty_, add_);
    empty_->setVisible(rows_.empty());
}

void BillsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first showing follows the fetch of construction: fetching again would only rebuild
    // the same rows.
    if (shownBefore_)
        viewModel_->fetchBills();
    shownBefore_ = true;
}

void BillsView::showAddBill() {
    AddBillSheet::present(this, viewModel_->creditCards(), [this](const BillDraft& d) {
        return viewModel_->addBill(d.name, d.amount, d.dueDay, d.category, d.notes, d.paymentMethod,
                                   d.creditCardID);
    });
}
