#include "Views/Dashboard/DashboardGoalsSection.h"

#include "Components/MotionEffect.h"
#include "Components/ScreenStyle.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/GoalCardView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

DashboardGoalsSection::DashboardGoalsSection(std::function<void()> onSeeAll,
                                             std::function<void(qint64)> onOpen, QWidget* parent)
    : QWidget(parent), onOpen_(std::move(onOpen)) {
    setObjectName(QStringLiteral("dashboardGoals"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(
        ScreenStyle::label(tr("Goals"), Theme::font(22, QFont::DemiBold), Theme::textPrimary(), this));
    titleRow->addStretch(1);
    seeAll_ =
        ScreenStyle::textButton(tr("See All"), Theme::font(13, QFont::Medium), AppTheme::Colors::indigo());
    seeAll_->setObjectName(QStringLiteral("seeAllGoalsButton"));
    connect(seeAll_, &QPushButton::clicked, this, [onSeeAll = std::move(onSeeAll)] {
        if (onSeeAll)
            onSeeAll();
    });
    titleRow->addWidget(seeAll_);
    column->addLayout(titleRow);

    grid_ = new QWidget(this);
    gridLayout_ = new QGridLayout(grid_);
    gridLayout_->setContentsMargins(0, 0, 0, 0);
    gridLayout_->setHorizontalSpacing(16);
    gridLayout_->setVerticalSpacing(16);
    gridLayout_->setColumnStretch(0, 1);
    gridLayout_->setColumnStretch(1, 1);
    column->addWidget(grid_);
}

void DashboardGoalsSection::place(const std::vector<GoalCardText>& texts) {
    while (QLayoutItem* item = gridLayout_->takeAt(0))
        delete item;
    QSet<qint64> listed;
    order_.clear();
    QWidget* previous = seeAll_;
    for (size_t i = 0; i < texts.size(); ++i) {
        const qint64 id = texts[i].goalID;
        GoalCardView* card = cards_.value(id);
        if (!card) {
            card = makeCard(texts[i]);
            cards_.insert(id, card);
            MotionEffect::staggeredAppear(card, 0.2 + 0.07 * double(i));
        } else {
            card->setText(texts[i]);
        }
        gridLayout_->addWidget(card, int(i / 2), int(i % 2));
        card->show();
        listed.insert(id);
        order_.push_back(id);
        // A card made now would stand last in the window's chain: Tab reaches the cards
        // after "See All", in the order they are shown.
        QWidget::setTabOrder(previous, card);
        previous = card;
    }
    for (auto it = cards_.begin(); it != cards_.end();) {
        if (listed.contains(it.key())) {
            ++it;
            continue;
        }
        it.value()->hide();
        it.value()->deleteLater();
        it = cards_.erase(it);
    }
}

std::vector<GoalCardView*> DashboardGoalsSection::cards() const {
    std::vector<GoalCardView*> out;
    for (qint64 id : order_)
        out.push_back(cards_.value(id));
    return out;
}

GoalCardView* DashboardGoalsSection::makeCard(const GoalCardText& text) {
    auto* card = new GoalCardView(text, {}, grid_);
    // Each card is a Tab stop; Return or Space opens it as a click does.
    card->setFocusPolicy(Qt::TabFocus);
    connect(card, &GoalCardView::clicked, this, [this, card] {
        if (onOpen_)
            onOpen_(card->goalID());
    });
    return card;
}
