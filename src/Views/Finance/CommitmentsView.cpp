#include "Views/Finance/CommitmentsView.h"

#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "Components/VirtualList.h"
#include "Models/CreditCard.h"
#include "Models/Subscription.h"
#include "ViewModels/Finance/CommitmentsViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/AddCreditCardSheet.h"
#include "Views/Finance/AddSubscriptionSheet.h"
#include "Views/Finance/FinanceForm.h"
#include "Views/Finance/SubscriptionsSection.h"
#include "Views/RowKey.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The gap between the rows of a section; sections sit twice as far apart.
constexpr int kRowGap = 16;

} // namespace

CommitmentsView::CommitmentsView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), viewModel_(env.models->commitments(this)) {
    setObjectName(QStringLiteral("commitmentsView"));
    cardsHead_ = buildCardsHead();
    cardsEmpty_ = buildCardsEmptyState();
    subscriptions_ = new SubscriptionsSection(
        viewModel_, [this] { showAddSubscription(); }, this);

    // Only the rows in view are made; they are reused as the list scrolls. The section heads and
    // empty states are kept by this screen and lent to the list while they are in view.
    list_ = new VirtualList(
        {}, [this](QWidget* row, int index) { bindRow(row, index); }, this);
    list_->setRowKeys([this](int index) {
        const Item& item = items_[std::size_t(index)];
        if (item.kind == Kind::CardRow)
            return rowKey(cardRows_[std::size_t(item.index)].card, "card");
        // A subscription paused or resumed leaves its list for the other: in that one it is
        // another row, whose place the focus does not follow.
        if (item.kind == Kind::SubscriptionRow) {
            const auto& row = subscriptions_->rows()[std::size_t(item.index)];
            return rowKey(row.subscription, row.active ? "subscription" : "pausedSubscription");
        }
        return QVariant(int(item.kind));
    });
    list_->setObjectName(QStringLiteral("commitmentsScroll"));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setRowKinds([this](int index) { return int(items_[std::size_t(index)].kind); },
                       [this](int kind, QWidget* rowParent) { return makeRow(Kind(kind), rowParent); });
    list_->setHeader(buildHeader());
    list_->setSpacing(0, kRowGap);
    list_->setRowMargins(QMargins(32, 32, 32, 32));
    list_->setRowHeights([this](int index, int width) { return heightOf(index, width); });
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(list_);

    connect(viewModel_, &CommitmentsViewModel::creditCardsChanged, this, &CommitmentsView::renderCards);
    // A hidden screen reads the figures afresh when it is next shown.
    connect(viewModel_, &CommitmentsViewModel::cardFiguresChanged, this, [this] {
        if (isVisible())
            renderCards();
        else
            cardsStale_ = true;
    });
    connect(viewModel_, &CommitmentsViewModel::subscriptionsChanged, subscriptions_,
            &SubscriptionsSection::render);
    connect(subscriptions_, &SubscriptionsSection::changed, this, &CommitmentsView::layoutItems);
    renderCards();
}

CommitmentsView::~CommitmentsView() {
    // The list goes first: while it is taken down it still asks for the rows this screen keeps.
    delete list_;
}

QWidget* CommitmentsView::buildHeader() {
    auto* header = new QWidget;
    auto* column = FinanceForm::tabTitles(tr("Commitments"), tr("Credit cards & recurring bills"));
    column->setContentsMargins(32, 32, 32, 0);
    header->setLayout(column);
    return header;
}

QWidget* CommitmentsView::buildCardsHead() {
    auto* head = new QWidget(this);
    head->setObjectName(QStringLiteral("creditCardsSection"));
    auto* header = new QHBoxLayout(head);
    header->setContentsMargins(0, 0, 0, 0);
    header->setSpacing(6);
    header->addWidget(new SymbolIcon(QStringLiteral("creditcard.fill"), 17, AppTheme::Colors::sunrise()));
    header->addWidget(ScreenStyle::label(tr("Credit Cards"), Theme::font(16, QFont::DemiBold),
                                         AppTheme::Colors::sunrise()));
    header->addStretch(1);
    addCard_ =
        ScreenStyle::textButton(tr("Add Card"), Theme::font(12, QFont::Medium), AppTheme::Colors::sunrise());
    addCard_->setObjectName(QStringLiteral("addCardButton"));
    FocusAfter::markCarryOn(addCard_, QStringLiteral("creditCardRow"));
    ScreenStyle::setSymbol(addCard_, QStringLiteral("plus"), AppTheme::Colors::sunrise(), 12);
    connect(addCard_, &QPushButton::clicked, this, &CommitmentsView::showAddCard);
    header->addWidget(addCard_);
    head->hide();
    return head;
}

QWidget* CommitmentsView::buildCardsEmptyState() {
    auto* empty = FinanceForm::card(QStringLiteral("cardsEmpty"), 12, Qt::transparent);
    empty->setParent(this);
    auto* column = new QVBoxLayout(empty);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(8);
    column->addWidget(
        new SymbolIcon(QStringLiteral("creditcard"), 34, Theme::withOpacity(Theme::textMuted(), 0.5)), 0,
        Qt::AlignHCenter);
    column->addWidget(ScreenStyle::label(tr("No credit cards yet"), Theme::font(14), Theme::textMuted()), 0,
                      Qt::AlignHCenter);
    auto* hint = ScreenStyle::label(tr("Add your cards to track billing cycles and upcoming payments"),
                                    Theme::font(12), Theme::withOpacity(Theme::textMuted(), 0.7));
    hint->setAlignment(Qt::AlignCenter);
    hint->setWordWrap(true);
    column->addWidget(hint);
    auto* add = ScreenStyle::textButton(tr("Add Your First Card"), Theme::font(13, QFont::Medium),
                                        AppTheme::Colors::sunrise());
    add->setObjectName(QStringLiteral("addFirstCardButton"));
    connect(add, &QPushButton::clicked, this, &CommitmentsView::showAddCard);
    column->addWidget(add, 0, Qt::AlignHCenter);
    empty->hide();
    return empty;
}

