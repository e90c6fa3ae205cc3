#include "Views/Finance/CommitmentsView.h"

#include "Components/BareScrollArea.h"
#include "Components/SymbolIcon.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "Models/CreditCard.h"
#include "ViewModels/Finance/CommitmentsViewModel.h"
#include "Views/Achievements/ScreenStyle.h"
#include "Views/Finance/AddCreditCardSheet.h"
#include "Views/Finance/AddSubscriptionSheet.h"
#include "Views/Finance/CreditCardRow.h"
#include "Views/Finance/FinanceForm.h"
#include "Views/Finance/SubscriptionsSection.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

CommitmentsView::CommitmentsView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), viewModel_(new CommitmentsViewModel(env.context, this)) {
    setObjectName(QStringLiteral("commitmentsView"));
    auto* page = new QWidget;
    auto* body = new QVBoxLayout(page);
    body->setContentsMargins(32, 32, 32, 32);
    body->setSpacing(32);
    body->addWidget(buildHeader());

    auto* cards = new QWidget;
    cards->setObjectName(QStringLiteral("creditCardsSection"));
    cardsColumn_ = new QVBoxLayout(cards);
    cardsColumn_->setContentsMargins(0, 0, 0, 0);
    cardsColumn_->setSpacing(16);
    auto* header = new QHBoxLayout;
    header->setSpacing(6);
    header->addWidget(new SymbolIcon(QStringLiteral("creditcard.fill"), 17, AppTheme::Colors::sunrise()));
    header->addWidget(ScreenStyle::label(tr("Credit Cards"), Theme::font(16, QFont::DemiBold),
                                         AppTheme::Colors::sunrise()));
    header->addStretch(1);
    auto* add =
        ScreenStyle::textButton(tr("Add Card"), Theme::font(12, QFont::Medium), AppTheme::Colors::sunrise());
    add->setObjectName(QStringLiteral("addCardButton"));
    ScreenStyle::setSymbol(add, QStringLiteral("plus"), AppTheme::Colors::sunrise(), 12);
    connect(add, &QPushButton::clicked, this, &CommitmentsView::showAddCard);
    header->addWidget(add);
    cardsColumn_->addLayout(header);
    body->addWidget(cards);

    subscriptions_ = new SubscriptionsSection(viewModel_, [this] { showAddSubscription(); });
    body->addWidget(subscriptions_);
    body->addStretch(1);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = BareScrollArea::wrap(page);
    scroll->setObjectName(QStringLiteral("commitmentsScroll"));
    outer->addWidget(scroll);

    connect(viewModel_, &CommitmentsViewModel::creditCardsChanged, this, &CommitmentsView::renderCards);
    connect(viewModel_, &CommitmentsViewModel::subscriptionsChanged, subscriptions_,
            &SubscriptionsSection::render);
    renderCards();
}

QWidget* CommitmentsView::buildHeader() {
    auto* header = new QWidget;
    auto* column = FinanceForm::tabTitles(tr("Commitments"), tr("Credit cards & recurring bills"));
    column->setContentsMargins(0, 0, 0, 0);
    header->setLayout(column);
    return header;
}

QWidget* CommitmentsView::buildCardsEmptyState() {
    auto* empty = FinanceForm::card(QStringLiteral("cardsEmpty"), 12, Qt::transparent);
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
    return empty;
}

void CommitmentsView::renderCards() {
    if (cardsBody_) {
        cardsColumn_->removeWidget(cardsBody_);
        cardsBody_->hide();
        cardsBody_->deleteLater();
    }
    if (viewModel_->creditCards().empty()) {
        cardsBody_ = buildCardsEmptyState();
    } else {
        cardsBody_ = new QWidget;
        auto* rows = new QVBoxLayout(cardsBody_);
        rows->setContentsMargins(0, 0, 0, 0);
        rows->setSpacing(16);
        const auto figures = viewModel_->cardFigures();
        for (const auto& card : viewModel_->creditCards()) {
            std::weak_ptr<CreditCard> weak = card;
            const auto figure = card->id() ? figures.value(*card->id()) : CommitmentsViewModel::CardFigures{};
            rows->addWidget(new CreditCardRow(card, figure.monthSpend, figure.nextBill, [this, weak] {
                if (auto target = weak.lock())
                    viewModel_->deleteCreditCard(target);
            }));
        }
    }
    cardsColumn_->addWidget(cardsBody_);
}

void CommitmentsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first showing follows the fetch of construction: fetching again would only rebuild
    // the same rows.
    if (shownBefore_)
        viewModel_->refresh();
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