QWidget* CommitmentsView::piece(Kind kind) const {
    switch (kind) {
    case Kind::CardsHead:
        return cardsHead_;
    case Kind::CardsEmpty:
        return cardsEmpty_;
    case Kind::SubscriptionsHead:
        return subscriptions_->header();
    case Kind::SubscriptionsEmpty:
        return subscriptions_->emptyState();
    case Kind::Disclosure:
        return subscriptions_->disclosureRow();
    default:
        return nullptr;
    }
}

QWidget* CommitmentsView::makeRow(Kind kind, QWidget* parent) {
    if (kind == Kind::CardRow)
        return new CreditCardRow(
            [this](const std::shared_ptr<CreditCard>& card) { viewModel_->deleteCreditCard(card); }, parent);
    if (kind == Kind::SubscriptionRow)
        return new SubscriptionRow(
            [this](const std::shared_ptr<Subscription>& s) { viewModel_->toggleSubscriptionStatus(s); },
            [this](const std::shared_ptr<Subscription>& s) { viewModel_->deleteSubscription(s); }, parent);
    QWidget* kept = piece(kind);
    kept->setParent(parent);
    return kept;
}

void CommitmentsView::bindRow(QWidget* row, int index) {
    const Item& item = items_[std::size_t(index)];
    if (item.kind == Kind::CardRow)
        static_cast<CreditCardRow*>(row)->bind(cardRows_[std::size_t(item.index)]);
    else if (item.kind == Kind::SubscriptionRow)
        static_cast<SubscriptionRow*>(row)->bind(subscriptions_->rows()[std::size_t(item.index)]);
}

int CommitmentsView::heightOf(int index, int width) const {
    const Kind kind = items_[std::size_t(index)].kind;
    if (kind == Kind::CardRow)
        return CreditCardRow::kHeight;
    if (kind == Kind::SubscriptionRow)
        return SubscriptionRow::kHeight;
    QWidget* kept = piece(kind);
    kept->ensurePolished();
    return kept->hasHeightForWidth() ? kept->heightForWidth(width) : kept->sizeHint().height();
}

void CommitmentsView::renderCards() {
    cardsStale_ = false;
    cardRows_ = viewModel_->cardRows();
    layoutItems();
}

void CommitmentsView::layoutItems() {
    // A first record replaces its empty state: the keyboard goes on from the section's "Add".
    if (!cardRows_.empty())
        FocusAfter::handOver(cardsEmpty_, addCard_);
    if (!subscriptions_->rows().empty() || subscriptions_->inactiveCount() > 0)
        FocusAfter::handOver(subscriptions_->emptyState(), subscriptions_->addButton());
    // The last of a section deleted: the keyboard goes on from the section's own "Add", not
    // from the list or the other section.
    for (QWidget* row : list_->rowsInView()) {
        if (cardRows_.empty() && qobject_cast<CreditCardRow*>(row))
            FocusAfter::handOver(row, addCard_);
        if (subscriptions_->rows().empty() && qobject_cast<SubscriptionRow*>(row))
            FocusAfter::handOver(row, subscriptions_->addButton());
    }
    items_.clear();
    items_.push_back({Kind::CardsHead});
    if (cardRows_.empty())
        items_.push_back({Kind::CardsEmpty});
    for (int i = 0; i < int(cardRows_.size()); ++i)
        items_.push_back({Kind::CardRow, i});
    items_.push_back({Kind::SubscriptionsHead});
    const int rows = int(subscriptions_->rows().size());
    if (rows == 0 && subscriptions_->inactiveCount() == 0)
        items_.push_back({Kind::SubscriptionsEmpty});
    for (int i = 0; i < subscriptions_->activeRowCount(); ++i)
        items_.push_back({Kind::SubscriptionRow, i});
    if (subscriptions_->inactiveCount() > 0)
        items_.push_back({Kind::Disclosure});
    for (int i = subscriptions_->activeRowCount(); i < rows; ++i)
        items_.push_back({Kind::SubscriptionRow, i});
    list_->setCount(int(items_.size()));
}

void CommitmentsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first showing follows the fetch of construction: fetching again would only rebuild
    // the same rows.
    if (shownBefore_)
        viewModel_->refresh();
    else if (cardsStale_)
        renderCards();
    shownBefore_ = true;
}

void CommitmentsView::showAddCard() {
    AddCreditCardSheet::present(this, [this](const QString& name, int closeDay, int dueDay) {
        return viewModel_->addCreditCard(name, closeDay, dueDay);
    });
}

void CommitmentsView::showAddSubscription() {
    AddSubscriptionSheet::present(this, viewModel_->creditCards(), [this](const SubscriptionDraft& d) {
        return viewModel_->addSubscription(d.name, d.price, d.billingCycle, d.renewalDate, d.paymentMethod,
                                           d.creditCardID);
    });
}
